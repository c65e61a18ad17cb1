#include "editor/mesh_routines.h"

#include <utility>

namespace tess {

void appendTriangle(Geoset& geoset, std::uint32_t a, std::uint32_t b, std::uint32_t c,
                    std::uint8_t selected) {
    // In front of a trailing partial triangle, so whole triangles stay aligned in threes.
    const std::size_t end = 3 * geoset.triangleCount();
    if (end == geoset.corners.size()) {
        geoset.corners.insert(geoset.corners.end(), {a, b, c});
    } else {
        geoset.corners.insert(geoset.corners.begin() + static_cast<std::ptrdiff_t>(end), {a, b, c});
    }
    geoset.triangleSelected.push_back(selected);
}

void dropDegenerateTriangles(Geoset& geoset) {
    const std::vector<std::uint32_t>& corners = geoset.corners;
    deleteTrianglesIf(geoset, [&corners](std::size_t t) {
        const std::uint32_t a = corners[3 * t];
        const std::uint32_t b = corners[3 * t + 1];
        const std::uint32_t c = corners[3 * t + 2];
        return (a == b) | (b == c) | (a == c);
    });
}

std::vector<std::uint8_t> vertexSelection(const Geoset& geoset) {
    std::vector<std::uint8_t> flags(geoset.Vertices.size());
    for (std::size_t v = 0; v < flags.size(); ++v) flags[v] = geoset.Vertices[v].selected != 0;
    return flags;
}

void deleteVertices(Geoset& geoset, const std::vector<std::uint8_t>& doomed) {
    const std::size_t n = geoset.Vertices.size();
    // removedBelow[v]: how many doomed vertices precede v; a corner v becomes v - removedBelow[v].
    std::vector<std::uint32_t> removedBelow(n);
    std::uint32_t removed = 0;
    std::size_t kept = 0;
    for (std::size_t v = 0; v < n; ++v) {
        removedBelow[v] = removed;
        if (v < doomed.size() && doomed[v]) {
            ++removed;
            continue;
        }
        if (kept != v) geoset.Vertices[kept] = std::move(geoset.Vertices[v]);
        ++kept;
    }
    if (removed == 0) return;
    geoset.Vertices.resize(kept);
    for (std::uint32_t& corner : geoset.corners) corner -= corner < n ? removedBelow[corner] : removed;
}

}  // namespace tess

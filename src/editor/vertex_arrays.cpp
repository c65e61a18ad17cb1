#include "editor/vertex_arrays.h"

#include <algorithm>
#include <cstddef>

#include "view/selection.h"

namespace tess {

void fitDocument(Document& document) {
    const std::vector<Geoset>& geosets = document.model.Geosets;
    document.selection.fit(document.model);
    document.pose.animatedPositions.resize(geosets.size());
    document.screenPositions.resize(geosets.size());
    for (std::size_t g = 0; g < geosets.size(); ++g) {
        const std::vector<Vec3>& rest = geosets[g].positions;
        std::vector<Vec3>& animated = document.pose.animatedPositions[g];
        if (animated.size() > rest.size()) animated.resize(rest.size());
        animated.insert(animated.end(), rest.begin() + static_cast<std::ptrdiff_t>(animated.size()),
                        rest.end());
        document.screenPositions[g].resize(rest.size());
    }
}

std::uint32_t appendVertexCopy(Document& document, std::size_t geoset, std::uint32_t source) {
    Geoset& g = document.model.Geosets[geoset];
    const std::uint32_t index = g.appendVertexCopy(source);
    GeosetSelection& marks = document.selection.geosets[geoset];
    marks.vertices.push_back(0);
    marks.uvs.push_back(0);
    document.pose.animatedPositions[geoset].push_back(g.positions[index]);
    std::vector<Vec3>& screen = document.screenPositions[geoset];
    screen.push_back(source < screen.size() ? screen[source] : Vec3{});
    return index;
}

void appendTriangle(Document& document, std::size_t geoset, std::uint32_t a, std::uint32_t b, std::uint32_t c,
                    std::uint8_t selected) {
    std::vector<std::uint32_t>& corners = document.model.Geosets[geoset].corners;
    // In front of a trailing partial triangle, so whole triangles stay aligned in threes.
    const auto end = static_cast<std::ptrdiff_t>(corners.size() / 3 * 3);
    corners.insert(corners.begin() + end, {a, b, c});
    document.selection.geosets[geoset].triangles.push_back(selected);
}

void removeVertices(Document& document, std::size_t geoset, const std::vector<std::uint8_t>& doomed) {
    Geoset& g = document.model.Geosets[geoset];
    const std::size_t n = g.vertexCount();
    // removedBelow[v]: how many doomed vertices precede v; a corner v becomes v - removedBelow[v].
    std::vector<std::uint32_t> removedBelow(n);
    std::uint32_t removed = 0;
    for (std::size_t v = 0; v < n; ++v) {
        removedBelow[v] = removed;
        removed += v < doomed.size() && doomed[v] ? 1 : 0;
    }
    if (removed == 0) return;
    // A trailing partial triangle naming a removed vertex goes with it, as every whole triangle
    // naming one has gone already; shifting its corners would aim them at another vertex or
    // past the last one.
    const auto whole = static_cast<std::ptrdiff_t>(g.corners.size() / 3 * 3);
    if (std::any_of(g.corners.begin() + whole, g.corners.end(),
                    [&doomed](std::uint32_t corner) { return flagAt(doomed, corner) != 0; }))
        g.corners.resize(static_cast<std::size_t>(whole));
    g.removeVertices(doomed);
    GeosetSelection& marks = document.selection.geosets[geoset];
    eraseDoomed(marks.vertices, doomed);
    eraseDoomed(marks.uvs, doomed);
    eraseDoomed(document.pose.animatedPositions[geoset], doomed);
    eraseDoomed(document.screenPositions[geoset], doomed);
    for (std::uint32_t& corner : g.corners) corner -= corner < n ? removedBelow[corner] : removed;
}

}  // namespace tess

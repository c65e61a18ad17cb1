#include "editor/uv_remap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "editor/mesh_selection.h"
#include "editor/vertex_arrays.h"

namespace tess {
namespace {

bool hasNaN(const Vec3& p) {
    return std::isnan(p[0]) || std::isnan(p[1]) || std::isnan(p[2]);
}

bool anyViewportSelection(const Document& document) {
    for (std::size_t g = 0; g < document.selection.geosets.size(); ++g) {
        const std::vector<std::uint8_t>& selected = document.selection.geosets[g].vertices;
        if (document.selection.isShown(g) && std::find(selected.begin(), selected.end(), 1) != selected.end())
            return true;
    }
    return false;
}

// Candidates in increasing index order; each one at the position of an earlier candidate is
// mapped onto the first candidate at that position and marked in `doomed`. Mapping onto the
// first, never onto a later one that is itself removed, keeps every chain from a shared
// vertex through its copy to a surviving vertex at two steps. Sorting by position finds
// the groups without comparing every pair; NaN positions equal nothing.
void weldCoincident(const std::vector<Vec3>& positions, const std::vector<std::uint32_t>& candidates,
                    std::vector<std::uint32_t>& map, std::vector<std::uint8_t>& doomed) {
    std::vector<std::uint32_t> order = candidates;
    const auto byPosition = [&positions](std::uint32_t a, std::uint32_t b) {
        return positions[a] < positions[b];
    };
    std::stable_sort(order.begin(), order.end(), byPosition);
    for (std::size_t start = 0; start < order.size();) {
        std::size_t end = start + 1;
        while (end < order.size() && !byPosition(order[start], order[end])) ++end;
        for (std::size_t i = start + 1; i < end; ++i) {
            map[order[i]] = order[start];
            doomed[order[i]] = 1;
        }
        start = end;
    }
}

void detachSelectedTriangles(Document& document, std::size_t g) {
    const Geoset& geoset = document.model.Geosets[g];
    const std::vector<std::uint8_t>& selectedTriangles = document.selection.geosets[g].triangles;
    const std::size_t n = geoset.vertexCount();
    std::vector<std::uint8_t> usedBySelected(n);
    std::vector<std::uint8_t> usedByOther(n);
    for (std::size_t t = 0; t < selectedTriangles.size(); ++t) {
        std::vector<std::uint8_t>& used = selectedTriangles[t] ? usedBySelected : usedByOther;
        for (std::size_t c = 3 * t; c < 3 * t + 3; ++c)
            if (geoset.corners[c] < n) used[geoset.corners[c]] = 1;
    }

    std::vector<std::uint32_t> map(n);
    for (std::size_t v = 0; v < n; ++v) {
        map[v] = static_cast<std::uint32_t>(v);
        if (!usedBySelected[v] || !usedByOther[v]) continue;
        const std::uint32_t copy = appendVertexCopy(document, g, static_cast<std::uint32_t>(v));
        map[v] = copy;
        map.push_back(copy);
    }

    std::vector<std::uint32_t> candidates;
    for (std::size_t v = 0; v < geoset.vertexCount(); ++v) {
        const bool selectedOnly = v < n && usedBySelected[v] && !usedByOther[v];
        if ((v >= n || selectedOnly) && !hasNaN(geoset.positions[v]))
            candidates.push_back(static_cast<std::uint32_t>(v));
    }
    std::vector<std::uint8_t> doomed(geoset.vertexCount());
    weldCoincident(geoset.positions, candidates, map, doomed);

    // Twice: a shared vertex leads to its copy, and the copy to the vertex it was welded onto.
    std::vector<std::uint32_t>& corners = document.model.Geosets[g].corners;
    for (std::size_t t = 0; t < selectedTriangles.size(); ++t) {
        if (!selectedTriangles[t]) continue;
        for (std::size_t c = 3 * t; c < 3 * t + 3; ++c)
            if (corners[c] < map.size()) corners[c] = map[map[corners[c]]];
    }
    removeVertices(document, g, doomed);
}

struct ScreenBox {
    float minX = 1e10f;
    float minY = 1e10f;
    float maxX = -1e10f;
    float maxY = -1e10f;
};

ScreenBox squareBoxOfSelection(const Document& document) {
    ScreenBox box;
    for (std::size_t g = 0; g < document.model.Geosets.size(); ++g) {
        if (!document.selection.isShown(g)) continue;
        const std::vector<std::uint8_t>& selected = document.selection.geosets[g].vertices;
        for (std::size_t v = 0; v < selected.size(); ++v) {
            if (!selected[v]) continue;
            const Vec3& p = document.screenPositions[g][v];
            box.minX = std::min(box.minX, p[0]);
            box.maxX = std::max(box.maxX, p[0]);
            box.minY = std::min(box.minY, p[1]);
            box.maxY = std::max(box.maxY, p[1]);
        }
    }
    const float d = (box.maxX - box.minX) - (box.maxY - box.minY);
    if (d <= 0) {
        box.maxX -= d / 2;
        box.minX += d / 2;
    } else {
        box.maxY += d / 2;
        box.minY -= d / 2;
    }
    return box;
}

}  // namespace

void remapSelection(Document& document, AppState& state, Host& host) {
    fitDocument(document);
    if (!anyViewportSelection(document)) return;
    for (std::size_t g = 0; g < document.model.Geosets.size(); ++g)
        if (document.selection.isShown(g)) detachSelectedTriangles(document, g);

    const ScreenBox box = squareBoxOfSelection(document);
    const float size = box.maxX - box.minX;
    const bool flat = !(size > 0) || !std::isfinite(size);
    selectVerticesOfSelectedFaces(document.model, document.selection);
    for (std::size_t g = 0; g < document.model.Geosets.size(); ++g) {
        if (!document.selection.isShown(g)) continue;
        Geoset& geoset = document.model.Geosets[g];
        GeosetSelection& marks = document.selection.geosets[g];
        marks.uvs = marks.vertices;
        if (geoset.textureSetCount() == 0) continue;
        for (std::size_t v = 0; v < marks.vertices.size(); ++v) {
            if (!marks.vertices[v]) continue;
            const Vec3& p = document.screenPositions[g][v];
            geoset.uvSets[0][v] =
                flat ? Vec2{0.5f, 0.5f} : Vec2{(p[0] - box.minX) / size, (p[1] - box.minY) / size};
        }
    }
    refreshTime(document, state, host);
}

}  // namespace tess

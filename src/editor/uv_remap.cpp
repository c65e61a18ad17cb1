#include "editor/uv_remap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "editor/document.h"
#include "editor/mesh_routines.h"
#include "editor/mesh_selection.h"

namespace tess {
namespace {

bool hasNaN(const Vec3& p) {
    return std::isnan(p[0]) || std::isnan(p[1]) || std::isnan(p[2]);
}

bool anyViewportSelection(const Model& model) {
    for (const Geoset& geoset : model.Geosets) {
        if (!geoset.shown) continue;
        for (const Vertex& v : geoset.Vertices)
            if (v.selected) return true;
    }
    return false;
}

// Candidates in increasing index order; each one at the position of an earlier candidate is
// mapped onto the first candidate at that position and marked in `doomed`. Mapping onto the
// first, never onto a later one that is itself removed, keeps every chain from a shared
// vertex through its copy to a surviving vertex at two steps. Sorting by position finds
// the groups without comparing every pair; NaN positions equal nothing.
void weldCoincident(const Geoset& geoset, const std::vector<std::uint32_t>& candidates,
                    std::vector<std::uint32_t>& map, std::vector<std::uint8_t>& doomed) {
    std::vector<std::uint32_t> order = candidates;
    const auto byPosition = [&geoset](std::uint32_t a, std::uint32_t b) {
        const Vec3& pa = geoset.Vertices[a].position;
        const Vec3& pb = geoset.Vertices[b].position;
        return pa < pb;
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

void detachSelectedTriangles(Geoset& geoset) {
    const std::size_t n = geoset.Vertices.size();
    const std::size_t triangles = geoset.triangleCount();
    std::vector<std::uint8_t> usedBySelected(n);
    std::vector<std::uint8_t> usedByOther(n);
    for (std::size_t t = 0; t < triangles; ++t) {
        std::vector<std::uint8_t>& used = geoset.triangleSelected[t] ? usedBySelected : usedByOther;
        for (std::size_t c = 3 * t; c < 3 * t + 3; ++c)
            if (geoset.corners[c] < n) used[geoset.corners[c]] = 1;
    }

    std::vector<std::uint32_t> map(n);
    for (std::size_t v = 0; v < n; ++v) {
        map[v] = static_cast<std::uint32_t>(v);
        if (!usedBySelected[v] || !usedByOther[v]) continue;
        const auto copyIndex = static_cast<std::uint32_t>(geoset.Vertices.size());
        Vertex copy = geoset.Vertices[v];
        settleNewVertex(copy);
        geoset.Vertices.push_back(std::move(copy));
        map[v] = copyIndex;
        map.push_back(copyIndex);
    }

    std::vector<std::uint32_t> candidates;
    for (std::size_t v = 0; v < geoset.Vertices.size(); ++v) {
        const bool selectedOnly = v < n && usedBySelected[v] && !usedByOther[v];
        if ((v >= n || selectedOnly) && !hasNaN(geoset.Vertices[v].position))
            candidates.push_back(static_cast<std::uint32_t>(v));
    }
    std::vector<std::uint8_t> doomed(geoset.Vertices.size());
    weldCoincident(geoset, candidates, map, doomed);

    // Twice: a shared vertex leads to its copy, and the copy to the vertex it was welded onto.
    for (std::size_t t = 0; t < triangles; ++t) {
        if (!geoset.triangleSelected[t]) continue;
        for (std::size_t c = 3 * t; c < 3 * t + 3; ++c) {
            std::uint32_t& corner = geoset.corners[c];
            if (corner < map.size()) corner = map[map[corner]];
        }
    }
    deleteVertices(geoset, doomed);
}

struct ScreenBox {
    float minX = 1e10f;
    float minY = 1e10f;
    float maxX = -1e10f;
    float maxY = -1e10f;
};

ScreenBox squareBoxOfSelection(const Model& model) {
    ScreenBox box;
    for (const Geoset& geoset : model.Geosets) {
        if (!geoset.shown) continue;
        for (const Vertex& v : geoset.Vertices) {
            if (!v.selected) continue;
            box.minX = std::min(box.minX, v.screenPosition[0]);
            box.maxX = std::max(box.maxX, v.screenPosition[0]);
            box.minY = std::min(box.minY, v.screenPosition[1]);
            box.maxY = std::max(box.maxY, v.screenPosition[1]);
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

void remapSelection(Model& model, AppState& state, Host& host) {
    if (!anyViewportSelection(model)) return;
    for (Geoset& geoset : model.Geosets)
        if (geoset.shown) detachSelectedTriangles(geoset);

    const ScreenBox box = squareBoxOfSelection(model);
    const float size = box.maxX - box.minX;
    const bool flat = !(size > 0) || !std::isfinite(size);
    selectVerticesOfSelectedFaces(model);
    for (Geoset& geoset : model.Geosets) {
        if (!geoset.shown) continue;
        for (Vertex& v : geoset.Vertices) {
            v.uvSelected = v.selected;
            if (!v.selected || v.U.empty() || v.V.empty()) continue;
            v.U[0] = flat ? 0.5f : (v.screenPosition[0] - box.minX) / size;
            v.V[0] = flat ? 0.5f : (v.screenPosition[1] - box.minY) / size;
        }
    }
    refreshTime(model, state, host);
}

}  // namespace tess

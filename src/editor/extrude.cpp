#include "editor/extrude.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "editor/mesh_selection.h"
#include "editor/vertex_arrays.h"

namespace tess {
namespace {

constexpr std::int64_t kNoIndex = -1;

struct Edge {
    float key = 0;  // sum of the coordinates of both ends: equal edges have equal keys
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    std::size_t geoset = 0;
    bool boundary = true;
    // Where the edge went in the key-ordered list when it was added: appended after every
    // edge (its key was the largest so far) or put before the edges of equal key.
    bool appended = false;
    std::size_t added = 0;
};

// Both ends summed separately and then added, so an edge and its reverse get bit-identical
// keys. -0 and +0 share a key; NaN sorts last.
float edgeKey(const Vec3& a, const Vec3& b) {
    const float key = (a[0] + a[1] + a[2]) + (b[0] + b[1] + b[2]) + 0.0f;
    return std::isnan(key) ? std::numeric_limits<float>::infinity() : key;
}

bool hasValidCorners(const Geoset& geoset, std::size_t triangle) {
    for (std::size_t c = 3 * triangle; c < 3 * triangle + 3; ++c)
        if (geoset.corners[c] >= geoset.vertexCount()) return false;
    return true;
}

// The edges of the selected triangles of the shown geosets in ascending key order, each
// still marked boundary unless another edge joins the same two positions. Of equal keys, those added while
// their key was the largest come last in the order they were added; the others come first, the latest added
// first.
std::vector<Edge> selectionEdges(const Document& document) {
    const Model& model = document.model;
    std::vector<Edge> edges;
    float largest = -std::numeric_limits<float>::infinity();
    for (std::size_t g = 0; g < model.Geosets.size(); ++g) {
        const Geoset& geoset = model.Geosets[g];
        if (!document.selection.isShown(g)) continue;
        const std::vector<std::uint8_t>& selected = document.selection.geosets[g].triangles;
        for (std::size_t t = 0; t < selected.size(); ++t) {
            if (!selected[t] || !hasValidCorners(geoset, t)) continue;
            for (std::size_t k = 0; k < 3; ++k) {
                Edge edge;
                edge.start = geoset.corners[3 * t + k];
                edge.end = geoset.corners[3 * t + (k + 1) % 3];
                edge.geoset = g;
                edge.key = edgeKey(geoset.positions[edge.start], geoset.positions[edge.end]);
                edge.appended = edges.empty() || edge.key >= largest;
                edge.added = edges.size();
                largest = std::max(largest, edge.key);
                edges.push_back(edge);
            }
        }
    }
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) {
        if (a.key != b.key) return a.key < b.key;
        if (a.appended != b.appended) return b.appended;
        return a.appended ? a.added < b.added : a.added > b.added;
    });

    const auto position = [&](const Edge& e, std::uint32_t v) -> const Vec3& {
        return model.Geosets[e.geoset].positions[v];
    };
    for (std::size_t i = 0; i < edges.size(); ++i) {
        if (!edges[i].boundary) continue;
        for (std::size_t j = i + 1; j < edges.size() && edges[j].key == edges[i].key; ++j) {
            const Vec3& si = position(edges[i], edges[i].start);
            const Vec3& ei = position(edges[i], edges[i].end);
            const Vec3& sj = position(edges[j], edges[j].start);
            const Vec3& ej = position(edges[j], edges[j].end);
            if ((si == sj && ei == ej) || (si == ej && ei == sj))
                edges[i].boundary = edges[j].boundary = false;
        }
    }
    return edges;
}

// Copies the selected boundary vertices of geoset `g`, moves the selected triangles onto the
// copies, and returns the new index of every selected vertex (kNoIndex for the others).
std::vector<std::int64_t> splitBoundaryVertices(Document& document, std::size_t g,
                                                const std::vector<Edge>& edges) {
    const std::size_t n = document.model.Geosets[g].vertexCount();
    std::vector<std::uint8_t> onBoundary(n, 0);
    for (const Edge& e : edges)
        if (e.boundary && e.geoset == g) onBoundary[e.start] = onBoundary[e.end] = 1;

    std::vector<std::uint8_t>& selected = document.selection.geosets[g].vertices;
    std::vector<std::int64_t> newIndex(n, kNoIndex);
    for (std::size_t i = 0; i < n; ++i) {
        if (!selected[i]) continue;
        if (!onBoundary[i]) {
            newIndex[i] = static_cast<std::int64_t>(i);
            continue;
        }
        const std::uint32_t copy = appendVertexCopy(document, g, static_cast<std::uint32_t>(i));
        selected[i] = 0;
        selected[copy] = 1;
        newIndex[i] = copy;
    }

    Geoset& geoset = document.model.Geosets[g];
    const std::vector<std::uint8_t>& triangles = document.selection.geosets[g].triangles;
    for (std::size_t t = 0; t < triangles.size(); ++t) {
        if (!triangles[t]) continue;
        for (std::size_t c = 3 * t; c < 3 * t + 3; ++c) {
            const std::uint32_t v = geoset.corners[c];
            if (v < n && newIndex[v] != kNoIndex) geoset.corners[c] = static_cast<std::uint32_t>(newIndex[v]);
        }
    }
    return newIndex;
}

}  // namespace

void extrudeSelection(Document& document) {
    fitDocument(document);
    const std::vector<Edge> edges = selectionEdges(document);

    std::vector<std::vector<std::int64_t>> newIndex(document.model.Geosets.size());
    for (std::size_t g = 0; g < newIndex.size(); ++g)
        if (document.selection.isShown(g)) newIndex[g] = splitBoundaryVertices(document, g, edges);

    for (const Edge& e : edges) {
        if (!e.boundary) continue;
        const std::int64_t startCopy = newIndex[e.geoset][e.start];
        const std::int64_t endCopy = newIndex[e.geoset][e.end];
        if (startCopy == kNoIndex || endCopy == kNoIndex) continue;
        const auto s2 = static_cast<std::uint32_t>(startCopy), e2 = static_cast<std::uint32_t>(endCopy);
        appendTriangle(document, e.geoset, e.start, e.end, s2, 0);
        appendTriangle(document, e.geoset, s2, e.end, e2, 0);
    }

    selectVerticesOfSelectedFaces(document.model, document.selection);
    resetPose(document);
}

}  // namespace tess

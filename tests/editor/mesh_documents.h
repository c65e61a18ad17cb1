#pragma once

#include <cstdint>
#include <vector>

#include "editor/document.h"
#include "editor/vertex_arrays.h"

namespace tess::testing {

using Corners = std::vector<std::uint32_t>;
using Flags = std::vector<std::uint8_t>;

// Vertex i at (i, i % 2, 0), normal (0, 0, 1), group i, texture point (i / 4, 1 - i / 4).
inline Geoset lineGeoset(std::size_t count, Corners corners) {
    Geoset g;
    g.uvSets.resize(1);
    for (std::uint32_t i = 0; i < count; ++i) {
        g.positions.push_back({float(i), float(i % 2), 0});
        g.normals.push_back({0, 0, 1});
        g.uvSets[0].push_back({float(i) / 4, 1 - float(i) / 4});
        g.vertexGroups.push_back(i);
        g.matrixGroups.push_back({0});
    }
    g.corners = std::move(corners);
    return g;
}

// A fitted document, every geoset shown, with the given vertex and triangle flags.
inline Document documentOf(std::vector<Geoset> geosets, std::vector<Flags> vertices = {},
                           std::vector<Flags> triangles = {}) {
    Document d;
    d.model.Geosets = std::move(geosets);
    fitDocument(d);
    for (std::size_t g = 0; g < d.model.Geosets.size(); ++g) {
        if (g < vertices.size() && !vertices[g].empty()) d.selection.geosets[g].vertices = vertices[g];
        if (g < triangles.size() && !triangles[g].empty()) d.selection.geosets[g].triangles = triangles[g];
    }
    return d;
}

inline bool sameDocument(const Document& a, const Document& b) {
    return a.model == b.model && a.selection == b.selection &&
           a.pose.animatedPositions == b.pose.animatedPositions && a.screenPositions == b.screenPositions;
}

// Every array beside the model has the model's length; whole triangles' corners name vertices.
inline bool consistent(const Document& d) {
    const std::size_t geosets = d.model.Geosets.size();
    bool ok = d.selection.geosets.size() == geosets && d.selection.shown.size() == geosets &&
              d.pose.animatedPositions.size() == geosets && d.screenPositions.size() == geosets;
    for (std::size_t g = 0; ok && g < geosets; ++g) {
        const Geoset& geoset = d.model.Geosets[g];
        const GeosetSelection& marks = d.selection.geosets[g];
        const std::size_t n = geoset.vertexCount();
        ok = marks.triangles.size() == geoset.triangleCount();
        for (const std::size_t size :
             {geoset.normals.size(), geoset.vertexGroups.size(), marks.vertices.size(), marks.uvs.size(),
              d.pose.animatedPositions[g].size(), d.screenPositions[g].size()})
            ok = ok && size == n;
        for (const std::vector<Vec2>& set : geoset.uvSets) ok = ok && set.size() == n;
        for (std::size_t c = 0; c < 3 * geoset.triangleCount(); ++c) ok = ok && geoset.corners[c] < n;
    }
    return ok;
}

}  // namespace tess::testing

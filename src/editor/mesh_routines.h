#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/model.h"

namespace tess {

// Small routines that keep a geoset's three parallel arrays (vertices, corner list,
// triangle records) consistent. Every mesh edit is built from them.
//
// Preconditions shared by all of them: the geoset holds one triangle record per three
// corners (the readers and every routine here keep it so). Data the readers may leave
// behind is tolerated: a corner index at or above the vertex count is never used to reach
// a vertex, and a trailing partial triangle (one or two corners after the last whole
// one) stays at the end of the corner list, behind any triangle appended here.

// The viewport selection of every vertex, one byte each (1 = selected): compact, for the
// passes that look a flag up at every corner.
std::vector<std::uint8_t> vertexSelection(const Geoset& geoset);

// The flag of vertex `index`; 0 for an index past the end.
inline std::uint8_t flagAt(const std::vector<std::uint8_t>& flags, std::uint32_t index) {
    return index < flags.size() ? flags[index] : std::uint8_t{0};
}

// Appends triangle (a, b, c) with the given selection byte.
void appendTriangle(Geoset& geoset, std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint8_t selected);

// Removes, in one pass, every triangle t for which `doomed(t)` is true; survivors keep
// their order. `doomed` sees the triangle's original index and its original corners, so
// the result equals deleting the triangles one at a time. Returns how many were removed.
template <class Doomed>
std::size_t deleteTrianglesIf(Geoset& geoset, Doomed doomed) {
    const std::size_t count = geoset.triangleCount();
    std::size_t kept = 0;
    for (std::size_t t = 0; t < count; ++t) {
        // Every triangle is copied down and only survivors advance the end, so the loop
        // does not branch on a pattern that may be random.
        const bool drop = doomed(t);
        for (std::size_t c = 0; c < 3; ++c) geoset.corners[3 * kept + c] = geoset.corners[3 * t + c];
        geoset.triangleSelected[kept] = geoset.triangleSelected[t];
        kept += drop ? 0 : 1;
    }
    if (kept == count) return 0;
    geoset.corners.erase(geoset.corners.begin() + static_cast<std::ptrdiff_t>(3 * kept),
                         geoset.corners.begin() + static_cast<std::ptrdiff_t>(3 * count));
    geoset.triangleSelected.resize(kept);
    return count - kept;
}

// Removes every triangle that uses one vertex index twice.
void dropDegenerateTriangles(Geoset& geoset);

// Removes every vertex v whose `doomed[v]` is set (entries past the end count as unset)
// in one pass; survivors keep their order. Every corner index drops by the number of
// removed vertices below it, which is exactly what removing them one at a time (each
// removal lowering the greater corners by one) does, corners naming a removed vertex included.
void deleteVertices(Geoset& geoset, const std::vector<std::uint8_t>& doomed);

// Gives a vertex made by an edit the runtime state of a vertex at rest: animated position =
// position, animated normal = normal, current (u, v) = its first texture-coordinate set
// ((0, 0) without one), both selection flags cleared. The screen position is left alone.
inline void settleNewVertex(Vertex& vertex) {
    vertex.animatedPosition = vertex.position;
    vertex.animatedNormal = vertex.normal;
    vertex.currentUV = {vertex.U.empty() ? 0.0f : vertex.U[0], vertex.V.empty() ? 0.0f : vertex.V[0]};
    vertex.selected = 0;
    vertex.uvSelected = 0;
}

// `v` scaled to unit length; (0, 0, 1) when it has no usable length.
inline Vec3 normalisedOrUp(const Vec3& v) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (!(length > 0) || !std::isfinite(length)) return {0, 0, 1};
    const float inverse = 1 / length;
    return {v[0] * inverse, v[1] * inverse, v[2] * inverse};
}

}  // namespace tess

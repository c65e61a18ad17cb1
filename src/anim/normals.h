#pragma once

#include <cstddef>

#include "model/model.h"

namespace tess {

// The unnormalised normal of triangle `triangle` from the rest positions of its corners
// P0, P1, P2: (P0 - P1) x (P1 - P2); its length is twice the triangle's area. A corner
// index outside the vertices counts as the origin.
Vec3 faceNormal(const Geoset& geoset, std::size_t triangle);

// Rebuilds the normals (one per vertex) as the normalised sum of the face normals of the
// triangles using each vertex (area-weighted); a vertex used by none, or whose sum is zero,
// gets (0, 0, 1).
void recomputeNormals(Geoset& geoset);

}  // namespace tess

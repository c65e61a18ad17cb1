#include "anim/normals.h"

#include <cmath>

namespace tess {
namespace {

Vec3 cornerPosition(const Geoset& geoset, std::size_t corner) {
    const std::uint32_t v = geoset.corners[corner];
    return v < geoset.vertexCount() ? geoset.positions[v] : Vec3{};
}

// The face normal, kept in this file so the per-triangle loop below can inline it.
inline Vec3 unnormalisedFaceNormal(const Geoset& geoset, std::size_t triangle) {
    const Vec3 p0 = cornerPosition(geoset, 3 * triangle);
    const Vec3 p1 = cornerPosition(geoset, 3 * triangle + 1);
    const Vec3 p2 = cornerPosition(geoset, 3 * triangle + 2);
    const Vec3 e1{p0[0] - p1[0], p0[1] - p1[1], p0[2] - p1[2]};
    const Vec3 e2{p1[0] - p2[0], p1[1] - p2[1], p1[2] - p2[2]};
    return {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
}

}  // namespace

Vec3 faceNormal(const Geoset& geoset, std::size_t triangle) {
    return unnormalisedFaceNormal(geoset, triangle);
}

void recomputeNormals(Geoset& geoset) {
    std::vector<Vec3>& normals = geoset.normals;
    normals.assign(geoset.vertexCount(), Vec3{0, 0, 0});
    const std::size_t triangles = geoset.triangleCount();
    for (std::size_t t = 0; t < triangles; ++t) {
        const Vec3 n = unnormalisedFaceNormal(geoset, t);
        for (std::size_t c = 3 * t; c < 3 * t + 3; ++c) {
            const std::uint32_t v = geoset.corners[c];
            if (v >= normals.size()) continue;
            for (int k = 0; k < 3; ++k) normals[v][k] += n[k];
        }
    }
    for (Vec3& n : normals) {
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (length == 0 || !std::isfinite(length))
            n = {0, 0, 1};
        else
            for (float& c : n) c /= length;
    }
}

}  // namespace tess

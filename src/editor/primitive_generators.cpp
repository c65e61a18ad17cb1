#include "editor/primitive_generators.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "anim/normals.h"
#include "editor/mesh_routines.h"

namespace tess {
namespace {

constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kHalfPi = 1.5707964f;

std::uint32_t vertexCount(const Geoset& geoset) {
    return static_cast<std::uint32_t>(geoset.vertexCount());
}

std::uint32_t clampCount(std::int32_t count, std::int32_t low, std::int32_t high) {
    return static_cast<std::uint32_t>(std::clamp(count, low, high));
}

// A geoset with no vertices yet and its one texture-coordinate set.
Geoset emptyMesh() {
    Geoset geoset;
    geoset.uvSets.resize(1);
    return geoset;
}

void appendVertex(Geoset& geoset, const Vec3& position, const Vec3& normal, float u = 0, float v = 0) {
    geoset.positions.push_back(position);
    geoset.normals.push_back(normal);
    geoset.uvSets[0].push_back({u, v});
    geoset.vertexGroups.push_back(0);
}

void addTriangle(Geoset& geoset, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    geoset.corners.insert(geoset.corners.end(), {a, b, c});
}

// Gives every vertex the normalised sum of the face normals of the triangles using it.
void setNormalsFromFaces(Geoset& geoset) {
    std::vector<Vec3> sums(geoset.vertexCount(), Vec3{});
    for (std::size_t t = 0; t < geoset.triangleCount(); ++t) {
        const Vec3 n = faceNormal(geoset, t);
        for (std::size_t c = 3 * t; c < 3 * t + 3; ++c)
            for (int k = 0; k < 3; ++k) sums[geoset.corners[c]][k] += n[k];
    }
    for (std::size_t i = 0; i < sums.size(); ++i) geoset.normals[i] = normalisedOrUp(sums[i]);
}

// The walls of a cylinder of `rings` + 1 rings; `facingAxis` winds them (and points their
// normals) towards the axis, for a tube's inner wall.
void appendCylinderWall(Geoset& geoset, float x, float y, float z, float radius, float height,
                        std::uint32_t radial, std::uint32_t rings, bool facingAxis) {
    const std::uint32_t base = vertexCount(geoset);
    const float dz = height / static_cast<float>(rings);
    const float dTheta = kTwoPi / static_cast<float>(radial);
    const float side = facingAxis ? -1.0f : 1.0f;
    for (std::uint32_t k = 0; k <= rings; ++k)
        for (std::uint32_t q = 0; q < radial; ++q) {
            const float theta = static_cast<float>(q) * dTheta;
            const float c = std::cos(theta), s = std::sin(theta);
            appendVertex(geoset, {x + radius * c, y + radius * s, z + static_cast<float>(k) * dz},
                         {side * c, side * s, 0});
        }
    for (std::uint32_t k = 0; k < rings; ++k)
        for (std::uint32_t q = 0; q < radial; ++q) {
            const std::uint32_t lo = base + k * radial, up = base + (k + 1) * radial, next = (q + 1) % radial;
            if (facingAxis) {
                addTriangle(geoset, lo + next, lo + q, up + q);
                addTriangle(geoset, lo + next, up + q, up + next);
            } else {
                addTriangle(geoset, lo + q, lo + next, up + q);
                addTriangle(geoset, up + q, lo + next, up + next);
            }
        }
}

}  // namespace

Geoset generatePlane(float x, float y, float z, float width, float length, std::int32_t widthSegments,
                     std::int32_t lengthSegments) {
    Geoset geoset = emptyMesh();
    const std::uint32_t w = clampCount(widthSegments, 1, 40), l = clampCount(lengthSegments, 1, 40);
    const float x0 = x - width / 2, y0 = y - length / 2;
    const float dx = width / static_cast<float>(w), dy = length / static_cast<float>(l);
    for (std::uint32_t i = 0; i <= w; ++i)
        for (std::uint32_t j = 0; j <= l; ++j) {
            const float fi = static_cast<float>(i), fj = static_cast<float>(j);
            appendVertex(geoset, {x0 + fi * dx, y0 + fj * dy, z}, {0, 0, 1}, fi / static_cast<float>(w),
                         fj / static_cast<float>(l));
        }
    const std::uint32_t stride = l + 1;
    for (std::uint32_t i = 0; i < w; ++i)
        for (std::uint32_t j = 0; j < l; ++j) {
            const std::uint32_t a = i * stride + j;
            addTriangle(geoset, a, a + stride, a + 1);
            addTriangle(geoset, a + stride + 1, a + 1, a + stride);
        }
    return geoset;
}

Geoset generateBox(float x, float y, float z, float width, float length, float height,
                   std::int32_t widthSegments, std::int32_t lengthSegments, std::int32_t heightSegments) {
    Geoset geoset = emptyMesh();
    const std::uint32_t w = clampCount(widthSegments, 1, 20), l = clampCount(lengthSegments, 1, 20),
                        h = clampCount(heightSegments, 1, 20);
    const float x0 = x - width / 2, y0 = y - length / 2, z0 = z - height / 2;
    const float x1 = x0 + width, y1 = y0 + length;
    const float dx = width / static_cast<float>(w), dy = length / static_cast<float>(l),
                dz = height / static_cast<float>(h);
    const std::uint32_t ring = 2 * (w + l);

    // Each side ring runs round the box: up the x0 side, along y1, down x1, back along y0.
    for (std::uint32_t k = 0; k <= h; ++k) {
        const float zk = z0 + static_cast<float>(k) * dz;
        for (std::uint32_t j = 0; j < l; ++j)
            appendVertex(geoset, {x0, y0 + static_cast<float>(j) * dy, zk}, {});
        for (std::uint32_t i = 0; i < w; ++i)
            appendVertex(geoset, {x0 + static_cast<float>(i) * dx, y1, zk}, {});
        for (std::uint32_t j = 0; j < l; ++j)
            appendVertex(geoset, {x1, y1 - static_cast<float>(j) * dy, zk}, {});
        for (std::uint32_t i = 0; i < w; ++i)
            appendVertex(geoset, {x1 - static_cast<float>(i) * dx, y0, zk}, {});
    }
    for (std::uint32_t k = 0; k < h; ++k)
        for (std::uint32_t m = 0; m < ring; ++m) {
            const std::uint32_t lo = k * ring, up = (k + 1) * ring, next = (m + 1) % ring;
            addTriangle(geoset, lo + next, lo + m, up + m);
            addTriangle(geoset, lo + next, up + m, up + next);
        }

    for (std::uint32_t s = 0; s < 2; ++s) {
        const float zs = s == 0 ? z0 : z0 + height;
        const std::uint32_t border = s * ring * h;
        const std::uint32_t interior = vertexCount(geoset);
        for (std::uint32_t i = 1; i < w; ++i)
            for (std::uint32_t j = 1; j < l; ++j)
                appendVertex(geoset, {x0 + static_cast<float>(i) * dx, y0 + static_cast<float>(j) * dy, zs},
                             {});
        // Grid point (i, j) of the cap: on the border ring at the edges, else interior.
        const auto grid = [&](std::uint32_t i, std::uint32_t j) -> std::uint32_t {
            if (i == 0) return border + j;
            if (j == l) return border + l + i;
            if (i == w) return border + w + 2 * l - j;
            if (j != 0) return interior + (i - 1) * (l - 1) + (j - 1);
            return border + 2 * (w + l) - i;
        };
        for (std::uint32_t i = 0; i < w; ++i)
            for (std::uint32_t j = 0; j < l; ++j) {
                const std::uint32_t a = grid(i, j), b = grid(i + 1, j), c = grid(i, j + 1),
                                    d = grid(i + 1, j + 1);
                if (s == 1) {
                    addTriangle(geoset, a, b, d);
                    addTriangle(geoset, c, a, d);
                } else {
                    addTriangle(geoset, b, a, c);
                    addTriangle(geoset, b, c, d);
                }
            }
    }
    setNormalsFromFaces(geoset);
    return geoset;
}

Geoset generateGeosphere(float x, float y, float z, float radius, std::int32_t subdivisions) {
    Geoset geoset = emptyMesh();
    const std::int32_t passes = std::clamp(subdivisions, 0, 4);
    // Built on the unit sphere first; the points double as the normals.
    std::vector<Vec3> points = {{0, 0, 1}, {0, 0, -1}};
    std::vector<std::array<std::uint32_t, 3>> triangles;
    const float rho = 0.4f * std::sqrt(5.0f), zeta = std::sqrt(5.0f) / 5;
    for (std::uint32_t k = 0; k < 5; ++k) {
        const float theta = static_cast<float>(k) * 1.2566371f;
        points.push_back({rho * std::cos(theta), rho * std::sin(theta), zeta});
        triangles.push_back({0, 2 + k, 2 + (k + 1) % 5});
    }
    for (std::uint32_t k = 0; k < 5; ++k) {
        const float theta = static_cast<float>(k) * 1.2566371f + 0.62831855f;
        points.push_back({rho * std::cos(theta), rho * std::sin(theta), -zeta});
        const std::uint32_t next = (k + 1) % 5;
        triangles.push_back({7 + k, 1, 7 + next});
        triangles.push_back({7 + k, 7 + next, 2 + next});
        triangles.push_back({2 + k, 7 + k, 2 + next});
    }

    for (std::int32_t pass = 0; pass < passes; ++pass) {
        std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> midpoints;
        const auto midpoint = [&](std::uint32_t a, std::uint32_t b) {
            const auto key = std::minmax(a, b);
            const auto found = midpoints.find(key);
            if (found != midpoints.end()) return found->second;
            const Vec3& p = points[a];
            const Vec3& q = points[b];
            points.push_back(normalisedOrUp({(p[0] + q[0]) / 2, (p[1] + q[1]) / 2, (p[2] + q[2]) / 2}));
            const auto index = static_cast<std::uint32_t>(points.size() - 1);
            midpoints.emplace(key, index);
            return index;
        };
        const std::size_t count = triangles.size();
        for (std::size_t t = 0; t < count; ++t) {
            const auto [a, b, c] = triangles[t];
            const std::uint32_t m0 = midpoint(a, b), m1 = midpoint(b, c), m2 = midpoint(c, a);
            triangles.push_back({a, m0, m2});
            triangles.push_back({b, m1, m0});
            triangles.push_back({c, m2, m1});
            triangles[t] = {m0, m1, m2};
        }
    }

    for (const Vec3& p : points)
        appendVertex(geoset, {p[0] * radius + x, p[1] * radius + y, p[2] * radius + z}, normalisedOrUp(p));
    for (const auto& [a, b, c] : triangles) addTriangle(geoset, a, b, c);
    return geoset;
}

Geoset generateCylinder(float x, float y, float z, float radius, float height, std::int32_t radialSegments,
                        std::int32_t heightSegments, bool capped) {
    Geoset geoset = emptyMesh();
    const std::uint32_t radial = clampCount(radialSegments, 3, 32), rings = clampCount(heightSegments, 1, 15);
    appendCylinderWall(geoset, x, y, z, radius, height, radial, rings, false);
    if (!capped) return geoset;
    const std::uint32_t centre = vertexCount(geoset);
    appendVertex(geoset, {x, y, z}, {0, 0, -1});
    appendVertex(geoset, {x, y, z + height}, {0, 0, 1});
    const std::uint32_t top = rings * radial;
    for (std::uint32_t q = 0; q < radial; ++q) {
        const std::uint32_t next = (q + 1) % radial;
        addTriangle(geoset, next, q, centre);
        addTriangle(geoset, top + q, top + next, centre + 1);
    }
    return geoset;
}

Geoset generateTube(float x, float y, float z, float innerRadius, float outerRadius, float height,
                    std::int32_t radialSegments, std::int32_t heightSegments) {
    Geoset geoset = emptyMesh();
    const std::uint32_t radial = clampCount(radialSegments, 3, 32), rings = clampCount(heightSegments, 1, 15);
    const std::uint32_t innerBottom = 0;
    appendCylinderWall(geoset, x, y, z, innerRadius, height, radial, rings, true);
    const std::uint32_t innerTop = vertexCount(geoset) - radial;
    const std::uint32_t outerBottom = vertexCount(geoset);
    appendCylinderWall(geoset, x, y, z, outerRadius, height, radial, rings, false);
    const std::uint32_t outerTop = vertexCount(geoset) - radial;
    for (std::uint32_t q = 0; q < radial; ++q) {
        const std::uint32_t next = (q + 1) % radial;
        addTriangle(geoset, innerBottom + q, innerBottom + next, outerBottom + q);
        addTriangle(geoset, innerBottom + next, outerBottom + next, outerBottom + q);
        addTriangle(geoset, innerTop + q, outerTop + q, innerTop + next);
        addTriangle(geoset, innerTop + next, outerTop + q, outerTop + next);
    }
    return geoset;
}

Geoset generateSphere(float x, float y, float z, float radius, std::int32_t radialSegments,
                      std::int32_t heightSegments) {
    Geoset geoset = emptyMesh();
    const std::uint32_t radial = clampCount(radialSegments, 3, 32), h = clampCount(heightSegments, 2, 15);
    const float dPhi = kPi / static_cast<float>(h), dTheta = kTwoPi / static_cast<float>(radial);
    appendVertex(geoset, {x, y, z - radius}, {0, 0, -1});
    appendVertex(geoset, {x, y, z + radius}, {0, 0, 1});

    // The two polar fans refer to ring vertices appended below.
    const std::uint32_t firstRing = 2, lastRing = firstRing + (h - 2) * radial;
    for (std::uint32_t q = 0; q < radial; ++q) {
        const std::uint32_t next = (q + 1) % radial;
        addTriangle(geoset, 0, firstRing + q, firstRing + next);
        addTriangle(geoset, lastRing + q, 1, lastRing + next);
    }
    for (std::uint32_t k = 1; k < h; ++k) {
        const float phi = static_cast<float>(k) * dPhi - kHalfPi;
        const float cosPhi = std::cos(phi), sinPhi = std::sin(phi);
        for (std::uint32_t q = 0; q < radial; ++q) {
            const float theta = static_cast<float>(q) * dTheta;
            const float s = std::sin(theta), c = std::cos(theta);
            appendVertex(geoset, {x + radius * cosPhi * s, y + radius * cosPhi * c, z + radius * sinPhi},
                         {cosPhi * s, cosPhi * c, sinPhi});
        }
        if (k + 1 == h) continue;
        const std::uint32_t a = firstRing + (k - 1) * radial, b = firstRing + k * radial;
        for (std::uint32_t q = 0; q < radial; ++q) {
            const std::uint32_t next = (q + 1) % radial;
            addTriangle(geoset, a + q, b + q, a + next);
            addTriangle(geoset, b + next, a + next, b + q);
        }
    }
    return geoset;
}

void computeGeosetBounds(Geoset& geoset) {
    if (geoset.positions.empty()) {
        geoset.MinimumExtent = {};
        geoset.MaximumExtent = {};
        geoset.BoundsRadius = 0;
        return;
    }
    Vec3 low = geoset.positions[0], high = low;
    for (const Vec3& p : geoset.positions)
        for (int k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], p[k]);
            high[k] = std::max(high[k], p[k]);
        }
    const Vec3 centre{(low[0] + high[0]) / 2, (low[1] + high[1]) / 2, (low[2] + high[2]) / 2};
    float radiusSquared = 0;
    for (const Vec3& p : geoset.positions) {
        const float dx = p[0] - centre[0], dy = p[1] - centre[1], dz = p[2] - centre[2];
        radiusSquared = std::max(radiusSquared, dx * dx + dy * dy + dz * dz);
    }
    geoset.MinimumExtent = low;
    geoset.MaximumExtent = high;
    geoset.BoundsRadius = std::sqrt(radiusSquared);
}

}  // namespace tess

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
    return static_cast<std::uint32_t>(geoset.Vertices.size());
}

std::uint32_t clampCount(std::int32_t count, std::int32_t low, std::int32_t high) {
    return static_cast<std::uint32_t>(std::clamp(count, low, high));
}

void appendVertex(Geoset& geoset, const Vec3& position, const Vec3& normal, float u = 0, float v = 0,
                  bool selected = false) {
    Vertex vertex;
    vertex.position = position;
    vertex.normal = normal;
    vertex.U = {u};
    vertex.V = {v};
    vertex.animatedPosition = position;
    vertex.animatedNormal = normal;
    vertex.currentUV = {u, v};
    vertex.selected = selected ? 1 : 0;
    geoset.Vertices.push_back(vertex);
}

// Gives the vertices from `firstVertex` on the normalised sum of the face normals of the
// triangles from `firstTriangle` on, leaving the rest of the geoset alone.
void setNormalsFromFaces(Geoset& geoset, std::uint32_t firstVertex, std::size_t firstTriangle) {
    std::vector<Vec3> sums(geoset.Vertices.size() - firstVertex, Vec3{});
    for (std::size_t t = firstTriangle; t < geoset.triangleCount(); ++t) {
        const Vec3 n = faceNormal(geoset, t);
        for (std::size_t c = 3 * t; c < 3 * t + 3; ++c)
            for (int k = 0; k < 3; ++k) sums[geoset.corners[c] - firstVertex][k] += n[k];
    }
    for (std::size_t i = 0; i < sums.size(); ++i) {
        Vertex& v = geoset.Vertices[firstVertex + i];
        v.normal = normalisedOrUp(sums[i]);
        v.animatedNormal = v.normal;
    }
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
                appendTriangle(geoset, lo + next, lo + q, up + q, 1);
                appendTriangle(geoset, lo + next, up + q, up + next, 1);
            } else {
                appendTriangle(geoset, lo + q, lo + next, up + q, 1);
                appendTriangle(geoset, up + q, lo + next, up + next, 1);
            }
        }
}

}  // namespace

void generatePlane(Geoset& geoset, float x, float y, float z, float width, float length,
                   std::int32_t widthSegments, std::int32_t lengthSegments) {
    const std::uint32_t w = clampCount(widthSegments, 1, 40), l = clampCount(lengthSegments, 1, 40);
    const std::uint32_t base = vertexCount(geoset);
    const float x0 = x - width / 2, y0 = y - length / 2;
    const float dx = width / static_cast<float>(w), dy = length / static_cast<float>(l);
    for (std::uint32_t i = 0; i <= w; ++i)
        for (std::uint32_t j = 0; j <= l; ++j) {
            const float fi = static_cast<float>(i), fj = static_cast<float>(j);
            appendVertex(geoset, {x0 + fi * dx, y0 + fj * dy, z}, {0, 0, 1}, fi / static_cast<float>(w),
                         fj / static_cast<float>(l), true);
        }
    const std::uint32_t stride = l + 1;
    for (std::uint32_t i = 0; i < w; ++i)
        for (std::uint32_t j = 0; j < l; ++j) {
            const std::uint32_t a = base + i * stride + j;
            appendTriangle(geoset, a, a + stride, a + 1, 1);
            appendTriangle(geoset, a + stride + 1, a + 1, a + stride, 1);
        }
}

void generateBox(Geoset& geoset, float x, float y, float z, float width, float length, float height,
                 std::int32_t widthSegments, std::int32_t lengthSegments, std::int32_t heightSegments) {
    const std::uint32_t w = clampCount(widthSegments, 1, 20), l = clampCount(lengthSegments, 1, 20),
                        h = clampCount(heightSegments, 1, 20);
    const std::uint32_t base = vertexCount(geoset);
    const std::size_t firstTriangle = geoset.triangleCount();
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
            const std::uint32_t lo = base + k * ring, up = base + (k + 1) * ring, next = (m + 1) % ring;
            appendTriangle(geoset, lo + next, lo + m, up + m, 1);
            appendTriangle(geoset, lo + next, up + m, up + next, 1);
        }

    for (std::uint32_t s = 0; s < 2; ++s) {
        const float zs = s == 0 ? z0 : z0 + height;
        const std::uint32_t border = base + s * ring * h;
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
                    appendTriangle(geoset, a, b, d, 1);
                    appendTriangle(geoset, c, a, d, 1);
                } else {
                    appendTriangle(geoset, b, a, c, 1);
                    appendTriangle(geoset, b, c, d, 1);
                }
            }
    }
    setNormalsFromFaces(geoset, base, firstTriangle);
}

void generateGeosphere(Geoset& geoset, float x, float y, float z, float radius, std::int32_t subdivisions) {
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

    const std::uint32_t base = vertexCount(geoset);
    for (const Vec3& p : points)
        appendVertex(geoset, {p[0] * radius + x, p[1] * radius + y, p[2] * radius + z}, normalisedOrUp(p));
    for (const auto& [a, b, c] : triangles) appendTriangle(geoset, base + a, base + b, base + c, 1);
}

void generateCylinder(Geoset& geoset, float x, float y, float z, float radius, float height,
                      std::int32_t radialSegments, std::int32_t heightSegments, bool capped) {
    const std::uint32_t radial = clampCount(radialSegments, 3, 32), rings = clampCount(heightSegments, 1, 15);
    const std::uint32_t base = vertexCount(geoset);
    appendCylinderWall(geoset, x, y, z, radius, height, radial, rings, false);
    if (!capped) return;
    const std::uint32_t centre = vertexCount(geoset);
    appendVertex(geoset, {x, y, z}, {0, 0, -1});
    appendVertex(geoset, {x, y, z + height}, {0, 0, 1});
    const std::uint32_t top = base + rings * radial;
    for (std::uint32_t q = 0; q < radial; ++q) {
        const std::uint32_t next = (q + 1) % radial;
        appendTriangle(geoset, base + next, base + q, centre, 1);
        appendTriangle(geoset, top + q, top + next, centre + 1, 1);
    }
}

void generateTube(Geoset& geoset, float x, float y, float z, float innerRadius, float outerRadius,
                  float height, std::int32_t radialSegments, std::int32_t heightSegments) {
    const std::uint32_t radial = clampCount(radialSegments, 3, 32), rings = clampCount(heightSegments, 1, 15);
    const std::uint32_t innerBottom = vertexCount(geoset);
    appendCylinderWall(geoset, x, y, z, innerRadius, height, radial, rings, true);
    const std::uint32_t innerTop = vertexCount(geoset) - radial;
    const std::uint32_t outerBottom = vertexCount(geoset);
    appendCylinderWall(geoset, x, y, z, outerRadius, height, radial, rings, false);
    const std::uint32_t outerTop = vertexCount(geoset) - radial;
    for (std::uint32_t q = 0; q < radial; ++q) {
        const std::uint32_t next = (q + 1) % radial;
        appendTriangle(geoset, innerBottom + q, innerBottom + next, outerBottom + q, 1);
        appendTriangle(geoset, innerBottom + next, outerBottom + next, outerBottom + q, 1);
        appendTriangle(geoset, innerTop + q, outerTop + q, innerTop + next, 1);
        appendTriangle(geoset, innerTop + next, outerTop + q, outerTop + next, 1);
    }
}

void generateSphere(Geoset& geoset, float x, float y, float z, float radius, std::int32_t radialSegments,
                    std::int32_t heightSegments) {
    const std::uint32_t radial = clampCount(radialSegments, 3, 32), h = clampCount(heightSegments, 2, 15);
    const std::uint32_t base = vertexCount(geoset);
    const float dPhi = kPi / static_cast<float>(h), dTheta = kTwoPi / static_cast<float>(radial);
    appendVertex(geoset, {x, y, z - radius}, {0, 0, -1});
    appendVertex(geoset, {x, y, z + radius}, {0, 0, 1});

    // The two polar fans refer to ring vertices appended below.
    const std::uint32_t firstRing = base + 2, lastRing = firstRing + (h - 2) * radial;
    for (std::uint32_t q = 0; q < radial; ++q) {
        const std::uint32_t next = (q + 1) % radial;
        appendTriangle(geoset, base, firstRing + q, firstRing + next, 1);
        appendTriangle(geoset, lastRing + q, base + 1, lastRing + next, 1);
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
            appendTriangle(geoset, a + q, b + q, a + next, 1);
            appendTriangle(geoset, b + next, a + next, b + q, 1);
        }
    }
}

void computeGeosetBounds(Geoset& geoset) {
    if (geoset.Vertices.empty()) {
        geoset.MinimumExtent = {};
        geoset.MaximumExtent = {};
        geoset.BoundsRadius = 0;
        return;
    }
    Vec3 low = geoset.Vertices[0].position, high = low;
    for (const Vertex& v : geoset.Vertices)
        for (int k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], v.position[k]);
            high[k] = std::max(high[k], v.position[k]);
        }
    const Vec3 centre{(low[0] + high[0]) / 2, (low[1] + high[1]) / 2, (low[2] + high[2]) / 2};
    float radiusSquared = 0;
    for (const Vertex& v : geoset.Vertices) {
        const float dx = v.position[0] - centre[0], dy = v.position[1] - centre[1],
                    dz = v.position[2] - centre[2];
        radiusSquared = std::max(radiusSquared, dx * dx + dy * dy + dz * dz);
    }
    geoset.MinimumExtent = low;
    geoset.MaximumExtent = high;
    geoset.BoundsRadius = std::sqrt(radiusSquared);
}

}  // namespace tess

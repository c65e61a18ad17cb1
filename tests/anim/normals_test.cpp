#include "anim/normals.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tess {
namespace {

// Old normals and a pose that must not be consulted hold junk.
Geoset geosetOf(std::vector<Vec3> positions, std::vector<std::uint32_t> corners) {
    Geoset g;
    for (const Vec3& p : positions) {
        Vertex& v = g.Vertices.emplace_back();
        v.position = p;
        v.normal = {9, 9, 9};
        v.animatedPosition = {50, 50, 50};
    }
    g.corners = std::move(corners);
    return g;
}

void expectNormal(const Vec3& actual, const Vec3& expected) {
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(actual[c], expected[c], 1e-6) << "component " << c;
}

TEST(Normals, FaceNormalsAreUnnormalisedAndVertexNormalsWeighThemByAreaOrPointUp) {
    // Vertex 0 is shared by a 2 x 2 triangle facing +Z and a unit triangle facing +Y; vertex 5 is unused.
    Geoset g =
        geosetOf({{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {0, 0, 1}, {1, 0, 0}, {5, 5, 5}}, {0, 1, 2, 0, 3, 4});
    expectNormal(faceNormal(g, 0), {0, 0, 4});
    expectNormal(faceNormal(g, 1), {0, 1, 0});
    recomputeNormals(g);
    const float l = std::sqrt(17.0f);
    expectNormal(g.Vertices[0].normal, {0, 1 / l, 4 / l});
    expectNormal(g.Vertices[3].normal, {0, 1, 0});
    expectNormal(g.Vertices[5].normal, {0, 0, 1});

    // Two opposite faces cancel, a collinear face has no normal, a corner naming no vertex
    // is skipped: every such vertex gets (0, 0, 1).
    Geoset flat =
        geosetOf({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {2, 0, 0}}, {0, 1, 2, 0, 2, 1, 0, 1, 3, 0, 1, 77});
    recomputeNormals(flat);
    for (const Vertex& v : flat.Vertices) expectNormal(v.normal, {0, 0, 1});
}

}  // namespace
}  // namespace tess

#include "anim/normals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

namespace tess {
namespace {

TEST(Normals, FaceNormalsAreUnnormalisedAndVertexNormalsWeighThemByAreaOrPointUp) {
    // Vertex 0 is shared by a 2 x 2 triangle facing +Z and a unit triangle facing +Y; vertex 5 is
    // unused. Then two opposite faces cancel, a collinear face has no normal and a corner naming
    // no vertex is skipped. The old normals hold junk, one entry short.
    const float l = std::sqrt(17.0f);
    const std::tuple<std::vector<Vec3>, std::vector<std::uint32_t>, std::vector<Vec3>> cases[] = {
        {{{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {0, 0, 1}, {1, 0, 0}, {5, 5, 5}},
         {0, 1, 2, 0, 3, 4},
         {{0, 1 / l, 4 / l}, {0, 0, 1}, {0, 0, 1}, {0, 1, 0}, {0, 1, 0}, {0, 0, 1}}},
        {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {2, 0, 0}},
         {0, 1, 2, 0, 2, 1, 0, 1, 3, 0, 1, 77},
         {4, Vec3{0, 0, 1}}}};
    for (const auto& [positions, corners, normals] : cases) {
        Geoset g;
        g.positions = positions;
        g.normals.assign(positions.size() - 1, {9, 9, 9});
        g.corners = corners;
        recomputeNormals(g);
        ASSERT_EQ(g.normals.size(), normals.size());
        for (std::size_t v = 0; v < normals.size(); ++v)
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(g.normals[v][c], normals[v][c], 1e-6) << v << " " << c;
    }
    Geoset g;
    g.positions = std::get<0>(cases[0]);
    g.corners = std::get<1>(cases[0]);
    EXPECT_EQ(std::tuple(faceNormal(g, 0), faceNormal(g, 1)), std::tuple(Vec3{0, 0, 4}, Vec3{0, 1, 0}));
}

}  // namespace
}  // namespace tess

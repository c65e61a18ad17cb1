#include "editor/extrude.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

#include "anim/normals.h"
#include "editor/transform_tools.h"
#include "model/validate.h"

namespace tess {
namespace {

using Triangle = std::array<std::uint32_t, 3>;

// Every triangle and vertex selected; each vertex has two texture-coordinate sets that tell it apart.
Geoset makeGeoset(const std::vector<Vec3>& positions, const std::vector<Triangle>& triangles) {
    Geoset g;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        Vertex& v = g.Vertices.emplace_back();
        v.position = positions[i];
        v.normal = {0, 0, 1};
        v.U = {static_cast<float>(i), 0.5f};
        v.V = {0.25f, static_cast<float>(i) * 2};
        v.selected = v.uvSelected = 1;
    }
    for (const Triangle& t : triangles) g.corners.insert(g.corners.end(), t.begin(), t.end());
    g.triangleSelected.assign(triangles.size(), 1);
    g.matrixGroups = {{0}};
    return g;
}

Model extruded(std::vector<Geoset> geosets) {
    Model model;
    model.Geosets = std::move(geosets);
    model.Bones.emplace_back();
    model.PivotPoints.push_back({0, 0, 0});
    model.Materials.emplace_back();
    extrudeSelection(model);
    EXPECT_EQ(validateModel(model), std::vector<std::string>{});
    return model;
}

using Counts = std::vector<std::size_t>;

// The vertex and triangle counts of every geoset.
Counts counts(const Model& model) {
    Counts result;
    for (const Geoset& g : model.Geosets) result.insert(result.end(), {g.Vertices.size(), g.triangleCount()});
    return result;
}

const std::vector<Vec3> kTriangle = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};

TEST(ExtrudeSelection, OneTriangleGetsThreeCopiedCornersAndSixOutwardSideWalls) {
    Model model = extruded({makeGeoset(kTriangle, {{0, 1, 2}})});
    const Geoset& g = model.Geosets[0];
    ASSERT_EQ(counts(model), (Counts{6, 7}));
    EXPECT_EQ(g.triangleSelected, (std::vector<std::uint8_t>{1, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(g.corners[0] == 3 && g.corners[1] == 4 && g.corners[2] == 5);
    for (std::uint32_t i = 0; i < 3; ++i) {
        const Vertex& old = g.Vertices[i];
        const Vertex& copy = g.Vertices[i + 3];
        EXPECT_TRUE(!old.selected && copy.selected && !copy.uvSelected);
        EXPECT_TRUE(sameStoredVertex(old, copy));  // position, normal, both UV sets, group
        EXPECT_EQ(copy.currentUV, (Vec2{old.U[0], old.V[0]}));
    }

    // Pulled out along +Z, every side wall faces away from the prism's axis.
    AppState state;
    state.axisScreenZ = {0, -10};
    state.extrudeNormal = {0, 0, 1};
    extrudeMove(model, state, 0, -10);
    std::set<Triangle> walls;
    for (std::size_t t = 1; t < 7; ++t) {
        walls.insert({g.corners[3 * t], g.corners[3 * t + 1], g.corners[3 * t + 2]});
        const Vec3 n = faceNormal(g, t);
        const Vec3 p = g.Vertices[g.corners[3 * t]].position;
        EXPECT_GT(n[0] * (p[0] - 1.0f / 3) + n[1] * (p[1] - 1.0f / 3), 0) << "wall " << t;
    }
    EXPECT_EQ(walls, (std::set<Triangle>{{0, 1, 3}, {3, 1, 4}, {1, 2, 4}, {4, 2, 5}, {2, 0, 5}, {5, 0, 3}}));
}

// An edge shared by two selected triangles gets no wall; only the ends of the other edges are copied.
TEST(ExtrudeSelection, EdgesSharedByPositionAreInteriorInEitherDirectionAndAcrossGeosets) {
    // The diagonal's vertices duplicated: the shared edge is found by position.
    EXPECT_EQ(counts(extruded({makeGeoset({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}, {1, 1, 0}, {0, 1, 0}},
                                          {{0, 1, 2}, {3, 4, 5}})})),
              (Counts{12, 10}));
    // Walked both ways, the shared edge's coordinate sum depends on the order of addition.
    EXPECT_EQ(counts(extruded({makeGeoset({{1e8f, -1e8f, 1}, {0.5f, 0, 0}, {0, 1, 0}, {0, -1, 0}},
                                          {{0, 1, 2}, {0, 3, 1}})})),
              (Counts{8, 10}));
    // The square's halves in two geosets: each walls its two outer edges only.
    EXPECT_EQ(counts(extruded({makeGeoset({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 1, 2}}),
                               makeGeoset({{1, 1, 0}, {0, 1, 0}, {0, 0, 0}}, {{0, 1, 2}})})),
              (Counts{6, 5, 6, 5}));
    // A fan round a centre vertex, which ends no boundary edge: it stays, and only the rim is copied.
    EXPECT_EQ(counts(extruded({makeGeoset({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}},
                                          {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}, {0, 4, 1}})})),
              (Counts{9, 12}));
}

TEST(ExtrudeSelection, HiddenGeosetsVerticesWithoutCoordinatesAndStraySelectionsAreSafe) {
    Geoset bare = makeGeoset(kTriangle, {{0, 1, 2}});
    for (Vertex& v : bare.Vertices) v.U = v.V = {};
    Geoset hidden = makeGeoset(kTriangle, {{0, 1, 2}});
    hidden.shown = 0;
    // A selected triangle whose corner is not selected: the walls along that corner are skipped.
    Geoset stray = makeGeoset({{5, 0, 0}, {6, 0, 0}, {5, 1, 0}}, {{0, 1, 2}});
    stray.Vertices[2].selected = 0;
    const Model model = extruded({bare, hidden, stray});
    EXPECT_EQ(counts(model), (Counts{6, 7, 3, 1, 5, 3}));
    EXPECT_EQ(model.Geosets[1], hidden);
}

}  // namespace
}  // namespace tess

#include "editor/extrude.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "anim/normals.h"
#include "editor/transform_tools.h"
#include "model/validate.h"

namespace tess {
namespace {

using Triangle = std::array<std::uint32_t, 3>;

// A geoset of the given positions and triangles, every triangle and vertex selected; each
// vertex has two texture-coordinate sets that tell it apart.
Geoset makeGeoset(const std::vector<Vec3>& positions, const std::vector<Triangle>& triangles) {
    Geoset g;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        Vertex v;
        v.position = positions[i];
        v.normal = {0, 0, 1};
        v.U = {static_cast<float>(i), 0.5f};
        v.V = {0.25f, static_cast<float>(i) * 2};
        v.selected = 1;
        v.uvSelected = 1;
        g.Vertices.push_back(v);
    }
    for (const Triangle& t : triangles) g.corners.insert(g.corners.end(), t.begin(), t.end());
    g.triangleSelected.assign(triangles.size(), 1);
    g.matrixGroups = {{0}};
    return g;
}

Model modelWith(std::vector<Geoset> geosets) {
    Model model;
    model.Geosets = std::move(geosets);
    model.Bones.emplace_back();
    model.PivotPoints.push_back({0, 0, 0});
    model.Materials.emplace_back();
    return model;
}

Triangle triangleAt(const Geoset& g, std::size_t t) {
    return {g.corners[3 * t], g.corners[3 * t + 1], g.corners[3 * t + 2]};
}

bool hasTriangle(const Geoset& g, const Triangle& wanted) {
    for (std::size_t t = 0; t < g.triangleCount(); ++t)
        if (triangleAt(g, t) == wanted) return true;
    return false;
}

std::size_t selectedTriangles(const Geoset& g) {
    return static_cast<std::size_t>(std::count(g.triangleSelected.begin(), g.triangleSelected.end(), 1));
}

const std::vector<Vec3> kTriangle = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
const std::vector<Vec3> kSquare = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};

TEST(ExtrudeSelection, OneTriangleGetsThreeCopiedCornersAndSixOutwardSideWalls) {
    Model model = modelWith({makeGeoset(kTriangle, {{0, 1, 2}})});
    extrudeSelection(model);
    const Geoset& g = model.Geosets[0];
    ASSERT_EQ(g.Vertices.size(), 6u);
    ASSERT_EQ(g.triangleCount(), 7u);
    EXPECT_EQ(triangleAt(g, 0), (Triangle{3, 4, 5}));
    EXPECT_EQ(selectedTriangles(g), 1u);
    for (std::uint32_t i = 0; i < 3; ++i) {
        const Vertex& old = g.Vertices[i];
        const Vertex& copy = g.Vertices[i + 3];
        EXPECT_FALSE(old.selected);
        EXPECT_TRUE(copy.selected);
        EXPECT_FALSE(copy.uvSelected);
        EXPECT_TRUE(sameStoredVertex(old, copy));  // position, normal, both UV sets, group
        EXPECT_EQ(copy.animatedPosition, copy.position);
        EXPECT_EQ(copy.currentUV, (Vec2{old.U[0], old.V[0]}));
        const std::uint32_t next = (i + 1) % 3;
        EXPECT_TRUE(hasTriangle(g, {i, next, i + 3})) << "edge " << i;
        EXPECT_TRUE(hasTriangle(g, {i + 3, next, next + 3})) << "edge " << i;
    }
    EXPECT_EQ(validateModel(model), std::vector<std::string>{});

    // Pulled out along +Z, every side wall faces away from the prism's axis.
    AppState state;
    state.axisScreenZ = {0, -10};
    state.extrudeNormal = {0, 0, 1};
    extrudeMove(model, state, 0, -10);
    EXPECT_EQ(g.Vertices[3].position, (Vec3{0, 0, 15}));
    EXPECT_EQ(g.Vertices[0].position, (Vec3{0, 0, 0}));
    const Vec3 axis{1.0f / 3, 1.0f / 3, 0};
    for (std::size_t t = 1; t < 7; ++t) {
        const Vec3 n = faceNormal(g, t);
        const Vec3 p = g.Vertices[g.corners[3 * t]].position;
        EXPECT_GT(n[0] * (p[0] - axis[0]) + n[1] * (p[1] - axis[1]), 0) << "wall " << t;
    }
}

TEST(ExtrudeSelection, SharedEdgeIsInteriorWhetherSharedByIndexOrOnlyByPosition) {
    // Two triangles of a square sharing the diagonal's vertices.
    Model shared = modelWith({makeGeoset(kSquare, {{0, 1, 2}, {0, 2, 3}})});
    extrudeSelection(shared);
    EXPECT_EQ(shared.Geosets[0].Vertices.size(), 8u);
    EXPECT_EQ(shared.Geosets[0].triangleCount(), 10u);
    EXPECT_FALSE(hasTriangle(shared.Geosets[0], {0, 2, 4}));
    EXPECT_EQ(validateModel(shared), std::vector<std::string>{});

    // The same square with the diagonal's vertices duplicated: matched by position.
    Model split = modelWith({makeGeoset({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}, {1, 1, 0}, {0, 1, 0}},
                                        {{0, 1, 2}, {3, 4, 5}})});
    extrudeSelection(split);
    EXPECT_EQ(split.Geosets[0].Vertices.size(), 12u);
    EXPECT_EQ(split.Geosets[0].triangleCount(), 10u);

    // An edge walked both ways whose coordinate sum depends on the order of addition.
    Model rounding = modelWith(
        {makeGeoset({{1e8f, -1e8f, 1}, {0.5f, 0, 0}, {0, 1, 0}, {0, -1, 0}}, {{0, 1, 2}, {0, 3, 1}})});
    extrudeSelection(rounding);
    EXPECT_EQ(rounding.Geosets[0].triangleCount(), 10u);

    // The two halves in two geosets: each walls its two outer edges, not the diagonal.
    Model across = modelWith({makeGeoset({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 1, 2}}),
                              makeGeoset({{1, 1, 0}, {0, 1, 0}, {0, 0, 0}}, {{0, 1, 2}})});
    extrudeSelection(across);
    for (const Geoset& g : across.Geosets) {
        EXPECT_EQ(g.Vertices.size(), 6u);
        EXPECT_EQ(g.triangleCount(), 5u);
    }
    EXPECT_EQ(validateModel(across), std::vector<std::string>{});
}

TEST(ExtrudeSelection, InteriorVerticesStayAndOnlyTheRimIsCopied) {
    // A fan of four triangles round a centre vertex: the centre is no end of a boundary edge.
    Model model = modelWith({makeGeoset({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}},
                                        {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}, {0, 4, 1}})});
    extrudeSelection(model);
    const Geoset& g = model.Geosets[0];
    EXPECT_EQ(g.Vertices.size(), 9u);
    EXPECT_EQ(g.triangleCount(), 12u);
    EXPECT_TRUE(g.Vertices[0].selected);
    for (std::size_t t = 0; t < 4; ++t) EXPECT_EQ(g.corners[3 * t], 0u);
}

TEST(ExtrudeSelection, HiddenGeosetsVerticesWithoutCoordinatesAndStraySelectionsAreSafe) {
    Geoset bare = makeGeoset(kTriangle, {{0, 1, 2}});
    for (Vertex& v : bare.Vertices) {
        v.U.clear();
        v.V.clear();
    }
    Geoset hidden = makeGeoset(kTriangle, {{0, 1, 2}});
    hidden.shown = 0;
    Model model = modelWith({bare, hidden});
    extrudeSelection(model);
    EXPECT_EQ(model.Geosets[0].Vertices.size(), 6u);
    EXPECT_EQ(model.Geosets[0].Vertices[5].U.size(), 0u);
    EXPECT_EQ(model.Geosets[1], hidden);
    EXPECT_EQ(validateModel(model), std::vector<std::string>{});

    // A selected triangle whose corner is not selected: the walls along it are skipped.
    Model stray = modelWith({makeGeoset(kTriangle, {{0, 1, 2}})});
    stray.Geosets[0].Vertices[2].selected = 0;
    extrudeSelection(stray);
    EXPECT_EQ(stray.Geosets[0].Vertices.size(), 5u);
    EXPECT_EQ(stray.Geosets[0].triangleCount(), 3u);
    EXPECT_EQ(validateModel(stray), std::vector<std::string>{});
}

}  // namespace
}  // namespace tess

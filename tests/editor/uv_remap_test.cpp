#include "editor/uv_remap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

#include "common/fake_host.h"
#include "editor/document.h"
#include "model/validate.h"

namespace tess {
namespace {

using Corners = std::vector<std::uint32_t>;

Vec2 uvOf(const Vertex& v) {
    return {v.U[0], v.V[0]};
}

class Remap : public ::testing::Test {
protected:
    Remap() {
        buildDefaultDocument(model);
        prepareDocument(model, state, host);
        host.animationBarRepaints = 0;
    }

    // Vertices at the given positions, shown on screen at 10 times their x and y, with one
    // texture set (u, v) = (x / 4, y / 4); the triangles' corners and selection bytes. As in
    // Triangle mode, the corners of the selected triangles are viewport-selected.
    Geoset& addGeoset(const std::vector<Vec3>& positions, Corners corners,
                      std::vector<std::uint8_t> selected) {
        Geoset& g = model.Geosets.emplace_back();
        for (const Vec3& p : positions) {
            Vertex& v = g.Vertices.emplace_back();
            v.position = p;
            v.screenPosition = {10 * p[0], 10 * p[1], 0.5f};
            v.U = {p[0] / 4};
            v.V = {p[1] / 4};
        }
        g.corners = std::move(corners);
        g.triangleSelected = std::move(selected);
        g.matrixGroups = {{0}};
        for (std::size_t c = 0; c < g.corners.size(); ++c)
            if (g.triangleSelected[c / 3]) g.Vertices[g.corners[c]].selected = 1;
        return g;
    }

    // A 4 x 4 grid of vertices (index 4y + x), two triangles per cell; only triangle 8,
    // (5, 6, 10) in the middle cell, selected.
    Geoset& addGrid() {
        std::vector<Vec3> positions;
        for (int i = 0; i < 16; ++i) positions.push_back({float(i % 4), float(i / 4), 0});
        Corners corners;
        for (std::uint32_t y = 0; y < 3; ++y)
            for (std::uint32_t a = 4 * y; a < 4 * y + 3; ++a)
                corners.insert(corners.end(), {a, a + 1, a + 5, a, a + 5, a + 4});
        std::vector<std::uint8_t> flags(18);
        flags[8] = 1;
        return addGeoset(positions, corners, flags);
    }

    Model model;
    AppState state;
    testing::FakeHost host;
};

TEST_F(Remap, ASingleTriangleInsideAMeshGetsItsOwnProjectedVertices) {
    const Geoset before = addGrid();
    remapSelection(model, state, host);
    const Geoset& g = model.Geosets[0];

    ASSERT_EQ(g.Vertices.size(), 19u);
    Corners expected = before.corners;
    std::iota(expected.begin() + 24, expected.begin() + 27, 16u);  // the copies replace 5, 6, 10
    EXPECT_EQ(g.corners, expected);
    for (std::size_t v = 0; v < 16; ++v) {
        EXPECT_TRUE(sameStoredVertex(g.Vertices[v], before.Vertices[v])) << v;  // neighbours keep theirs
        EXPECT_EQ(g.Vertices[v].selected + g.Vertices[v].uvSelected, 0) << v;
    }
    const std::vector<Vec2> uv = {{0, 0}, {1, 0}, {1, 1}};
    for (std::size_t i = 0; i < 3; ++i) {
        const Vertex& copy = g.Vertices[16 + i];
        EXPECT_EQ(copy.position, before.Vertices[before.corners[24 + i]].position);
        EXPECT_EQ(uvOf(copy), uv[i]);
        EXPECT_EQ(copy.currentUV, uv[i]);  // the model was re-posed afterwards
        EXPECT_EQ(copy.selected + copy.uvSelected, 2);
    }
    EXPECT_EQ(host.animationBarRepaints, 1);
}

TEST_F(Remap, WithoutViewportSelectionNothingChanges) {
    Geoset& g = addGrid();
    for (Vertex& v : g.Vertices) v.selected = 0;
    g.Vertices[3].uvSelected = 1;
    const Model before = model;
    remapSelection(model, state, host);
    EXPECT_TRUE(model == before);
    EXPECT_EQ(model.Geosets[0].Vertices[3].uvSelected, 1);
    EXPECT_EQ(host.animationBarRepaints, 0);
}

// 0, 1 and 4 lie at P, vertex 4 also in an unselected triangle: its copy and vertex 1 both
// weld onto 0, and no corner is left on a removed vertex.
TEST_F(Remap, CoincidentVerticesOfTheSelectionWeldOntoTheLowestIndex) {
    const Vec3 p{1, 1, 0};
    addGeoset({p, p, {2, 1, 0}, {1, 2, 0}, p, {0, 3, 0}, {3, 3, 0}}, {0, 2, 3, 1, 3, 2, 4, 2, 3, 4, 5, 6},
              {1, 1, 1, 0});
    remapSelection(model, state, host);
    const Geoset& g = model.Geosets[0];
    EXPECT_EQ(g.Vertices.size(), 6u);
    EXPECT_EQ(g.corners, (Corners{0, 1, 2, 0, 2, 1, 0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(g.Vertices[3].position, p);
}

// A wide box grows in v around its centre; hidden geosets take no part. A box without
// extent maps to the centre, and vertices without texture sets are given none.
TEST_F(Remap, TheScreenBoxBecomesACentredSquareAndHiddenOrBareGeosetsStaySound) {
    addGeoset({{0, 0, 0}, {4, 0, 0}, {0, 2, 0}}, {0, 1, 2}, {1});
    Geoset& hidden = addGeoset({{50, 50, 0}, {90, 0, 0}, {0, 90, 0}}, {0, 1, 2}, {1});
    hidden.shown = 0;
    const Geoset hiddenBefore = hidden;
    remapSelection(model, state, host);
    const std::vector<Vec2> uv = {{0, 0.25f}, {1, 0.25f}, {0, 0.75f}};
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(uvOf(model.Geosets[0].Vertices[i]), uv[i]);
    EXPECT_TRUE(model.Geosets[1] == hiddenBefore);
    EXPECT_EQ(model.Geosets[1].Vertices[0].uvSelected, 0);

    model.Geosets.clear();
    addGeoset({{1, 1, 0}, {2, 1, 0}, {1, 2, 0}}, {0, 1, 2}, {1});
    Geoset& bare = addGeoset({{1, 1, 0}, {2, 1, 0}, {1, 2, 0}}, {0, 1, 2}, {1});
    for (Vertex& v : bare.Vertices) v.U = v.V = {};
    for (Geoset& g : model.Geosets)
        for (Vertex& v : g.Vertices) v.screenPosition = {7, 7, 0};
    remapSelection(model, state, host);
    for (const Vertex& v : model.Geosets[0].Vertices) EXPECT_EQ(uvOf(v), (Vec2{0.5f, 0.5f}));
    for (const Vertex& v : model.Geosets[1].Vertices) EXPECT_TRUE(v.U.empty() && v.uvSelected);
    EXPECT_EQ(validateModel(model), std::vector<std::string>{});
}

}  // namespace
}  // namespace tess

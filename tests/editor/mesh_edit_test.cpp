#include "editor/mesh_edit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/fake_host.h"

namespace tess {
namespace {

using Corners = std::vector<std::uint32_t>;
using Bytes = std::vector<std::uint8_t>;

// A geoset of unit-spaced vertices along x with the given triangles and selections; vertex i
// carries group i and one texture set (u = i / 4, v = 1 - i / 4).
Geoset lineGeoset(std::size_t count, Corners corners, std::vector<std::uint32_t> selectedVertices,
                  Bytes selectedTriangles = {}) {
    Geoset g;
    for (std::size_t i = 0; i < count; ++i) {
        Vertex& v = g.Vertices.emplace_back();
        v.position = {float(i), float(i % 2), 0};
        v.U = {float(i) / 4};
        v.V = {1 - float(i) / 4};
        v.vertexGroup = static_cast<std::uint32_t>(i);
    }
    for (std::uint32_t i : selectedVertices) g.Vertices[i].selected = 1;
    g.corners = std::move(corners);
    g.resetTriangleRecords();
    if (!selectedTriangles.empty()) g.triangleSelected = std::move(selectedTriangles);
    return g;
}

Model modelOf(std::vector<Geoset> geosets) {
    Model model;
    model.Geosets = std::move(geosets);
    return model;
}

// The model must come out of a refused command exactly as it went in.
void expectRefused(void (*operation)(Model&, Host&), Model model, const std::string& text) {
    const Model before = model;
    testing::FakeHost host;
    operation(model, host);
    ASSERT_EQ(host.messages.size(), 1u);
    const testing::FakeHost::Message& m = host.messages[0];
    EXPECT_EQ(m.text, text);
    EXPECT_TRUE(m.caption == "Error" && m.icon == MessageIcon::Error && m.ownedByMainWindow);
    EXPECT_TRUE(model == before);
}

TEST(TurnEdge, ExchangesTheDiagonalOfAQuad) {
    const std::uint32_t p = 0, s = 1, r = 2, q = 3;
    Model model = modelOf({lineGeoset(5, {p, r, q, 4, 1, 2, r, p, s}, {}, {1, 0, 1})});
    testing::FakeHost host;
    turnEdge(model, host);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(model.Geosets[0].corners, (Corners{p, s, q, 4, 1, 2, s, r, q}));
    EXPECT_EQ(model.Geosets[0].triangleSelected, (Bytes{1, 0, 1}));
}

TEST(TurnEdge, RefusesWithoutExactlyTwoFacesOfOneGeosetSharingAnEdge) {
    const Geoset none = lineGeoset(4, {0, 2, 3, 2, 0, 1}, {});
    Geoset one = none;
    one.triangleSelected = {1, 0};
    expectRefused(turnEdge, modelOf({none}), "Select exactly two faces to use Turn Edge.");
    expectRefused(turnEdge, modelOf({one}), "Select exactly two faces to use Turn Edge.");
    expectRefused(turnEdge, modelOf({one, one}), "The two faces for Turn Edge must be in the same geoset.");
    // Sharing one vertex only, and sharing an edge run the same way round.
    expectRefused(turnEdge, modelOf({lineGeoset(5, {0, 1, 2, 2, 3, 4}, {}, {1, 1})}),
                  "The two faces do not share an edge.");
    expectRefused(turnEdge, modelOf({lineGeoset(4, {0, 1, 2, 0, 1, 3}, {}, {1, 1})}),
                  "The two faces do not share an edge.");
}

TEST(CreateTriangle, WindsAgainstTheFirstNeighbourSharingAnEdge) {
    struct Case {
        Corners existing;
        Corners expected;  // the appended triangle
    };
    const std::vector<Case> cases = {
        {{1, 3, 4}, {3, 1, 5}},           // (a, b, x) with a = L0, b = L1: (L1, L0, L2)
        {{3, 1, 4}, {1, 3, 5}},           // the edge run the other way: (L0, L1, L2)
        {{0, 2, 4}, {3, 1, 5}},           // no neighbour
        {{0, 2, 4, 1, 3, 1}, {1, 3, 5}},  // in the first neighbour, the last match counts
    };
    for (const Case& c : cases) {
        Model model = modelOf({lineGeoset(6, c.existing, {1, 3, 5})});
        testing::FakeHost host;
        createTriangle(model, host);
        EXPECT_TRUE(host.messages.empty());
        Corners expected = c.existing;
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        EXPECT_EQ(model.Geosets[0].corners, expected);
        EXPECT_EQ(model.Geosets[0].triangleSelected.back(), 1);
    }
}

TEST(CreateTriangle, RefusesOtherSelections) {
    expectRefused(createTriangle, modelOf({lineGeoset(3, {}, {0, 1}), lineGeoset(3, {}, {2})}),
                  "Vertices must be in only one geoset.");
    expectRefused(createTriangle, modelOf({lineGeoset(5, {}, {0, 1, 2, 3}), lineGeoset(3, {}, {})}),
                  "You must have exactly three vertices selected to make a triangle.");
    expectRefused(createTriangle, modelOf({lineGeoset(3, {}, {})}),
                  "You must have exactly three vertices selected to make a triangle.");
}

// The survivors of both geosets meet at the model's centroid; welding the selected middle
// triangle leaves its neighbours degenerate.
TEST(Weld, TriangleWeldMovesSurvivorsToTheCentroidAndSelectsTheRemainingFace) {
    Geoset second = lineGeoset(3, {0, 1, 2}, {2});
    second.Vertices[2].position = {4, 8, 6};
    second.Vertices[2].U.clear();  // a vertex without texture set never breaks Weld
    second.Vertices[2].V.clear();
    Model model = modelOf({lineGeoset(5, {1, 2, 3, 0, 1, 4, 2, 3, 4}, {1, 2, 3}, {0, 1, 0}), second});
    weldVerticesThenSelectFaceCorners(model);
    const Geoset& g = model.Geosets[0];
    ASSERT_EQ(g.Vertices.size(), 3u);
    EXPECT_EQ(g.corners, (Corners{0, 1, 2}));
    for (const Vertex& v : g.Vertices) EXPECT_EQ(v.selected, 1);
    EXPECT_EQ(g.Vertices[1].position, (Vec3{2.5f, 2.5f, 1.5f}));
    EXPECT_EQ(model.Geosets[1].Vertices[2].position, (Vec3{2.5f, 2.5f, 1.5f}));
}

// Divide splits 0-1 at 3, 2-0 at 4 and 2-1 at 5. What a reader may leave, a corner past the
// vertices (9) and a trailing partial triangle, stays in place and is never followed.
TEST(MeshEdits, DivideAndDeleteKeepReaderLeftoversInPlace) {
    Geoset g = lineGeoset(3, {0, 1, 2, 1, 9, 2, 0, 1}, {0, 1, 2});
    g.Vertices[0].normal = {0, 3, 0};
    g.Vertices[2].normal = {4, 0, 0};
    Model model = modelOf({g});
    divideEdges(model);
    EXPECT_EQ(model.Geosets[0].corners, (Corners{4, 3, 2, 5, 9, 2, 1, 2, 3, 0, 3, 4, 1, 9, 5, 0, 1}));
    EXPECT_EQ(model.Geosets[0].triangleSelected, (Bytes{0, 0, 1, 1, 1}));
    EXPECT_EQ(model.Geosets[0].Vertices.at(4).normal, (Vec3{0.8f, 0.6f, 0}));
    deleteSelectedVertices(model);  // every triangle touches 0, 1 or 2
    EXPECT_EQ(model.Geosets[0].Vertices.size(), 3u);
    EXPECT_EQ(model.Geosets[0].corners, (Corners{0, 0}));
    EXPECT_TRUE(model.Geosets[0].triangleSelected.empty());
}

}  // namespace
}  // namespace tess

#include "editor/mesh_edit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/fake_host.h"

namespace tess {
namespace {

using Corners = std::vector<std::uint32_t>;

// A geoset of unit-spaced vertices along x with the given triangles and selections; vertex i
// carries group i and one texture set (u = i / 4, v = 1 - i / 4).
Geoset lineGeoset(std::size_t count, Corners corners, std::vector<std::uint32_t> selectedVertices,
                  std::vector<std::uint8_t> selectedTriangles = {}) {
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
    EXPECT_EQ(host.messages[0].text, text);
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(host.messages[0].ownedByMainWindow);
    EXPECT_TRUE(model == before);
    for (std::size_t g = 0; g < model.Geosets.size(); ++g)
        EXPECT_EQ(model.Geosets[g].triangleSelected, before.Geosets[g].triangleSelected);
}

TEST(TurnEdge, ExchangesTheDiagonalOfAQuad) {
    const std::uint32_t p = 0, s = 1, r = 2, q = 3;
    Model model = modelOf({lineGeoset(5, {p, r, q, 4, 1, 2, r, p, s}, {}, {1, 0, 1})});
    testing::FakeHost host;
    turnEdge(model, host);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(model.Geosets[0].corners, (Corners{p, s, q, 4, 1, 2, s, r, q}));
    EXPECT_EQ(model.Geosets[0].triangleSelected, (std::vector<std::uint8_t>{1, 0, 1}));
}

TEST(TurnEdge, RefusesWithoutExactlyTwoFacesOfOneGeosetSharingAnEdge) {
    const Geoset quad = lineGeoset(4, {0, 2, 3, 2, 0, 1}, {});
    Geoset one = quad;
    one.triangleSelected = {1, 0};
    expectRefused(turnEdge, modelOf({one}), "Select exactly two faces to use Turn Edge.");
    expectRefused(turnEdge, modelOf({quad}), "Select exactly two faces to use Turn Edge.");
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

TEST(Divide, AFullySelectedTriangleBecomesThreeWithTwoMidpoints) {
    const std::uint32_t A = 0, B = 1, C = 2;
    Geoset g = lineGeoset(3, {A, B, C}, {A, B, C});
    g.Vertices[A].U = {0, 0.5f};
    g.Vertices[A].V = {0, 0.25f};
    g.Vertices[B].U = {0.25f, 0.25f};
    g.Vertices[B].V = {0.75f, 0.75f};
    g.Vertices[C].U = {1, 1};
    g.Vertices[C].V = {0.5f, 0};
    g.Vertices[A].normal = {0, 3, 0};
    g.Vertices[C].normal = {4, 0, 0};
    g.Vertices[A].screenPosition = {10, 20, 0.5f};
    g.Vertices[C].screenPosition = {30, 40, 0.25f};
    Model model = modelOf({g});
    divideEdges(model);

    const Geoset& out = model.Geosets[0];
    const std::uint32_t m1 = 3, m2 = 4;  // midpoints of A-B and C-A; B-C stays whole
    EXPECT_EQ(out.corners, (Corners{m2, m1, C, B, C, m1, A, m1, m2}));
    EXPECT_EQ(out.triangleSelected, (std::vector<std::uint8_t>{0, 1, 1}));
    ASSERT_EQ(out.Vertices.size(), 5u);
    const Vertex& mid = out.Vertices[m2];
    EXPECT_EQ(mid.position, (Vec3{1, 0, 0}));
    EXPECT_EQ(mid.vertexGroup, C);  // the first end of the edge C-A
    EXPECT_EQ(mid.U, (SmallVector<float, 2>{0.5f, 0.75f}));
    EXPECT_EQ(mid.V, (SmallVector<float, 2>{0.25f, 0.125f}));
    EXPECT_EQ(mid.normal, (Vec3{0.8f, 0.6f, 0}));
    EXPECT_EQ(mid.screenPosition, (Vec3{20, 30, 0.375f}));
    EXPECT_EQ(mid.animatedPosition, mid.position);
    EXPECT_EQ(mid.currentUV, (Vec2{0.5f, 0.25f}));
    EXPECT_EQ(mid.selected + mid.uvSelected, 0);
}

TEST(Weld, SurvivorsOfEachGeosetMeetAtTheModelCentroid) {
    Geoset first = lineGeoset(3, {0, 1, 2}, {0});
    Geoset second = lineGeoset(3, {0, 1, 2}, {2});
    second.Vertices[2].position = {4, 8, 6};
    second.Vertices[2].U.clear();  // a vertex without texture set never breaks Weld
    second.Vertices[2].V.clear();
    Model model = modelOf({first, second});
    weldVertices(model);
    for (const Geoset& g : model.Geosets) {
        EXPECT_EQ(g.Vertices.size(), 3u);
        EXPECT_EQ(g.triangleCount(), 1u);
    }
    EXPECT_EQ(model.Geosets[0].Vertices[0].position, (Vec3{2, 4, 3}));
    EXPECT_EQ(model.Geosets[1].Vertices[2].position, (Vec3{2, 4, 3}));
    EXPECT_EQ(model.Geosets[1].Vertices[2].animatedPosition, (Vec3{2, 4, 3}));  // pose reset
    EXPECT_EQ(model.Geosets[0].Vertices[0].U[0], 0);
}

TEST(Weld, TheCornersOfATriangleCollapseIntoOneVertex) {
    Model model = modelOf({lineGeoset(5, {1, 2, 3, 0, 1, 4, 2, 3, 4}, {1, 2, 3}, {0, 1, 0})});
    weldVerticesThenSelectFaceCorners(model);
    const Geoset& g = model.Geosets[0];
    ASSERT_EQ(g.Vertices.size(), 3u);
    EXPECT_EQ(g.Vertices[1].position, (Vec3{2, float(2.0 / 3.0), 0}));
    EXPECT_EQ(g.Vertices[1].U[0], 0.5f);  // mean of 1/4, 2/4, 3/4
    EXPECT_EQ(g.Vertices[1].vertexGroup, 1u);
    EXPECT_EQ(g.Vertices[2].vertexGroup, 4u);
    EXPECT_EQ(g.corners, (Corners{0, 1, 2}));  // the two triangles left degenerate are gone
    EXPECT_EQ(g.triangleSelected, (std::vector<std::uint8_t>{1}));
    for (const Vertex& v : g.Vertices) EXPECT_EQ(v.selected, 1);  // the selected face's corners
}

// What a reader may leave: a corner past the vertices (9) and a trailing partial triangle.
TEST(MeshEdits, ReaderLeftoversStayInPlaceAndAreNeverFollowed) {
    Model model = modelOf({lineGeoset(3, {0, 1, 2, 1, 9, 2, 0, 1}, {0, 1, 2})});
    divideEdges(model);
    EXPECT_EQ(model.Geosets[0].corners, (Corners{4, 3, 2, 5, 9, 2, 1, 2, 3, 0, 3, 4, 1, 9, 5, 0, 1}));
    EXPECT_EQ(model.Geosets[0].triangleSelected, (std::vector<std::uint8_t>{0, 0, 1, 1, 1}));
    deleteSelectedVertices(model);  // every triangle touches 0, 1 or 2
    EXPECT_EQ(model.Geosets[0].Vertices.size(), 3u);
    EXPECT_EQ(model.Geosets[0].corners, (Corners{0, 0}));
    EXPECT_TRUE(model.Geosets[0].triangleSelected.empty());
}

}  // namespace
}  // namespace tess

#include "editor/mesh_edit.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

#include "common/fake_host.h"
#include "editor/extrude.h"
#include "mesh_documents.h"

namespace tess {
namespace {

using namespace testing;

// A copied vertex keeps its stored data and screen position and starts unselected, at rest;
// fitting a document sizes new entries at rest.
TEST(VertexArrays, NewVerticesStartAtRest) {
    Document d = documentOf({lineGeoset(3, {})}, {{1, 1, 1}});
    d.selection.geosets[0].uvs = {1, 1, 1};
    d.screenPositions[0][1] = {6, 6, 6};
    d.pose.animatedPositions[0][1] = {9, 9, 9};
    EXPECT_EQ(appendVertexCopy(d, 0, 1), 3u);
    const Geoset& g = d.model.Geosets[0];
    EXPECT_TRUE(g.positions[3] == g.positions[1] && g.uvSets[0][3] == g.uvSets[0][1] &&
                g.vertexGroups[3] == 1 && d.screenPositions[0][3] == (Vec3{6, 6, 6}) &&
                d.pose.animatedPositions[0][3] == g.positions[1] && d.selection.geosets[0].vertices[3] == 0 &&
                d.selection.geosets[0].uvs[3] == 0);
    d.model.Geosets[0].positions.push_back({5, 5, 5});
    d.model.Geosets[0].resizeVertices(5);
    fitDocument(d);
    EXPECT_EQ(d.pose.animatedPositions[0][4], (Vec3{5, 5, 5}));
}

// The worked examples on one geoset of line vertices: Turn Edge on the quad p, s, r, q =
// 0, 1, 2, 3 split as (p, r, q) and (r, p, s); Create Triangle from L = 1, 3, 5, wound
// against the first triangle sharing an edge, its last match counting; Divide splitting 0-1
// at 3, 2-0 at 4 and 2-1 at 5. What a reader may leave, a corner past the vertices (9) and a
// trailing partial triangle, stays behind the triangles and is never followed; removing
// vertices lowers each corner by the removed vertices below it, corners past them included.
TEST(MeshEdits, WorkedExamples) {
    const auto divide = [](Document& d, Host&) { divideEdges(d); };
    const auto remove = [](Document& d, Host&) { deleteSelectedVertices(d); };
    const Flags l135 = {0, 1, 0, 1, 0, 1};
    const struct {
        void (*operation)(Document&, Host&);
        std::size_t vertices;
        Corners corners, expected;
        Flags vertexFlags{}, triangleFlags{}, expectedTriangles{};
    } cases[] = {
        {turnEdge, 5, {0, 2, 3, 4, 1, 2, 2, 0, 1}, {0, 1, 3, 4, 1, 2, 1, 2, 3}, {}, {1, 0, 1}, {1, 0, 1}},
        {createTriangle, 6, {1, 3, 4}, {1, 3, 4, 3, 1, 5}, l135, {}, {0, 1}},  // (L1, L0, L2)
        {createTriangle, 6, {3, 1, 4, 9}, {3, 1, 4, 1, 3, 5, 9}, l135},        // (L0, L1, L2)
        {createTriangle, 6, {0, 2, 4}, {0, 2, 4, 3, 1, 5}, l135},              // no neighbour
        {createTriangle, 6, {2, 4, 0, 1, 3, 1, 1, 3, 0}, {2, 4, 0, 1, 3, 1, 1, 3, 0, 1, 3, 5}, l135},
        {divide, 3, {0, 1, 2, 1, 9, 2, 0, 1}, {4, 3, 2, 5, 9, 2, 1, 2, 3, 0, 3, 4, 1, 9, 5, 0, 1}, {1, 1, 1}},
        {remove, 4, {0, 1, 2, 1, 9, 2, 0, 2, 3, 2, 9}, {0, 1, 2, 1, 8}, {0, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        Document d = documentOf({lineGeoset(c.vertices, c.corners)}, {c.vertexFlags}, {c.triangleFlags});
        FakeHost host;
        c.operation(d, host);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(d.model.Geosets[0].corners, c.expected);
        EXPECT_TRUE(c.expectedTriangles.empty() || d.selection.geosets[0].triangles == c.expectedTriangles);
    }
}

// A refusal shows its "Error" box and leaves the document exactly as it was. Geosets are
// copies of one geoset of line vertices with the same flags.
TEST(MeshEdits, Refusals) {
    const char* notTwo = "Select exactly two faces to use Turn Edge.";
    const char* twoGeosets = "The two faces for Turn Edge must be in the same geoset.";
    const char* noEdge = "The two faces do not share an edge.";
    const char* notOne = "Vertices must be in only one geoset.";
    const char* notThree = "You must have exactly three vertices selected to make a triangle.";
    const struct {
        void (*operation)(Document&, Host&);
        std::size_t geosets, vertices;
        Corners corners;
        Flags vertexFlags, triangleFlags;
        const char* message;
    } cases[] = {
        {turnEdge, 1, 4, {0, 2, 3, 2, 0, 1}, {}, {0, 0}, notTwo},
        {turnEdge, 1, 4, {0, 2, 3, 2, 0, 1}, {}, {1, 0}, notTwo},
        {turnEdge, 2, 4, {0, 2, 3, 2, 0, 1}, {}, {1, 0}, twoGeosets},
        {turnEdge, 1, 5, {0, 1, 2, 2, 3, 4}, {}, {1, 1}, noEdge},  // one vertex shared
        {turnEdge, 1, 4, {0, 1, 2, 0, 1, 3}, {}, {1, 1}, noEdge},  // an edge run the same way
        {createTriangle, 2, 3, {}, {1, 1, 0}, {}, notOne},
        {createTriangle, 1, 3, {}, {1, 1, 0}, {}, notThree},
    };
    for (const auto& c : cases) {
        Document d = documentOf(std::vector<Geoset>(c.geosets, lineGeoset(c.vertices, c.corners)),
                                std::vector<Flags>(c.geosets, c.vertexFlags),
                                std::vector<Flags>(c.geosets, c.triangleFlags));
        const Document before = d;
        FakeHost host;
        c.operation(d, host);
        ASSERT_EQ(host.messages.size(), 1u);
        const FakeHost::Message& m = host.messages[0];
        EXPECT_TRUE(m.text == c.message && m.caption == "Error" && m.icon == MessageIcon::Error &&
                    m.ownedByMainWindow)
            << m.text;
        EXPECT_TRUE(sameDocument(d, before));
    }
}

// Every triangle and vertex selected, in the viewport and the UV editor, the model posed;
// returns the vertex and triangle counts of every geoset after extruding.
std::vector<std::size_t> extrude(Document& d, std::vector<std::vector<Vec3>> meshes, Corners corners,
                                 Flags shown = {}) {
    d = documentOf({});
    for (const std::vector<Vec3>& positions : meshes) {
        d.model.Geosets.push_back(lineGeoset(positions.size(), corners));
        d.model.Geosets.back().positions = positions;
    }
    fitDocument(d);
    for (std::size_t g = 0; g < meshes.size(); ++g) {
        GeosetSelection& marks = d.selection.geosets[g];
        marks.vertices = marks.uvs = Flags(meshes[g].size(), 1);
        marks.triangles.assign(marks.triangles.size(), 1);
        d.selection.shown[g] = g < shown.size() ? shown[g] : 1;
        for (Vec3& p : d.pose.animatedPositions[g]) p[2] += 7;
    }
    extrudeSelection(d);
    std::vector<std::size_t> counts;
    for (std::size_t g = 0; g < meshes.size(); ++g) {
        counts.insert(counts.end(), {d.model.Geosets[g].vertexCount(), d.model.Geosets[g].triangleCount()});
        EXPECT_EQ(d.pose.animatedPositions[g], d.model.Geosets[g].positions);  // the pose is reset
    }
    EXPECT_TRUE(consistent(d));
    return counts;
}

using Counts = std::vector<std::size_t>;

// One triangle: three copied corners, which the triangle and the selection take, and six
// side walls facing out. An edge shared by two selected triangles, found by position (in
// either direction, across geosets), gets no wall, and only the ends of the other edges are
// copied. Hidden geosets take no part.
TEST(ExtrudeSelection, BoundaryVerticesAreCopiedAndJoinedByOutwardSideWalls) {
    Document d;
    ASSERT_EQ(extrude(d, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}}, {0, 1, 2}), (Counts{6, 7}));
    const Geoset& g = d.model.Geosets[0];
    EXPECT_TRUE(d.selection.geosets[0].triangles == (Flags{1, 0, 0, 0, 0, 0, 0}) &&
                d.selection.geosets[0].vertices == (Flags{0, 0, 0, 1, 1, 1}) &&
                d.selection.geosets[0].uvs == (Flags{1, 1, 1, 0, 0, 0}));
    for (std::uint32_t i = 0; i < 3; ++i)
        EXPECT_TRUE(g.corners[i] == i + 3 && g.positions[i] == g.positions[i + 3] &&
                    g.uvSets[0][i] == g.uvSets[0][i + 3] && g.vertexGroups[i] == g.vertexGroups[i + 3]);
    std::set<std::array<std::uint32_t, 3>> walls;
    for (std::size_t t = 1; t < 7; ++t)
        walls.insert({g.corners[3 * t], g.corners[3 * t + 1], g.corners[3 * t + 2]});
    EXPECT_EQ(walls, (std::set<std::array<std::uint32_t, 3>>{
                         {0, 1, 3}, {3, 1, 4}, {1, 2, 4}, {4, 2, 5}, {2, 0, 5}, {5, 0, 3}}));

    // Walked both ways, the shared edge's coordinate sum depends on the order of addition.
    EXPECT_EQ(extrude(d, {{{1e8f, -1e8f, 1}, {0.5f, 0, 0}, {0, 1, 0}, {0, -1, 0}}}, {0, 1, 2, 0, 3, 1}),
              (Counts{8, 10}));
    // The square's halves in two geosets, each walling its two outer edges; a hidden third.
    const std::vector<Vec3> half = {{1, 1, 0}, {0, 1, 0}, {0, 0, 0}};
    EXPECT_EQ(extrude(d, {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, half, half}, {0, 1, 2}, {1, 1, 0}),
              (Counts{6, 5, 6, 5, 3, 1}));
    // A fan round a centre vertex, which ends no boundary edge: it stays, only the rim is copied.
    EXPECT_EQ(extrude(d, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}}},
                      {0, 1, 2, 0, 2, 3, 0, 3, 4, 0, 4, 1}),
              (Counts{9, 12}));
}

}  // namespace
}  // namespace tess

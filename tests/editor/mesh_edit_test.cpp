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

// Worked examples on line vertices: Create Triangle from L = 1, 3, 5 winds against the last triangle
// sharing an edge; Divide splits 0-1 at 3, 2-0 at 4, 2-1 at 5; stray corners (9) are never followed.
TEST(MeshEdits, WorkedExamplesAndRefusals) {
    const char* notTwo = "Select exactly two faces to use Turn Edge.";
    const char* twoGeosets = "The two faces for Turn Edge must be in the same geoset.";
    const char* noEdge = "The two faces do not share an edge.";
    const char* notThree = "You must have exactly three vertices selected to make a triangle.";
    const auto divide = [](Document& d, Host&) { divideEdges(d); };
    const auto remove = [](Document& d, Host&) { deleteSelectedVertices(d); };
    const auto removeTriangles = [](Document& d, Host&) { deleteSelectedTriangles(d); };
    const auto flip = [](Document& d, Host&) { flipTriangles(d); };
    const auto weld = [](Document& d, Host&) { weldVertices(d); };
    const Flags l135 = {0, 1, 0, 1, 0, 1};
    const struct {
        void (*operation)(Document&, Host&);
        std::size_t vertices;
        Corners corners, expected;
        Flags vertexFlags{}, triangleFlags{}, expectedTriangles{};
        const char* refusal = nullptr;
        std::size_t geosets = 1;
    } cases[] = {
        {turnEdge, 5, {0, 2, 3, 4, 1, 2, 2, 0, 1}, {0, 1, 3, 4, 1, 2, 1, 2, 3}, {}, {1, 0, 1}, {1, 0, 1}},
        {createTriangle, 6, {1, 3, 4}, {1, 3, 4, 3, 1, 5}, l135, {}, {0, 1}},  // (L1, L0, L2)
        {createTriangle, 6, {3, 1, 4, 9}, {3, 1, 4, 1, 3, 5, 9}, l135},        // (L0, L1, L2)
        {createTriangle, 6, {0, 2, 4}, {0, 2, 4, 3, 1, 5}, l135},              // no neighbour
        {createTriangle, 6, {2, 4, 0, 1, 3, 1, 1, 3, 0}, {2, 4, 0, 1, 3, 1, 1, 3, 0, 1, 3, 5}, l135},
        {divide, 3, {0, 1, 2, 1, 9, 2, 0, 1}, {4, 3, 2, 5, 9, 2, 1, 2, 3, 0, 3, 4, 1, 9, 5, 0, 1}, {1, 1, 1}},
        {remove, 4, {0, 1, 2, 1, 9, 2, 0, 2, 3, 2, 9}, {0, 1, 2, 1, 8}, {0, 1, 0, 0}},
        {remove, 4, {0, 1, 2, 2, 3}, {0, 1, 2}, {0, 0, 0, 1}},  // the partial triangle names vertex 3
        {removeTriangles, 4, {0, 1, 2, 1, 2, 3, 3, 0}, {1, 2, 3, 3, 0}, {1, 1, 1, 1}, {1, 0}, {0}},
        {weld, 4, {0, 1, 3, 0, 2, 3, 1, 2, 3, 9}, {0, 1, 2, 0, 1, 2, 8}, {0, 1, 1, 0}, {1, 0, 1}, {1, 0}},
        {flip, 4, {0, 1, 2, 1, 2, 3, 3}, {1, 0, 2, 1, 2, 3, 3}, {}, {1, 0}, {1, 0}},
        {turnEdge, 4, {0, 2, 3, 2, 0, 1}, {}, {}, {0, 0}, {}, notTwo},
        {turnEdge, 4, {0, 2, 3, 2, 0, 1}, {}, {}, {1, 0}, {}, twoGeosets, 2},
        {turnEdge, 5, {0, 1, 2, 2, 3, 4}, {}, {}, {1, 1}, {}, noEdge},  // one vertex shared
        {turnEdge, 4, {0, 1, 2, 0, 1, 3}, {}, {}, {1, 1}, {}, noEdge},  // an edge run the same way
        {createTriangle, 3, {}, {}, {1, 1, 0}, {}, {}, "Vertices must be in only one geoset.", 2},
        {createTriangle, 3, {}, {}, {1, 1, 0}, {}, {}, notThree},
    };
    for (const auto& c : cases) {
        Document d = documentOf(std::vector<Geoset>(c.geosets, lineGeoset(c.vertices, c.corners)),
                                std::vector<Flags>(c.geosets, c.vertexFlags),
                                std::vector<Flags>(c.geosets, c.triangleFlags));
        const Document before = d;
        FakeHost host;
        c.operation(d, host);
        if (c.refusal != nullptr) {  // an "Error" box, and the document exactly as it was
            ASSERT_EQ(host.messages.size(), 1u);
            const FakeHost::Message& m = host.messages[0];
            EXPECT_TRUE(m.text == c.refusal && m.caption == "Error" && m.icon == MessageIcon::Error &&
                        m.ownedByMainWindow)
                << m.text;
            EXPECT_TRUE(sameDocument(d, before));
            continue;
        }
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(d.model.Geosets[0].corners, c.expected);
        EXPECT_TRUE(c.expectedTriangles.empty() || d.selection.geosets[0].triangles == c.expectedTriangles);
    }
    // The weld keeps the first selected vertex at the mean position and texture point; other geosets stay.
    Document d = documentOf({lineGeoset(4, {0, 1, 3}), lineGeoset(2, {})}, {{0, 1, 1, 0}});
    weldVertices(d);
    EXPECT_TRUE(d.model.Geosets[0].positions[1] == (Vec3{1.5f, 0.5f, 0}) &&
                d.model.Geosets[0].uvSets[0][1] == (Vec2{0.375f, 0.625f}) &&
                d.model.Geosets[1].vertexCount() == 2);
    d.selection.geosets[0].vertices.assign(3, 1);
    divideEdges(d);  // the midpoint of edge 2-0, (0, 0, 0) to (3, 1, 0)
    EXPECT_EQ(d.model.Geosets[0].positions.back(), (Vec3{1.5f, 0.5f, 0}));
}

// Extrudes with everything selected and the model posed; returns each geoset's vertex and triangle counts.
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

// One triangle: three copied corners and six outward side walls. An edge shared by two selected
// triangles (by position, across geosets) gets no wall. Hidden geosets take no part.
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

#include "editor/mesh_routines.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tess {
namespace {

using Corners = std::vector<std::uint32_t>;

// Vertices tagged by their x coordinate, so survivors can be told apart.
Geoset taggedGeoset(std::size_t vertexCount, Corners corners) {
    Geoset geoset;
    for (std::size_t i = 0; i < vertexCount; ++i) geoset.Vertices.emplace_back().position = {float(i), 0, 0};
    geoset.corners = std::move(corners);
    geoset.resetTriangleRecords();
    return geoset;
}

// As removing the vertices one at a time would: each corner drops by the removed vertices
// below it, corners naming a removed vertex (1, 4, 5) or lying past the vertices (9) included.
TEST(MeshRoutines, DeletingVerticesLowersEachCornerByTheRemovedVerticesBelowIt) {
    Geoset geoset = taggedGeoset(7, {0, 1, 2, 4, 5, 6, 3, 9, 6, 4, 2});
    deleteVertices(geoset, {0, 1, 0, 0, 1, 1});  // vertex 6 past the mask: kept
    std::vector<float> tags;
    for (const Vertex& v : geoset.Vertices) tags.push_back(v.position[0]);
    EXPECT_EQ(tags, (std::vector<float>{0, 2, 3, 6}));
    EXPECT_EQ(geoset.corners, (Corners{0, 1, 1, 3, 3, 3, 2, 6, 3, 3, 1}));
}

TEST(MeshRoutines, AppendedTrianglesGoInFrontOfATrailingPartialTriangle) {
    Geoset geoset = taggedGeoset(4, {0, 1, 2, 3, 2});
    appendTriangle(geoset, 3, 2, 1, 1);
    appendTriangle(geoset, 0, 1, 3, 0);
    EXPECT_EQ(geoset.corners, (Corners{0, 1, 2, 3, 2, 1, 0, 1, 3, 3, 2}));
    EXPECT_EQ(geoset.triangleSelected, (std::vector<std::uint8_t>{0, 1, 0}));
}

}  // namespace
}  // namespace tess

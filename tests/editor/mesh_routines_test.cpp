#include "editor/mesh_routines.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "stepwise_mesh.h"

namespace tess {
namespace {

using testing::deleteVertex;

// Vertices tagged by their x coordinate, so survivors can be told apart.
Geoset taggedGeoset(std::size_t vertexCount, std::vector<std::uint32_t> corners) {
    Geoset geoset;
    for (std::size_t i = 0; i < vertexCount; ++i) geoset.Vertices.emplace_back().position = {float(i), 0, 0};
    geoset.corners = std::move(corners);
    geoset.resetTriangleRecords();
    return geoset;
}

std::vector<float> tags(const Geoset& geoset) {
    std::vector<float> out;
    for (const Vertex& v : geoset.Vertices) out.push_back(v.position[0]);
    return out;
}

TEST(MeshRoutines, DeletingManyVerticesAtOnceMatchesDeletingThemOneByOne) {
    // Corners naming removed vertices (1, 4, 5) and lying beyond the vertices (9) included,
    // plus a trailing partial triangle.
    const Geoset original = taggedGeoset(7, {0, 1, 2, 4, 5, 6, 3, 9, 6, 4, 2});
    const std::vector<std::uint8_t> doomed{0, 1, 0, 0, 1, 1};  // vertex 6 past the mask: kept

    Geoset stepwise = original;
    std::uint32_t current = 0;  // where the next original vertex now stands
    for (const std::uint8_t remove : doomed) {
        if (remove)
            deleteVertex(stepwise, current);
        else
            ++current;
    }
    Geoset bulk = original;
    deleteVertices(bulk, doomed);

    EXPECT_EQ(tags(bulk), (std::vector<float>{0, 2, 3, 6}));
    EXPECT_EQ(tags(bulk), tags(stepwise));
    EXPECT_EQ(bulk.corners, stepwise.corners);
    EXPECT_EQ(bulk.corners, (std::vector<std::uint32_t>{0, 1, 1, 3, 3, 3, 2, 6, 3, 3, 1}));
}

TEST(MeshRoutines, AppendedTrianglesGoInFrontOfATrailingPartialTriangle) {
    Geoset geoset = taggedGeoset(4, {0, 1, 2, 3, 2});
    appendTriangle(geoset, 3, 2, 1, 1);
    EXPECT_EQ(geoset.corners, (std::vector<std::uint32_t>{0, 1, 2, 3, 2, 1, 3, 2}));
    EXPECT_EQ(geoset.triangleSelected, (std::vector<std::uint8_t>{0, 1}));
    appendTriangle(geoset, 0, 1, 3, 0);
    EXPECT_EQ(geoset.corners.size(), 11u);
    EXPECT_EQ(geoset.triangleSelected, (std::vector<std::uint8_t>{0, 1, 0}));
}

}  // namespace
}  // namespace tess

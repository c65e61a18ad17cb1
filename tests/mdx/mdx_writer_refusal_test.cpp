#include <gtest/gtest.h>

#include "common/sample_models.h"
#include "mdx_test_support.h"

namespace tess::testing {
namespace {

// Writes into a buffer that already holds bytes, so "appends nothing" is visible.
MdxWriteResult writeAfterPrefix(const Model& model, std::vector<std::uint8_t>& out) {
    out = {1, 2, 3};
    RecordingReportSink reports;
    const MdxWriteResult result = writeMdx(model, out, reports);
    EXPECT_TRUE(reports.checks.empty());
    return result;
}

Geoset geosetWithVertices(std::size_t count) {
    Geoset g;
    g.Vertices.resize(count);
    g.corners = {0, 1, 2};
    g.resetTriangleRecords();
    return g;
}

TEST(MdxWriterRefusal, TooManyVerticesNamesTheGeosetAndAppendsNothing) {
    Model m = makeRichModel();
    m.Geosets.push_back(geosetWithVertices(70000));
    m.Geosets.push_back(geosetWithVertices(70001));
    std::vector<std::uint8_t> out;
    const MdxWriteResult result = writeAfterPrefix(m, out);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Geoset 3 has 70000 vertices; MDX can store at most 65536 per geoset.");
    EXPECT_EQ(out, (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(MdxWriterRefusal, LargestStorableValuesAreWrittenAndReadBack) {
    Model m;
    Geoset g = geosetWithVertices(65536);
    g.corners = {65535, 0, 32768};
    g.Vertices[65535].vertexGroup = 255;
    g.Vertices[3].vertexGroup = 128;
    m.Geosets = {g};
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(writeAfterPrefix(m, out).ok);
    out.erase(out.begin(), out.begin() + 3);
    const ReadResult read = readBytes(out);
    EXPECT_TRUE(read.checks.empty());
    EXPECT_TRUE(read.model.Geosets == m.Geosets);
}

TEST(MdxWriterRefusal, CornerIndexOrVertexGroupThatDoesNotFitIsRefused) {
    Model corner;
    corner.Geosets = {geosetWithVertices(3), geosetWithVertices(3)};
    corner.Geosets[1].corners = {0, 65536, 1};
    std::vector<std::uint8_t> out;
    MdxWriteResult result = writeAfterPrefix(corner, out);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Geoset 2 has corner index 65536; MDX can store corner indices up to 65535.");
    EXPECT_EQ(out, (std::vector<std::uint8_t>{1, 2, 3}));

    Model group;
    group.Geosets = {geosetWithVertices(3)};
    group.Geosets[0].Vertices[1].vertexGroup = 256;
    result = writeAfterPrefix(group, out);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Geoset 1 has vertex group 256; MDX can store vertex groups up to 255.");
    EXPECT_EQ(out, (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(MdxWriterRefusal, VertexMissingCoordinateSetsIsWrittenWithZeros) {
    Model m;
    Geoset g = geosetWithVertices(3);
    for (Vertex& v : g.Vertices) v.U = v.V = {0.5f, 0.75f};
    g.Vertices[2].U = g.Vertices[2].V = {0.25f};
    m.Geosets = {g};
    const ReadResult read = readBytes(writeOrFail(m));
    const Vertex& v = read.model.Geosets[0].Vertices[2];
    EXPECT_EQ(v.U, (SmallVector<float, 2>{0.25f, 0.0f}));
    EXPECT_EQ(v.V, (SmallVector<float, 2>{0.25f, 0.0f}));
}

}  // namespace
}  // namespace tess::testing

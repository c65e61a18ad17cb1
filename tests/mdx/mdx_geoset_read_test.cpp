#include <gtest/gtest.h>

#include "mdx/mdx_checks.h"
#include "mdx_test_support.h"

namespace tess::testing {
namespace {

// The blocks of one hand-made geoset record. Entry i of each per-vertex block holds
// values derived from i, so tests can tell which entries were stored.
struct GeosetBlocks {
    const char* vrtxTag = "VRTX";
    std::uint32_t vertices = 4;
    std::uint32_t normals = 4;
    std::vector<std::uint16_t> corners = {0, 1, 2, 2, 1, 3};
    std::uint32_t groups = 4;
    std::vector<std::uint8_t> groupValues = {};  // default: 1, 2, 3, ...
    std::vector<std::uint32_t> groupSizes = {1};
    std::vector<std::uint32_t> entries = {0};
    std::vector<std::uint32_t> uvCounts = {4};
};

std::vector<std::uint8_t> geosetRecord(const GeosetBlocks& g) {
    ByteBuilder body;
    body.tag(g.vrtxTag).u32(g.vertices);
    for (std::uint32_t i = 0; i < g.vertices; ++i) body.f32(float(i)).f32(float(i) + 0.5f).f32(-float(i));
    body.tag("NRMS").u32(g.normals);
    for (std::uint32_t i = 0; i < g.normals; ++i) body.f32(0).f32(0).f32(float(i + 1));
    body.tag("PTYP").u32(1).u32(4).tag("PCNT").u32(1).u32(static_cast<std::uint32_t>(g.corners.size()));
    body.tag("PVTX").u32(static_cast<std::uint32_t>(g.corners.size()));
    for (std::uint16_t corner : g.corners) body.u16(corner);
    body.tag("GNDX").u32(g.groups);
    for (std::uint32_t i = 0; i < g.groups; ++i)
        body.u8(i < g.groupValues.size() ? g.groupValues[i] : static_cast<std::uint8_t>(i + 1));
    body.tag("MTGC").u32(static_cast<std::uint32_t>(g.groupSizes.size()));
    for (std::uint32_t size : g.groupSizes) body.u32(size);
    body.tag("MATS").u32(static_cast<std::uint32_t>(g.entries.size()));
    for (std::uint32_t entry : g.entries) body.u32(entry);
    body.u32(2).u32(3).u32(4).f32(1.5f).zeros(24).u32(0);
    body.tag("UVAS").u32(static_cast<std::uint32_t>(g.uvCounts.size()));
    for (std::size_t k = 0; k < g.uvCounts.size(); ++k) {
        body.tag("UVBS").u32(g.uvCounts[k]);
        for (std::uint32_t i = 0; i < g.uvCounts[k]; ++i) body.f32(float(k) + 0.25f * float(i)).f32(float(i));
    }
    ByteBuilder record;
    record.u32(static_cast<std::uint32_t>(4 + body.bytes.size())).append(body.bytes);
    return record.bytes;
}

// A file with the geoset, then a TEXS chunk, which must always be read.
ReadResult readGeoset(const GeosetBlocks& g) {
    ByteBuilder file = fileStart();
    file.chunk("GEOS", geosetRecord(g));
    file.chunk("TEXS", ByteBuilder().u32(5).text("after.blp", 256).u32(0).u32(0).bytes);
    ReadResult read = readBytes(file.bytes);
    EXPECT_EQ(read.model.Textures.size(), 1u);
    EXPECT_EQ(read.model.Geosets.size(), 1u);
    return read;
}

TEST(MdxGeosetRead, WellFormedBlocksFillEveryField) {
    const ReadResult read = readGeoset({});
    EXPECT_TRUE(read.checks.empty());
    const Geoset& g = read.model.Geosets[0];
    ASSERT_EQ(g.Vertices.size(), 4u);
    EXPECT_EQ(g.Vertices[3].position, (Vec3{3, 3.5f, -3}));
    EXPECT_EQ(g.Vertices[3].normal, (Vec3{0, 0, 4}));
    EXPECT_EQ(g.Vertices[3].vertexGroup, 4u);
    EXPECT_EQ(g.Vertices[3].U[0], 0.75f);
    EXPECT_EQ(g.Vertices[3].V[0], 3.0f);
    EXPECT_EQ(g.corners, (std::vector<std::uint32_t>{0, 1, 2, 2, 1, 3}));
    EXPECT_EQ(g.triangleSelected, (std::vector<std::uint8_t>{0, 0}));
    EXPECT_EQ(g.MaterialID, 2u);
    EXPECT_EQ(g.SelectionGroup, 3u);
    EXPECT_EQ(g.selectionFlags, 4u);
    EXPECT_EQ(g.BoundsRadius, 1.5f);
}

TEST(MdxGeosetRead, MatrixGroupsFollowTheGroupSizesInOrder) {
    struct Case {
        std::vector<std::uint32_t> sizes, entries;
        std::vector<std::vector<std::uint32_t>> groups;
        std::vector<int> checks;
    };
    const std::vector<Case> cases = {
        {{2, 1}, {5, 6, 7}, {{5, 6}, {7}}, {}},
        {{0, 2}, {8, 9}, {{}, {8, 9}}, {}},
        {{1, 0}, {4}, {{4}, {}}, {}},
        {{1}, {1, 2, 3}, {{1}}, {kMdxMatsBeyondGroups}},
        {{2, 2}, {1}, {{1}, {}}, {kMdxMatsShort}},
        {{}, {}, {}, {}},
    };
    for (const Case& c : cases) {
        GeosetBlocks blocks;
        blocks.groupSizes = c.sizes;
        blocks.entries = c.entries;
        const ReadResult read = readGeoset(blocks);
        EXPECT_EQ(read.model.Geosets[0].matrixGroups, c.groups);
        EXPECT_EQ(read.checks, c.checks);
    }
}

TEST(MdxGeosetRead, PerVertexCountsThatDisagreeKeepEveryVertexConsistent) {
    GeosetBlocks more;
    more.normals = 6;
    more.groups = 5;
    more.uvCounts = {6, 4};
    ReadResult read = readGeoset(more);
    EXPECT_EQ(read.checks,
              (std::vector<int>{kMdxNormalCountMismatch, kMdxGroupCountMismatch, kMdxUvCountMismatch}));
    const Geoset& extra = read.model.Geosets[0];
    EXPECT_EQ(extra.Vertices.size(), 4u);
    EXPECT_EQ(extra.Vertices[3].normal, (Vec3{0, 0, 4}));
    EXPECT_EQ(extra.Vertices[3].vertexGroup, 4u);
    EXPECT_EQ(extra.Vertices[3].U, (SmallVector<float, 2>{0.75f, 1.75f}));
    EXPECT_EQ(extra.MaterialID, 2u);  // the blocks after the extras are still in step

    GeosetBlocks fewer;
    fewer.normals = 2;
    fewer.groups = 3;
    fewer.uvCounts = {4, 2};
    read = readGeoset(fewer);
    EXPECT_EQ(read.checks,
              (std::vector<int>{kMdxNormalCountMismatch, kMdxGroupCountMismatch, kMdxUvCountMismatch}));
    const Geoset& shortSets = read.model.Geosets[0];
    EXPECT_EQ(shortSets.Vertices[1].normal, (Vec3{0, 0, 2}));
    EXPECT_EQ(shortSets.Vertices[2].normal, (Vec3{0, 0, 0}));
    EXPECT_EQ(shortSets.Vertices[3].vertexGroup, 0u);
    for (const Vertex& v : shortSets.Vertices) {
        EXPECT_EQ(v.U.size(), 2u);
        EXPECT_EQ(v.V.size(), 2u);
    }
    EXPECT_EQ(shortSets.Vertices[1].U[1], 1.25f);
    EXPECT_EQ(shortSets.Vertices[2].U[1], 0.0f);
    EXPECT_EQ(shortSets.Vertices[3].V[1], 0.0f);
}

TEST(MdxGeosetRead, ShortSetsArePaddedOnlyUpToOneSetsWorth) {
    // A thousand empty sets for 4 vertices: the first is padded, the rest are dropped, so
    // the file cannot make the reader allocate far more than it holds.
    GeosetBlocks blocks;
    blocks.uvCounts.assign(1000, 0);
    const ReadResult read = readGeoset(blocks);
    for (const Vertex& v : read.model.Geosets[0].Vertices) EXPECT_EQ(v.U.size(), 1u);
    EXPECT_EQ(std::count(read.checks.begin(), read.checks.end(), kMdxUvPaddingLimit), 999);
}

TEST(MdxGeosetRead, CornersAndGroupsAboveTheSignedRangeReadBackUnchanged) {
    GeosetBlocks blocks;
    blocks.corners = {40000, 65535, 32768};
    blocks.groupValues = {200, 255, 128, 127};
    const ReadResult read = readGeoset(blocks);
    EXPECT_TRUE(read.checks.empty());
    const Geoset& g = read.model.Geosets[0];
    EXPECT_EQ(g.corners, (std::vector<std::uint32_t>{40000, 65535, 32768}));
    EXPECT_EQ(g.Vertices[0].vertexGroup, 200u);
    EXPECT_EQ(g.Vertices[1].vertexGroup, 255u);
    EXPECT_EQ(g.Vertices[2].vertexGroup, 128u);
}

TEST(MdxGeosetRead, WrongBlockTagIsReportedAndReadAsIfRight) {
    GeosetBlocks blocks;
    blocks.vrtxTag = "VRTY";
    const ReadResult read = readGeoset(blocks);
    EXPECT_EQ(read.checks, std::vector<int>{kMdxGeosetVrtxTag});
    EXPECT_EQ(read.model.Geosets[0].Vertices.size(), 4u);
    EXPECT_EQ(read.model.Geosets[0].MaterialID, 2u);
}

TEST(MdxGeosetRead, InclusiveSizeThatDisagreesIsReported) {
    std::vector<std::uint8_t> record = geosetRecord({});
    putU32(record, 0, u32At(record, 0) + 4);
    record.insert(record.end(), 4, 0);  // four bytes the blocks do not account for
    ByteBuilder file = fileStart();
    file.chunk("GEOS", record);
    const ReadResult read = readBytes(file.bytes);
    // The blocks end 4 bytes before the declared end; the next geoset starts there and
    // runs out of the chunk.
    ASSERT_GE(read.checks.size(), 1u);
    EXPECT_EQ(read.checks[0], kMdxGeosetEndMismatch);
    EXPECT_EQ(read.model.Geosets[0].Vertices.size(), 4u);
}

TEST(MdxGeosetRead, VertexCountFarBeyondTheFileIsAnOverrunNotAnAllocation) {
    // The VRTX count of a well-formed record, patched: the chunk stays small.
    std::vector<std::uint8_t> record = geosetRecord({});
    putU32(record, 8, 0x7fffffff);
    ByteBuilder file = fileStart();
    file.chunk("GEOS", record);
    file.chunk("TEXS", ByteBuilder().u32(5).text("after.blp", 256).u32(0).u32(0).bytes);
    const ReadResult read = readBytes(file.bytes);
    EXPECT_EQ(read.checks, std::vector<int>{kMdxChunkOverrun});
    EXPECT_EQ(read.model.Textures.size(), 1u);
    ASSERT_EQ(read.model.Geosets.size(), 1u);
    EXPECT_TRUE(read.model.Geosets[0].Vertices.empty());
}

}  // namespace
}  // namespace tess::testing

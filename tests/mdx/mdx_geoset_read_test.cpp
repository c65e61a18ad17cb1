#include <gtest/gtest.h>

#include <tuple>

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
    std::vector<std::uint16_t> corners = {0, 1, 2, 40000, 65535, 32768};
    std::uint32_t groups = 4;
    std::vector<std::uint32_t> groupSizes = {1};
    std::vector<std::uint32_t> entries = {0};
    std::vector<std::uint32_t> uvCounts = {4};
    std::uint32_t sizeSlack = 0;  // bytes the inclusive size claims beyond the blocks
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
    // Vertex groups 126, 127, 128, ...: above the signed range from the third on.
    body.tag("GNDX").u32(g.groups);
    for (std::uint32_t i = 0; i < g.groups; ++i) body.u8(static_cast<std::uint8_t>(126 + i));
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
    return ByteBuilder().sized(body.zeros(g.sizeSlack).bytes).bytes;
}

// A file with the geoset, then a TEXS chunk, which must always be read.
ReadResult readGeoset(const GeosetBlocks& g) {
    ReadResult read = readBytes(fileStart().chunk("GEOS", geosetRecord(g)).append(texsAfter()).bytes);
    EXPECT_EQ(read.model.Textures.size(), 1u);
    EXPECT_EQ(read.model.Geosets.size(), 1u);
    return read;
}

TEST(MdxGeosetRead, WellFormedBlocksFillEveryFieldAndKeepUnsignedValues) {
    const ReadResult read = readGeoset({});
    EXPECT_TRUE(read.checks.empty());
    const Geoset& g = read.model.Geosets[0];
    ASSERT_EQ(g.Vertices.size(), 4u);
    EXPECT_EQ(g.Vertices[3].position, (Vec3{3, 3.5f, -3}));
    EXPECT_EQ(g.Vertices[3].normal, (Vec3{0, 0, 4}));
    EXPECT_EQ(g.Vertices[1].vertexGroup, 127u);
    EXPECT_EQ(g.Vertices[3].vertexGroup, 129u);
    EXPECT_EQ(g.Vertices[3].U, (SmallVector<float, 2>{0.75f}));
    EXPECT_EQ(g.Vertices[3].V, (SmallVector<float, 2>{3.0f}));
    EXPECT_EQ(g.corners, (std::vector<std::uint32_t>{0, 1, 2, 40000, 65535, 32768}));
    EXPECT_EQ(g.triangleSelected, (std::vector<std::uint8_t>{0, 0}));
    EXPECT_EQ(g.matrixGroups, (std::vector<std::vector<std::uint32_t>>{{0}}));
    EXPECT_EQ((std::tuple{g.MaterialID, g.SelectionGroup, g.selectionFlags, g.BoundsRadius}),
              (std::tuple{2u, 3u, 4u, 1.5f}));
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
    const std::vector<int> mismatches = {kMdxNormalCountMismatch, kMdxGroupCountMismatch,
                                         kMdxUvCountMismatch};
    GeosetBlocks more;
    more.normals = 6;
    more.groups = 5;
    more.uvCounts = {6, 4};
    ReadResult read = readGeoset(more);
    EXPECT_EQ(read.checks, mismatches);
    const Geoset& extra = read.model.Geosets[0];
    EXPECT_EQ(extra.Vertices.size(), 4u);
    EXPECT_EQ(extra.Vertices[3].normal, (Vec3{0, 0, 4}));
    EXPECT_EQ(extra.Vertices[3].vertexGroup, 129u);
    EXPECT_EQ(extra.Vertices[3].U, (SmallVector<float, 2>{0.75f, 1.75f}));
    EXPECT_EQ(extra.MaterialID, 2u);  // the blocks after the extras are still in step

    GeosetBlocks fewer;
    fewer.normals = 2;
    fewer.groups = 3;
    fewer.uvCounts = {4, 2};
    read = readGeoset(fewer);
    EXPECT_EQ(read.checks, mismatches);
    const std::vector<Vertex>& v = read.model.Geosets[0].Vertices;
    EXPECT_EQ(v[1].normal, (Vec3{0, 0, 2}));
    EXPECT_EQ(v[2].normal, (Vec3{0, 0, 0}));
    EXPECT_EQ(v[3].vertexGroup, 0u);
    EXPECT_EQ(v[1].U, (SmallVector<float, 2>{0.25f, 1.25f}));
    EXPECT_EQ(v[3].U, (SmallVector<float, 2>{0.75f, 0.0f}));
    EXPECT_EQ(v[3].V, (SmallVector<float, 2>{3.0f, 0.0f}));

    // A thousand empty sets: the first is padded, the rest are dropped, so the file cannot
    // make the reader allocate far more than it holds.
    GeosetBlocks empty;
    empty.uvCounts.assign(1000, 0);
    read = readGeoset(empty);
    for (const Vertex& vertex : read.model.Geosets[0].Vertices) EXPECT_EQ(vertex.U.size(), 1u);
    EXPECT_EQ(std::count(read.checks.begin(), read.checks.end(), kMdxUvPaddingLimit), 999);
}

TEST(MdxGeosetRead, WrongBlockTagOrInclusiveSizeIsReportedAndReadAsIfRight) {
    GeosetBlocks tag;
    tag.vrtxTag = "VRTY";
    ReadResult read = readGeoset(tag);
    EXPECT_EQ(read.checks, std::vector<int>{kMdxGeosetVrtxTag});
    EXPECT_EQ(read.model.Geosets[0].Vertices.size(), 4u);
    EXPECT_EQ(read.model.Geosets[0].MaterialID, 2u);

    // The blocks end 4 bytes before the declared end; the next geoset starts there and
    // runs out of the chunk.
    GeosetBlocks slack;
    slack.sizeSlack = 4;
    read = readBytes(fileStart().chunk("GEOS", geosetRecord(slack)).bytes);
    ASSERT_FALSE(read.checks.empty());
    EXPECT_EQ(read.checks[0], kMdxGeosetEndMismatch);
    EXPECT_EQ(read.model.Geosets[0].Vertices.size(), 4u);
}

}  // namespace
}  // namespace tess::testing

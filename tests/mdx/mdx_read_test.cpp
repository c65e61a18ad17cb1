#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "common/sample_models.h"
#include "mdx_test_support.h"

namespace tess::testing {
namespace {

// A hand-made geoset record; entry i of each per-vertex block holds values derived from i.
struct GeosetBlocks {
    std::uint32_t vertices = 4, normals = 4, groups = 4;
    std::vector<std::uint32_t> groupSizes = {1}, entries = {0}, uvCounts = {4};
    std::uint32_t sizeSlack = 0;  // bytes the inclusive size claims beyond the blocks
};

std::vector<std::uint8_t> geosetRecord(const GeosetBlocks& g) {
    ByteBuilder body;
    const auto counted = [&body](const char* tag, const std::vector<std::uint32_t>& values) {
        body.tag(tag).u32(static_cast<std::uint32_t>(values.size()));
        for (std::uint32_t value : values) body.u32(value);
    };
    body.tag("VRTX").u32(g.vertices);
    for (std::uint32_t i = 0; i < g.vertices; ++i) body.f32(float(i)).f32(float(i) + 0.5f).f32(-float(i));
    body.tag("NRMS").u32(g.normals);
    for (std::uint32_t i = 0; i < g.normals; ++i) body.f32(0).f32(0).f32(float(i + 1));
    // Corners and vertex groups above the signed 16- and 8-bit ranges.
    counted("PTYP", {4});
    counted("PCNT", {3});
    body.tag("PVTX").u32(3).le(0, 2).le(40000, 2).le(65535, 2).tag("GNDX").u32(g.groups);
    for (std::uint32_t i = 0; i < g.groups; ++i) body.le(126 + i, 1);
    counted("MTGC", g.groupSizes);
    counted("MATS", g.entries);
    body.u32(2).u32(3).u32(4).f32(1.5f).text("", 24).u32(0);
    body.tag("UVAS").u32(static_cast<std::uint32_t>(g.uvCounts.size()));
    for (std::size_t k = 0; k < g.uvCounts.size(); ++k) {
        body.tag("UVBS").u32(g.uvCounts[k]);
        for (std::uint32_t i = 0; i < g.uvCounts[k]; ++i) body.f32(float(k) + 0.25f * float(i)).f32(float(i));
    }
    return ByteBuilder().sized(body.text("", g.sizeSlack).bytes).bytes;
}

// Reads the geoset and a TEXS chunk after it; every per-vertex array has one entry per vertex.
ReadResult readGeoset(const GeosetBlocks& g) {
    ReadResult read = readBytes(fileStart().chunk("GEOS", geosetRecord(g)).append(texsAfter()).bytes);
    EXPECT_EQ(read.model.Textures.size(), 1u);
    const Geoset& geoset = read.model.Geosets.at(0);
    EXPECT_EQ(geoset.vertexCount(), g.vertices);
    EXPECT_EQ(geoset.normals.size() + geoset.vertexGroups.size(), 2 * g.vertices);
    for (const std::vector<Vec2>& set : geoset.uvSets) EXPECT_EQ(set.size(), g.vertices);
    EXPECT_EQ(geoset.MaterialID, 2u);  // the blocks after any damage are still in step
    return read;
}

// Entry i of a block is stored when below the block's count and the vertex count; the rest are zeros.
TEST(MdxGeosetRead, BlocksAreStoredPaddedOrCutToTheVertexCountAndGroupSizes) {
    const std::vector<int> mismatches = {kMdxNormalCountMismatch, kMdxGroupCountMismatch,
                                         kMdxUvCountMismatch};
    for (const GeosetBlocks& blocks :
         {GeosetBlocks{}, GeosetBlocks{4, 6, 5, {1}, {0}, {6, 4}}, GeosetBlocks{4, 2, 3, {1}, {0}, {4, 2}}}) {
        const ReadResult read = readGeoset(blocks);
        EXPECT_EQ(read.checks, blocks.normals == 4 ? std::vector<int>{} : mismatches);
        const Geoset& g = read.model.Geosets[0];
        EXPECT_EQ(g.corners, (std::vector<std::uint32_t>{0, 40000, 65535}));
        for (std::uint32_t i = 0; i < 4; ++i) {
            const auto f = static_cast<float>(i);
            EXPECT_EQ(g.positions[i], (Vec3{f, f + 0.5f, -f}));
            EXPECT_EQ(g.normals[i], (Vec3{0, 0, i < blocks.normals ? f + 1 : 0}));
            EXPECT_EQ(g.vertexGroups[i], i < blocks.groups ? 126 + i : 0);
            for (std::size_t k = 0; k < blocks.uvCounts.size(); ++k)
                EXPECT_EQ(g.uvSets.at(k)[i],
                          (i < blocks.uvCounts[k] ? Vec2{float(k) + 0.25f * f, f} : Vec2{}));
        }
    }
    // A thousand empty sets: the first is padded, the rest dropped (no allocation beyond the file).
    ReadResult read = readGeoset({4, 4, 4, {1}, {0}, std::vector<std::uint32_t>(1000, 0)});
    EXPECT_EQ(read.model.Geosets[0].textureSetCount(), 1u);
    EXPECT_EQ(std::count(read.checks.begin(), read.checks.end(), kMdxUvPaddingLimit), 999);
    EXPECT_EQ(readGeoset({0, 0, 0, {1}, {0}, {0, 0}}).model.Geosets[0].textureSetCount(), 0u);
    // Blocks ending 4 bytes before the declared end are reported.
    read = readBytes(fileStart().chunk("GEOS", geosetRecord({4, 4, 4, {1}, {0}, {4}, 4})).bytes);
    EXPECT_EQ(read.checks.at(0), kMdxGeosetEndMismatch);
    EXPECT_EQ(read.model.Geosets[0].vertexCount(), 4u);
    // Matrix groups follow the group sizes in order.
    using Words = std::vector<std::uint32_t>;
    const std::tuple<Words, Words, std::vector<Words>, std::vector<int>> cases[] = {
        {{2, 0, 1}, {5, 6, 7}, {{5, 6}, {}, {7}}, {}},
        {{1}, {1, 2, 3}, {{1}}, {kMdxMatsBeyondGroups}},
        {{2, 2}, {1}, {{1}, {}}, {kMdxMatsShort}}};
    for (const auto& [sizes, entries, groups, checks] : cases) {
        read = readGeoset({4, 4, 4, sizes, entries});
        EXPECT_EQ(std::tie(read.model.Geosets[0].matrixGroups, read.checks), std::tie(groups, checks));
    }
}

// Whatever the reader accepts, the writer and the reader agree on from then on.
void expectStableRewrite(const Model& model) {
    std::vector<std::uint8_t> first, second;
    if (writeMdx(model, first).hasErrors()) return;
    ASSERT_FALSE(writeMdx(readBytes(first).model, second).hasErrors());
    ASSERT_EQ(first, second);
}

TEST(MdxBadInput, CutFilesReportOnlyACutInsideAChunkAndRewriteStably) {
    const std::vector<std::uint8_t> bytes = writeOrFail(makeRichModel());
    std::set<std::size_t> boundaries = {4};
    for (std::size_t at = 4; at < bytes.size(); at += 8 + u32At(bytes, at + 4)) boundaries.insert(at);
    const std::string fullTrace = readBytes(bytes).trace;
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
        const ReadResult read = readBytes(std::span(bytes.data(), length));
        if (length < 4) {
            ASSERT_TRUE(read.checks.empty() && read.model == Model{}) << length;
        } else if (boundaries.count(length) || length == bytes.size()) {  // a cut between chunks is complete
            ASSERT_TRUE(read.checks.empty()) << length;
            ASSERT_EQ(fullTrace.compare(0, read.trace.size(), read.trace), 0) << length;
        } else {
            ASSERT_EQ(read.checks, std::vector<int>{kMdxTruncated}) << length;
        }
        expectStableRewrite(read.model);
    }
}

TEST(MdxBadInput, DamagedCountsAndSizesStayInsideTheirChunk) {
    const Model rich = makeRichModel();
    const std::vector<std::uint8_t> bytes = writeOrFail(rich);
    const std::string trace = readBytes(bytes).trace;
    const auto expectContained = [&](std::size_t at, std::uint32_t value, int check, bool onlyCheck) {
        std::vector<std::uint8_t> damaged = bytes;
        for (std::size_t i = 0; i < 4; ++i) damaged.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
        ReadResult read = readBytes(damaged);
        EXPECT_EQ(read.checks.empty() ? 0 : read.checks[0], check) << at;
        EXPECT_TRUE(!onlyCheck || read.checks.size() == 1) << at;
        EXPECT_EQ(read.trace, trace) << at;  // every chunk is still found
        EXPECT_TRUE(read.model.CollisionShapes == rich.CollisionShapes) << at;
        return read;
    };
    const std::size_t mtls = chunkBody(bytes, "MTLS"), geos = chunkBody(bytes, "GEOS"),
                      bone = chunkBody(bytes, "BONE"), cams = chunkBody(bytes, "CAMS"),
                      evts = chunkBody(bytes, "EVTS");
    std::size_t mtgc = geos;
    while (textAt(bytes, mtgc, 4) != "MTGC") ++mtgc;
    // Counts of layers, vertices, matrix groups, track keys and event times.
    for (std::size_t at : {mtls + 16, geos + 8, mtgc + 4, bone + 100, evts + u32At(bytes, evts) + 4})
        for (std::uint32_t count : {0x7fffffffu, 0xffffffffu})
            expectContained(at, count, kMdxChunkOverrun, true);
    // An interpolation type out of range reads as Linear, which the track was.
    EXPECT_TRUE(expectContained(bone + 104, 7, kMdxBadInterpolation, true).model.Bones == rich.Bones);
    for (const auto& [at, check] : {std::pair{cams, kMdxRecordEndMismatch},
                                    {bone, kMdxNodeEndMismatch},
                                    {mtls + 20, kMdxLayerEndMismatch}})
        expectContained(at, 0, check, false);
}

TEST(MdxBadInput, UnknownChunksAndWrongTagsAreReportedAndReadingGoesOn) {
    // An unknown chunk; two sequences and 8 bytes too many; a stray tag before a camera's KCRL; a
    // layer without LAYS; an event without KEVT; an empty TEXS chunk.
    ByteBuilder camera, layer, material, event;
    camera.text("Cam", 116).tag("ZZZZ").tag("KCRL").u32(1).u32(0).u32(0xffffffff).u32(5).f32(0.5f);
    layer.u32(3).u32(0).u32(0).u32(0xffffffff).u32(0).f32(0.25f);
    material.u32(0).u32(0).tag("LAYZ").u32(1).sized(layer.bytes);
    event.u32(96).text("Ev", 80).u32(0).u32(0xffffffff).u32(0x400).tag("KEVX").u32(1).u32(0xffffffff).u32(42);
    const ReadResult read =
        readBytes(fileStart()
                      .chunk("ABCD", {1, 2, 3, 4, 5, 6, 7})
                      .chunk("SEQS", ByteBuilder().text("One", 132).text("Two", 140).bytes)
                      .chunk("CAMS", ByteBuilder().sized(camera.bytes).bytes)
                      .chunk("MTLS", ByteBuilder().sized(material.bytes).bytes)
                      .chunk("EVTS", event.bytes)
                      .chunk("TEXS", {})
                      .append(texsAfter())
                      .bytes);
    EXPECT_EQ(read.checks, (std::vector<int>{kMdxUnknownChunk, kMdxChunkSizeMismatch, kMdxUnexpectedRecordTag,
                                             kMdxMissingLays, kMdxMissingKevt}));
    EXPECT_TRUE(read.trace.ends_with("Tag: MTLS\nTag: EVTS\nTag: TEXS\nTag: TEXS\n")) << read.trace;
    const Model& m = read.model;
    EXPECT_EQ(m.Cameras.at(0).Rotation.keys, (std::vector<TrackKey<float>>{{5, 0.5f, 0, 0}}));
    EXPECT_EQ(m.Materials.at(0).Layers.at(0).FilterMode, 3u);
    EXPECT_EQ(m.Materials[0].Layers[0].Alpha.staticValue, 0.25f);
    EXPECT_EQ(m.EventObjects.at(0).times, std::vector<std::uint32_t>{42});
    EXPECT_TRUE(m.Sequences.size() == 2 && m.Textures.size() == 1 && m.Textures[0].Image == "after.blp");
}

}  // namespace
}  // namespace tess::testing

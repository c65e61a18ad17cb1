#include <gtest/gtest.h>

#include <set>

#include "common/sample_models.h"
#include "mdx/mdx_checks.h"
#include "mdx_test_support.h"

namespace tess::testing {
namespace {

// Writes what was read and reads it again: whatever the reader accepts, the writer and
// reader agree on it from then on.
void expectStableRewrite(const Model& model) {
    std::vector<std::uint8_t> first;
    RecordingReportSink ignored;
    if (!writeMdx(model, first, ignored).ok) return;
    std::vector<std::uint8_t> second;
    ASSERT_TRUE(writeMdx(readBytes(first).model, second, ignored).ok);
    ASSERT_EQ(first, second);
}

TEST(MdxBadInput, TruncationAtEveryByteReportsExactlyWhenTheCutSplitsAChunk) {
    const Model rich = makeRichModel();
    const std::vector<std::uint8_t> bytes = writeOrFail(rich);
    std::set<std::size_t> boundaries = {4};
    for (const ChunkSpan& chunk : chunksOf(bytes)) boundaries.insert(chunk.end());
    const std::size_t beforeGeoa = chunkNamed(bytes, "GEOA").offset;
    const std::string fullTrace = readBytes(bytes).trace;

    for (std::size_t length = 0; length <= bytes.size(); ++length) {
        const ReadResult read = readBytes(std::span(bytes.data(), length));
        if (length < 4) {
            ASSERT_TRUE(read.checks.empty() && read.model == Model{}) << length;
        } else if (boundaries.count(length)) {
            ASSERT_TRUE(read.checks.empty()) << length;
            ASSERT_EQ(fullTrace.compare(0, read.trace.size(), read.trace), 0) << length;
        } else {
            ASSERT_EQ(read.checks, std::vector<int>{kMdxTruncated}) << length;
        }
        if (length == beforeGeoa) {
            EXPECT_TRUE(read.model.Geosets == rich.Geosets && read.model.Materials == rich.Materials);
            EXPECT_TRUE(read.model.GeosetAnims.empty() && read.model.Bones.empty());
        }
        expectStableRewrite(read.model);
    }
}

TEST(MdxBadInput, FileWithoutTheMagicStaysEmptyAndAVersionOnlyFileKeepsItsVersion) {
    Model model = makeRichModel();
    RecordingReportSink reports;
    std::ostringstream trace;
    const std::vector<std::uint8_t> bytes = {'M', 'D', 'L', 'Y', 'V', 'E', 'R', 'S', 4, 0, 0, 0, 1, 2, 3, 4};
    readMdx(model, bytes, reports, trace);
    EXPECT_TRUE(model == Model{});
    EXPECT_TRUE(reports.checks.empty());
    EXPECT_EQ(trace.str(), "Tag: MDLY\n");

    const ReadResult read =
        readBytes(ByteBuilder().tag("MDLX").chunk("VERS", ByteBuilder().u32(900).bytes).bytes);
    EXPECT_TRUE(read.checks.empty());
    Model expected;
    expected.FormatVersion = 900;
    EXPECT_TRUE(read.model == expected);
}

TEST(MdxBadInput, ChunksAreFramedByTheirSize) {
    // Each case is followed by a texture chunk, which must be read whatever came before.
    const auto expectFramed = [](const ByteBuilder& chunks, const std::vector<int>& checks,
                                 std::size_t sequences) {
        const ReadResult read = readBytes(fileStart().append(chunks.bytes).append(texsAfter()).bytes);
        EXPECT_EQ(read.checks, checks);
        EXPECT_EQ(read.model.Sequences.size(), sequences);
        EXPECT_TRUE(read.model.Textures.size() == 1 && read.model.Textures[0].Image == "after.blp");
        return read.trace;
    };
    EXPECT_EQ(expectFramed(ByteBuilder().chunk("ABCD", {1, 2, 3, 4, 5, 6, 7}), {kMdxUnknownChunk}, 0),
              "Tag: MDLX\nTag: VERS\nTag: ABCD\nTag: TEXS\n");
    const std::vector<std::uint8_t> sequence = ByteBuilder().text("One", 80).zeros(52).bytes;
    expectFramed(ByteBuilder().chunk("SEQS", ByteBuilder().append(sequence).append(sequence).bytes), {}, 2);
    expectFramed(ByteBuilder().chunk("SEQS", ByteBuilder().append(sequence).zeros(8).bytes),
                 {kMdxChunkSizeMismatch}, 1);
    EXPECT_TRUE(readBytes(fileStart().chunk("TEXS", {}).bytes).model.Textures.empty());
}

TEST(MdxBadInput, DamagedCountsAndSizesStayInsideTheirChunk) {
    const Model rich = makeRichModel();
    const std::vector<std::uint8_t> bytes = writeOrFail(rich);
    const std::string trace = readBytes(bytes).trace;
    // `onlyCheck`: `check` is the only report, not just the first.
    const auto expectContained = [&](std::size_t at, std::uint32_t value, int check, bool onlyCheck) {
        std::vector<std::uint8_t> damaged = bytes;
        putU32(damaged, at, value);
        ReadResult read = readBytes(damaged);
        EXPECT_EQ(read.checks.empty() ? 0 : read.checks[0], check) << at;
        EXPECT_TRUE(!onlyCheck || read.checks.size() == 1) << at;
        // Only the damaged chunk's objects differ: every chunk is still found.
        EXPECT_EQ(read.trace, trace) << at;
        EXPECT_TRUE(read.model.CollisionShapes == rich.CollisionShapes) << at;
        return read;
    };
    const std::size_t mtls = chunkNamed(bytes, "MTLS").body(), geos = chunkNamed(bytes, "GEOS").body();
    const std::size_t bone = chunkNamed(bytes, "BONE").body(), cams = chunkNamed(bytes, "CAMS").body();
    const std::size_t events = chunkNamed(bytes, "EVTS").body();
    std::size_t mtgc = geos;
    while (textAt(bytes, mtgc, 4) != "MTGC") ++mtgc;
    // Counts of layers, vertices, matrix groups, track keys and event times.
    for (std::size_t at : {mtls + 16, geos + 8, mtgc + 4, bone + 100, events + u32At(bytes, events) + 4})
        for (std::uint32_t count : {0x7fffffffu, 0xffffffffu})
            expectContained(at, count, kMdxChunkOverrun, true);
    // An interpolation type out of range reads as Linear, which the track was.
    EXPECT_TRUE(expectContained(bone + 104, 7, kMdxBadInterpolation, true).model.Bones == rich.Bones);
    expectContained(chunkNamed(bytes, "CLID").offset + 4, 0x7ffffff0, kMdxTruncated, true);
    expectContained(cams, 0x00100000, kMdxRecordPastEnclosing, false);
    const std::size_t txan = chunkNamed(bytes, "TXAN").body();
    for (const auto& [at, check] : {std::pair{cams, kMdxRecordEndMismatch},
                                    {bone, kMdxNodeEndMismatch},
                                    {mtls + 20, kMdxLayerEndMismatch},
                                    {txan, kMdxRecordEndMismatch}})
        expectContained(at, 0, check, false);
}

TEST(MdxBadInput, WrongTagsInsideRecordsAreReportedAndReadingGoesOn) {
    // A camera whose record holds a stray tag before its KCRL track.
    ByteBuilder camera;
    camera.text("Cam", 80).zeros(36).tag("ZZZZ").tag("KCRL").u32(1).u32(0).u32(0xffffffff).u32(5).f32(0.5f);
    // A material whose one layer (FilterMode 3, alpha 0.25) is not announced by LAYS.
    ByteBuilder layer;
    layer.u32(3).u32(0).u32(0).u32(0xffffffff).u32(0).f32(0.25f);
    ByteBuilder material;
    material.u32(0).u32(0).tag("LAYZ").u32(1).sized(layer.bytes);
    // An event object without its KEVT tag.
    ByteBuilder event;
    event.u32(96).text("Ev", 80).u32(0).u32(0xffffffff).u32(0x400).tag("KEVX").u32(1).u32(0xffffffff).u32(42);

    ByteBuilder file = fileStart();
    file.chunk("CAMS", ByteBuilder().sized(camera.bytes).bytes)
        .chunk("MTLS", ByteBuilder().sized(material.bytes).bytes)
        .chunk("EVTS", event.bytes)
        .append(texsAfter());
    const ReadResult read = readBytes(file.bytes);
    EXPECT_EQ(read.checks, (std::vector<int>{kMdxUnexpectedRecordTag, kMdxMissingLays, kMdxMissingKevt}));
    const Model& m = read.model;
    ASSERT_TRUE(m.Cameras.size() == 1 && m.Materials.size() == 1 && m.EventObjects.size() == 1);
    EXPECT_EQ(m.Cameras[0].Rotation.keys, (std::vector<TrackKey<float>>{{5, 0.5f, 0, 0}}));
    ASSERT_EQ(m.Materials[0].Layers.size(), 1u);
    EXPECT_EQ(m.Materials[0].Layers[0].FilterMode, 3u);
    EXPECT_EQ(m.Materials[0].Layers[0].Alpha.staticValue, 0.25f);
    EXPECT_EQ(m.EventObjects[0].times, std::vector<std::uint32_t>{42});
    EXPECT_EQ(m.Textures.size(), 1u);
}

TEST(MdxBadInput, EmitterNodesRejectAVisibilityTrack) {
    // The writer never puts KATV in an emitter's node, so build the records by hand.
    ByteBuilder node;
    node.text("P", 80).u32(0).u32(0xffffffff).u32(0);
    node.tag("KATV").u32(1).u32(0).u32(0xffffffff).u32(0).f32(1.0f);
    for (const auto& [tag, fixed] : {std::pair{"PREM", 284}, {"PRE2", 171}, {"RIBB", 52}}) {
        ByteBuilder record;
        record.sized(node.bytes).zeros(static_cast<std::size_t>(fixed));
        const ReadResult read =
            readBytes(fileStart().chunk(tag, ByteBuilder().sized(record.bytes).bytes).bytes);
        const Model& m = read.model;
        EXPECT_EQ(read.checks.empty() ? 0 : read.checks[0], kMdxUnexpectedNodeTag) << tag;
        EXPECT_EQ(m.ParticleEmitters.size() + m.ParticleEmitters2.size() + m.RibbonEmitters.size(), 1u)
            << tag;
    }
}

TEST(MdxBadInput, GarbageAndDamagedFilesNeverCrashAndRewriteStably) {
    std::uint32_t state = 2024;  // a fixed generator, so failures reproduce
    const auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (int round = 0; round < 200; ++round) {
        std::vector<std::uint8_t> garbage = {'M', 'D', 'L', 'X'};
        for (std::size_t i = next() % 600; i > 0; --i) garbage.push_back(static_cast<std::uint8_t>(next()));
        expectStableRewrite(readBytes(garbage).model);
    }
    const std::vector<std::uint8_t> rich = writeOrFail(makeRichModel());
    for (int round = 0; round < 1500; ++round) {
        std::vector<std::uint8_t> damaged = rich;
        for (std::uint32_t flips = 1 + next() % 6; flips > 0; --flips)
            damaged[4 + next() % (damaged.size() - 4)] = static_cast<std::uint8_t>(next());
        expectStableRewrite(readBytes(damaged).model);
    }
}

}  // namespace
}  // namespace tess::testing

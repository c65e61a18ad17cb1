// The MDL text layout: header, top-level blocks and their order, numbers and track lines.

#include "mdl/mdl_writer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "common/sample_models.h"
#include "mdl/mdl_writer_text.h"
#include "mdl/mdl_writer_tracks.h"

namespace tess {
namespace {

constexpr std::time_t kSat2026 = 1796469899;  // Sat Dec 05 11:24:59 2026 UTC

class MdlWriter : public ::testing::Test {
protected:
    // The stamp is local time: pin the zone.
    void SetUp() override { setZone("UTC"); }
    static void setZone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
    std::string write(const Model& model, std::time_t now = kSat2026) {
        std::string out;
        writeMdl(model, out, reports, now);
        return out;
    }
    // The text from the first line starting with `head` to the next top-level closer.
    std::string block(const Model& model, const std::string& head) {
        const std::string text = write(model);
        const auto start = text.find("\n" + head);
        if (start == std::string::npos) return "";
        return text.substr(start + 1, text.find("\n}\n", start) + 3 - start - 1);
    }
    RecordingReportSink reports;
};

TEST_F(MdlWriter, FreshModelWritesOnlyHeaderVersionModelAndEmptyPivots) {
    Model model;
    model.Name = "Untitled";
    std::string out = "kept";
    writeMdl(model, out, reports, kSat2026);
    EXPECT_EQ(out,
              "kept// Converted Sat Dec 05 11:24:59 2026\n// Quorvint Version Feb 22 2007.\n"
              "Version {\n\tFormatVersion 800,\n}\nModel \"Untitled\" {\n\tBlendTime 100,\n}\n"
              "PivotPoints 0 {\n}\n");
    EXPECT_TRUE(reports.checks.empty());
}

TEST_F(MdlWriter, DateLineIsLocalTimeWithEnglishNamesAndLeadingZeros) {
    EXPECT_EQ(write(Model{}, 1000000000).substr(0, 38), "// Converted Sun Sep 09 01:46:40 2001\n");
    setZone("XYZ-3");  // three hours east of UTC
    EXPECT_EQ(write(Model{}, 0).substr(0, 38), "// Converted Thu Jan 01 03:00:00 1970\n");
}

TEST_F(MdlWriter, ModelExtentsNeedANonZeroExtent) {
    Model model;
    model.BoundsRadius = 5;
    EXPECT_EQ(block(model, "Model"), "Model \"\" {\n\tBlendTime 100,\n}\n");
    model.MaximumExtent = {0, 0, 2};
    model.BlendTime = 0xFFFFFFFFu;
    const std::string extents =
        "Model \"\" {\n\tBlendTime -1,\n\tMinimumExtent { 0.000000, 0.000000, 0.000000 },\n"
        "\tMaximumExtent { 0.000000, 0.000000, 2.000000 },\n";
    EXPECT_EQ(block(model, "Model"), extents + "\tBoundsRadius 5.000000,\n}\n");
    model.BoundsRadius = 0;
    EXPECT_EQ(block(model, "Model"), extents + "}\n");
}

TEST_F(MdlWriter, SequencesWriteOptionalLinesAndAllThreeExtentLinesForARadius) {
    Model model;
    Sequence plain;
    plain.Name = "Stand";
    plain.IntervalEnd = 1000;
    Sequence full;
    full.Name = "Walk";
    full.IntervalStart = 1100;
    full.IntervalEnd = 2000;
    full.flags = 1;
    full.MoveSpeed = 270;
    full.Rarity = 0.5f;
    full.BoundsRadius = 2;
    model.Sequences = {plain, full};
    model.GlobalSequences = {1000, 0xFFFFFFFFu};
    EXPECT_EQ(block(model, "Sequences"),
              "Sequences 2 {\n\tAnim \"Stand\" {\n\t\tInterval { 0, 1000 },\n\t}\n"
              "\tAnim \"Walk\" {\n\t\tInterval { 1100, 2000 },\n\t\tNonLooping,\n\t\tMoveSpeed 270.000000,\n"
              "\t\tRarity 0.500000,\n\t\tMinimumExtent { 0.000000, 0.000000, 0.000000 },\n"
              "\t\tMaximumExtent { 0.000000, 0.000000, 0.000000 },\n\t\tBoundsRadius 2.000000,\n\t}\n}\n");
    EXPECT_EQ(block(model, "GlobalSequences"), "GlobalSequences 2 {\n\tDuration 1000,\n\tDuration -1,\n}\n");
}

TEST_F(MdlWriter, TexturesMaterialsAndLayers) {
    Model model;
    Texture team;
    team.Image = "Textures\\team.blp";
    team.ReplaceableId = 1;
    team.flags = WrapWidth | WrapHeight;
    model.Textures = {Texture{}, team};
    Layer styled;
    styled.FilterMode = 6;
    styled.shadingFlags = 0xFFFFFFFFu;  // only the six shading flags have lines
    styled.TVertexAnimId = 0;
    styled.Alpha.staticValue = 0.5f;
    styled.TextureID.staticValue = 1;
    Layer odd;
    odd.FilterMode = 7;
    Material material;
    material.flags = ConstantColor | SortPrimsFarZ | FullResolution;
    material.PriorityPlane = -1;
    material.Layers = {Layer{}, styled, odd};
    model.Materials = {material, Material{}};
    EXPECT_EQ(
        block(model, "Textures"),
        "Textures 2 {\n\tBitmap {\n\t\tImage \"\",\n\t}\n\tBitmap {\n\t\tImage \"Textures\\team.blp\",\n"
        "\t\tReplaceableId 1,\n\t\tWrapWidth,\n\t\tWrapHeight,\n\t}\n}\n");
    EXPECT_EQ(
        block(model, "Materials"),
        "Materials 2 {\n\tMaterial {\n\t\tConstantColor,\n\t\tSortPrimsFarZ,\n\t\tFullResolution,\n"
        "\t\tPriorityPlane -1,\n"
        "\t\tLayer {\n\t\t\tFilterMode None,\n\t\t\tstatic TextureID 0,\n\t\t}\n"
        "\t\tLayer {\n\t\t\tFilterMode Modulate2x,\n\t\t\tUnshaded,\n\t\t\tSphereEnvMap,\n\t\t\tTwoSided,\n"
        "\t\t\tUnfogged,\n\t\t\tNoDepthTest,\n\t\t\tNoDepthSet,\n\t\t\tstatic TextureID 1,\n"
        "\t\t\tTVertexAnimId 0,\n\t\t\tstatic Alpha 0.500000,\n\t\t}\n"
        "\t\tLayer {\n\t\t\tFilterMode ERROR-UNKNOWN,\n\t\t\tstatic TextureID 0,\n\t\t}\n"
        "\t}\n\tMaterial {\n\t}\n}\n");
}

TEST_F(MdlWriter, RichModelWritesEveryBlockInFileOrder) {
    const std::string out = write(testing::makeRichModel());
    EXPECT_TRUE(reports.checks.empty());
    for (const char* bad : {"\r", " \n", "\n\n"}) EXPECT_EQ(out.find(bad), std::string::npos) << bad;
    EXPECT_TRUE(out.ends_with("\n}\n"));
    // The first word of every line that opens a top-level block.
    std::string heads;
    for (std::size_t start = 0, end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
        if (out[start] != '\t' && out[end - 1] == '{')
            heads += out.substr(start, out.find(' ', start) - start) + " ";
    }
    EXPECT_EQ(
        heads,
        "Version Model Sequences GlobalSequences Textures Materials TextureAnims Geoset Geoset GeosetAnim "
        "GeosetAnim Bone Bone Light Helper Attachment Attachment PivotPoints ParticleEmitter "
        "ParticleEmitter2 ParticleEmitter2 RibbonEmitter Camera Camera EventObject EventObject "
        "CollisionShape CollisionShape ");
}

using Limits = std::numeric_limits<float>;

std::string printfReal(float v) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(v));
    return buffer;
}

std::string realText(float v) {
    std::string out;
    MdlText(out, 0).real(v);
    return out;
}

TEST(MdlWriterText, RealMatchesPrintfOverTheFiniteRangeAndMakesTheRestReadable) {
    // Values that stress the fixed six-decimal conversion (ties, rounding up to a new digit,
    // the ends of the range, tiny negatives), then random bit patterns.
    std::vector<float> values = {0.0f,        -0.0f,      1.0f,       -0.5f,         0.1f,
                                 100.0f,      1e-7f,      -1e-7f,     4.9999999e-7f, 5e-7f,
                                 1.0000005f,  0.2500005f, 2.5e-6f,    0.0000015f,    123456.5f,
                                 16777216.0f, 0.9999995f, 999999.94f, -3.4e38f,      -2147483648.0f};
    for (float limit : {Limits::denorm_min(), Limits::min(), Limits::max()})
        values.insert(values.end(), {limit, -limit});
    std::uint32_t state = 2463534242u;
    while (values.size() < 3000) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        if (const float v = std::bit_cast<float>(state); std::isfinite(v)) values.push_back(v);
    }
    for (float v : values)
        ASSERT_EQ(realText(v), printfReal(v)) << "bits " << std::bit_cast<std::uint32_t>(v);
    // The text has no form for non-finite values: they become the nearest readable numbers.
    EXPECT_EQ(realText(Limits::infinity()), printfReal(Limits::max()));
    EXPECT_EQ(realText(-Limits::infinity()), printfReal(Limits::lowest()));
    EXPECT_EQ(realText(Limits::quiet_NaN()), "0.000000");
    EXPECT_EQ(realText(-Limits::quiet_NaN()), "0.000000");
}

TEST(MdlWriterText, IntegersAreSignedAndPaddedAfterWhatWasThere) {
    std::string out = "kept ";
    {
        MdlText text(out, 0);
        for (std::int32_t v : {0, 7, -1, 2147483647, -2147483647 - 1}) {
            text.integer(v);
            text.text(" ");
        }
        // Unsigned words keep their bits.
        for (std::uint32_t v : {0xFFFFFFFFu, 0x80000000u, 4000000000u}) {
            text.integer(v);
            text.text(" ");
        }
        for (auto [value, width] : {std::pair{7, 2}, {10, 2}, {123, 4}, {100, 4}, {2026, 4}, {12345, 4}}) {
            text.padded(value, width);
            text.text(" ");
        }
    }
    EXPECT_EQ(out,
              "kept 0 7 -1 2147483647 -2147483648 -1 -2147483648 -294967296 07 10 0123 0100 2026 12345 ");
}

template <class V>
std::string trackText(const Track<V>& track, const char* name, const char* indent) {
    std::string out;
    MdlText text(out, 0);
    writeTrack(text, track, name, indent);
    return out;
}

template <class V>
Track<V> keyedTrack(std::int32_t type, std::initializer_list<TrackKey<V>> keys, std::int32_t globalSeq = -1) {
    Track<V> track;
    track.interpolationType = type;
    track.GlobalSeqId = globalSeq;
    track.keys = keys;
    return track;
}

TEST(MdlWriterTracks, UnkeyedTracksWriteTheirStaticLineExceptQuaternions) {
    FloatTrack f;
    f.staticValue = 0.5f;
    IntTrack i;
    i.staticValue = 0xFFFFFFFFu;
    VectorTrack v;
    v.staticValue = {1, -2, 0.25f};
    EXPECT_EQ(trackText(f, "Alpha", "\t\t\t"), "\t\t\tstatic Alpha 0.500000,\n");
    EXPECT_EQ(trackText(i, "TextureID", "\t"), "\tstatic TextureID -1,\n");
    EXPECT_EQ(trackText(v, "Color", "\t"), "\tstatic Color { 1.000000, -2.000000, 0.250000 },\n");
    EXPECT_EQ(trackText(QuatTrack{}, "Rotation", "\t"), "");
}

TEST(MdlWriterTracks, KeyedBlocksWriteTangentsForCodesAboveLinearExceptOnIntegers) {
    const auto linear = keyedTrack<float>(Linear, {{0, 1.0f, 9.0f, 9.0f}, {250, -0.5f, 9.0f, 9.0f}}, 2);
    EXPECT_EQ(trackText(linear, "Alpha", "\t"),
              "\tAlpha 2 {\n\t\tLinear,\n\t\tGlobalSeqId 2,\n\t\t0: 1.000000,\n\t\t250: -0.500000,\n\t}\n");
    const auto bezier = keyedTrack<float>(Bezier, {{-10, 1.0f, 0.25f, 0.75f}});
    EXPECT_EQ(trackText(bezier, "Gravity", "\t\t"),
              "\t\tGravity 1 {\n\t\t\tBezier,\n\t\t\t-10: 1.000000,\n\t\t\t\tInTan 0.250000,\n"
              "\t\t\t\tOutTan 0.750000,\n\t\t}\n");
    const auto hermite = keyedTrack<Vec3>(Hermite, {{5, {1, 2, 3}, {4, 5, 6}, {7, 8, 9}}});
    EXPECT_EQ(trackText(hermite, "Translation", "\t"),
              "\tTranslation 1 {\n\t\tHermite,\n\t\t5: { 1.000000, 2.000000, 3.000000 },\n"
              "\t\t\tInTan { 4.000000, 5.000000, 6.000000 },\n\t\t\tOutTan { 7.000000, 8.000000, 9.000000 "
              "},\n\t}\n");
    const auto rotation = keyedTrack<Quat>(DontInterp, {{0, {0, 0, 0, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}}}, 0);
    EXPECT_EQ(trackText(rotation, "Rotation", "\t"),
              "\tRotation 1 {\n\t\tDontInterp,\n\t\tGlobalSeqId 0,\n"
              "\t\t0: { 0.000000, 0.000000, 0.000000, 1.000000 },\n\t}\n");
    const auto slots = keyedTrack<std::uint32_t>(Hermite, {{0, 3u, 7u, 8u}, {100, 0xFFFFFFFFu, 7u, 8u}});
    EXPECT_EQ(trackText(slots, "TextureSlot", "\t"),
              "\tTextureSlot 2 {\n\t\tHermite,\n\t\t0: 3,\n\t\t100: -1,\n\t}\n");

    // Unknown codes are written as unreadable; tangents follow the code, so -1 has none.
    const auto high = keyedTrack<float>(7, {{0, 1.0f, 2.0f, 3.0f}});
    EXPECT_EQ(trackText(high, "Alpha", ""),
              "Alpha 1 {\n\tERROR-UNKNOWN,\n\t0: 1.000000,\n\t\tInTan 2.000000,\n\t\tOutTan 3.000000,\n}\n");
    const auto negative = keyedTrack<float>(-1, {{0, 1.0f, 2.0f, 3.0f}});
    EXPECT_EQ(trackText(negative, "Alpha", ""), "Alpha 1 {\n\tERROR-UNKNOWN,\n\t0: 1.000000,\n}\n");
}

}  // namespace
}  // namespace tess

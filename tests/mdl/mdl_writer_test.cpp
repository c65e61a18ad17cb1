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
#include <vector>

#include "common/sample_models.h"
#include "mdl/mdl_reader.h"
#include "mdl/mdl_writer_text.h"
#include "model/checks.h"

namespace tess {
namespace {

class MdlWriter : public ::testing::Test {
protected:
    void SetUp() override { setZone("UTC"); }  // the stamp is local time
    static void setZone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
    std::string write(const Model& model, std::time_t now = 0) {
        std::string out;
        diagnostics = writeMdl(model, out, now);
        return out;
    }
    Diagnostics diagnostics;
};

// FNV-1a, 64 bits.
std::uint64_t digest(std::string_view text) {
    std::uint64_t hash = 14695981039346656037u;
    for (const unsigned char c : text) hash = (hash ^ c) * 1099511628211u;
    return hash;
}

// The rich sample model, with the few optional lines it leaves out added, holds every block,
// flag line, track kind and interpolation. Its text is pinned: any change in how a line is
// written changes the digest (the text is printed to compare). It reads back as the model,
// less the bits that have no line.
TEST_F(MdlWriter, EveryBlockIsWrittenAsPinned) {
    Model model = testing::makeRichModel();
    model.MinimumExtent = {0, 0, 0};  // one non-zero extent is enough; a zero radius has no line
    model.BoundsRadius = 0;
    model.Sequences[0].MaximumExtent = {0, 0, 0};  // a radius alone: all three lines
    model.Sequences[0].MinimumExtent = {0, 0, 0};
    model.Sequences[1].IntervalEnd = 0xFFFFFFFFu;  // u32 words are written as signed
    model.Materials[0].PriorityPlane = -2;
    model.Materials[0].Layers[0].shadingFlags = 0xFFFFFFFFu;  // only the six shading flags have lines
    model.Geosets[0].extents[0].BoundsRadius = 0;
    model.Lights[0].Type = Ambient;
    model.Lights[0].Visibility = FloatTrack{};
    model.ParticleEmitters[0].node.flags |= Billboarded;
    model.RibbonEmitters[0].Gravity = 0;
    const std::string text = write(model);
    EXPECT_TRUE(diagnostics.empty());
    EXPECT_EQ(digest(text), 8541873306105877853u) << text;
    Model read;
    EXPECT_TRUE(readMdl(read, text).empty());
    model.Materials[0].Layers[0].shadingFlags = 0xF3;
    EXPECT_EQ(read, model);
}

TEST_F(MdlWriter, HeaderIsLocalTimeInEnglishAndAFreshModelWritesItsFewBlocks) {
    Model model;
    std::string out = "kept";
    writeMdl(model, out, 1796469899);
    EXPECT_EQ(out,
              "kept// Converted Sat Dec 05 11:24:59 2026\n// Quorvint Version Feb 22 2007.\nVersion {\n"
              "\tFormatVersion 800,\n}\nModel \"\" {\n\tBlendTime 100,\n}\nPivotPoints 0 {\n}\n");
    setZone("XYZ-10");  // ten hours east of UTC
    EXPECT_EQ(write(model).substr(0, 38), "// Converted Thu Jan 01 10:00:00 1970\n");
}

TEST_F(MdlWriter, ValuesTheTextCannotHoldAreLeftOutOrMarked) {
    Model model;
    model.BoundsRadius = 5;                                 // a radius without a non-zero extent
    model.Sequences = {Sequence{.Name = "S", .flags = 2}};  // only flags 1 is NonLooping
    Layer& layer = model.Materials.emplace_back().Layers.emplace_back();
    layer.FilterMode = 7;
    layer.TextureID.interpolationType = Hermite;  // integer keys never have tangents
    layer.TextureID.keys = {{0, 3u, 7u, 8u}};
    Geoset& empty = model.Geosets.emplace_back();  // a set without vertices; only 4 is Unselectable
    empty.uvSets.resize(1);
    empty.selectionFlags = 1;
    model.GeosetAnims.resize(1);  // a colour not in use
    model.GeosetAnims[0].Color.staticValue = {1, 0, 0};
    Light& light = model.Lights.emplace_back();  // a type with no word, and a node Visibility of its own
    light.Type = 3;
    light.Visibility.keys = {{0, 1.0f}};
    light.node.Visibility.keys = {{5, 0.0f}};
    Node& helper = model.Helpers.emplace_back().node;  // unknown codes: tangents follow them, so -1 has none
    helper.Visibility = {{}, 7, -1, {{0, 1.0f, 2.0f, 3.0f}}};
    helper.Translation = {{}, -1, -1, {{0, {1, 2, 3}, {4, 5, 6}, {7, 8, 9}}}};
    model.ParticleEmitters.resize(2);  // neither EmitterUses flag: check 3309; then EmitterUsesMDL
    model.ParticleEmitters[1].node.flags |= EmitterUsesMDL;
    // Filter modes and head-or-tail values 0 to 5; 3 and 5 are no filter mode (check 3857). Unshaded
    // needs the kind bit too; the node's Visibility has no place in this block.
    for (std::uint32_t mode = 0; mode < 6; ++mode) {
        ParticleEmitter2& emitter = model.ParticleEmitters2.emplace_back();
        emitter.emitterFlags = Emitter2Unshaded;
        emitter.FilterMode = emitter.headOrTail = emitter.Rows = mode;
        emitter.node.Visibility.keys = {{0, 1.0f}};
    }
    model.CollisionShapes = {CollisionShape{.shapeType = 1, .vertex1 = {1, 2, 3}}};
    const std::string text = write(model);
    std::vector<Diagnostic> expected;
    for (const int check : {kMdlEmitterWithoutUsesFlag, kMdlUnknownEmitter2Filter, kMdlUnknownEmitter2Filter})
        expected.push_back({Severity::Error, check, 0, "", assertionText(check)});
    EXPECT_EQ(diagnostics.entries, expected);
    std::vector<std::string> fragments = {
        "Model \"\" {\n\tBlendTime 100,\n}\n", "\tAnim \"S\" {\n\t\tInterval { 0, 0 },\n\t}\n",
        "\t\t\tFilterMode ERROR-UNKNOWN,\n\t\t\tTextureID 1 {\n\t\t\t\tHermite,\n\t\t\t\t0: 3,\n\t\t\t}\n",
        "Geoset {\n\tVertices 0 {\n\t}\n\tNormals 0 {\n\t}\n\tVertexGroup {\n\t}\n\tFaces 1 0 {\n",
        "\tSelectionGroup 0,\n}\nGeosetAnim {\n\tstatic Alpha 1.000000,\n\tGeosetId 1,\n}\n",
        "Light \"\" {\n\tObjectId 0,\n\tstatic AttenuationStart",
        "\tVisibility 1 {\n\t\tLinear,\n\t\t0: 1.000000,\n\t}\n\tVisibility 1 {\n\t\tLinear,\n\t\t5: "
        "0.000000,\n\t}\n}\n",
        "\tTranslation 1 {\n\t\tERROR-UNKNOWN,\n\t\t0: { 1.000000, 2.000000, 3.000000 },\n\t}\n"
        "\tVisibility 1 {\n\t\tERROR-UNKNOWN,\n\t\t0: 1.000000,\n\t\t\tInTan 2.000000,\n\t\t\tOutTan "
        "3.000000,\n",
        "\tObjectId 0,\n\tEmitterUsesMDL,\n\tstatic EmissionRate",  // neither flag: MDL
        // Neither a box nor a sphere: a box that lists one vertex, which the reader rejects.
        "\tBox,\n\tVertices 2 {\n\t\t{ 1.000000, 2.000000, 3.000000 },\n\t}\n}\n"};
    const char* filter[] = {"Blend", "Additive", "Modulate", "ERROR-UNKNOWN", "AlphaKey", "ERROR-UNKNOWN"};
    const char* ends[] = {"Head", "Tail", "Both", "ERROR-UNKNOWN", "ERROR-UNKNOWN", "ERROR-UNKNOWN"};
    for (int mode = 0; mode < 6; ++mode)
        fragments.push_back("\tstatic Length 0.000000,\n\t" + std::string(filter[mode]) + ",\n\tRows " +
                            std::to_string(mode) + ",\n\tColumns 0,\n\t" + ends[mode] + ",\n\tTailLength");
    for (const std::string& fragment : fragments)
        EXPECT_NE(text.find(fragment), std::string::npos) << fragment;
    EXPECT_EQ(text.find("Unshaded"), std::string::npos);
    EXPECT_EQ(text.find("\tVisibility 1 {\n\t\tLinear,\n\t\t0: 1.000000,\n\t}\n}\n"), std::string::npos);
}

TEST(MdlWriterText, NumbersMatchPrintfAndNonFiniteFloatsStayReadable) {
    using Limits = std::numeric_limits<float>;
    const auto realText = [](float v) {
        std::string out;
        MdlText(out, 0).real(v);
        return out;
    };
    const auto printfReal = [](float v) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(v));
        return std::string(buffer);
    };
    // Ties, rounding up to a new digit, the ends of the range, tiny negatives; then random bits.
    std::vector<float> values = {-0.0f,      -1e-7f,     4.9999999e-7f,        5e-7f,        1.0000005f,
                                 0.9999995f, 999999.94f, Limits::denorm_min(), Limits::max()};
    std::uint32_t state = 2463534242u;
    while (values.size() < 3000) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        if (const float v = std::bit_cast<float>(state); std::isfinite(v)) values.push_back(v);
    }
    for (float v : values)
        ASSERT_EQ(realText(v), printfReal(v)) << "bits " << std::bit_cast<std::uint32_t>(v);
    EXPECT_EQ(realText(Limits::infinity()), printfReal(Limits::max()));
    EXPECT_EQ(realText(-Limits::infinity()), printfReal(Limits::lowest()));
    EXPECT_EQ(realText(-Limits::quiet_NaN()), "0.000000");
}

}  // namespace
}  // namespace tess

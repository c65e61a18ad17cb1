#include "mdl/mdl_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "common/sample_models.h"

namespace tess {
namespace {

constexpr std::time_t kSat2026 = 1796469899;  // Sat Dec 05 11:24:59 2026 UTC

class MdlWriter : public ::testing::Test {
protected:
    // The stamp is local time: pin the zone, and give the process its own back afterwards.
    void SetUp() override {
        if (const char* zone = std::getenv("TZ")) savedZone = zone;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override {
        if (savedZone) {
            setenv("TZ", savedZone->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    std::string write(const Model& model, std::time_t now = kSat2026) {
        std::string out;
        writeMdl(model, out, reports, now);
        return out;
    }
    // The text between the first line starting with `head` and the next top-level closer.
    std::string block(const std::string& text, const std::string& head) {
        const auto start = text.find("\n" + head);
        if (start == std::string::npos) return "";
        return text.substr(start + 1, text.find("\n}\n", start) + 3 - start - 1);
    }
    RecordingReportSink reports;
    std::optional<std::string> savedZone;
};

const char* const kHeader = "// Converted Sat Dec 05 11:24:59 2026\n// Quorvint Version Feb 22 2007.\n";

TEST_F(MdlWriter, FreshModelWritesOnlyHeaderVersionModelAndEmptyPivots) {
    Model model;
    model.Name = "Untitled";
    std::string out = "kept";
    writeMdl(model, out, reports, kSat2026);
    EXPECT_EQ(out, std::string("kept") + kHeader +
                       "Version {\n\tFormatVersion 800,\n}\nModel \"Untitled\" {\n\tBlendTime 100,\n}\n"
                       "PivotPoints 0 {\n}\n");
    EXPECT_TRUE(reports.checks.empty());
}

TEST_F(MdlWriter, DateLineIsLocalTimeWithEnglishNamesAndLeadingZeros) {
    EXPECT_EQ(write(Model{}, 1000000000).substr(0, 38), "// Converted Sun Sep 09 01:46:40 2001\n");
    setenv("TZ", "XYZ-3", 1);  // three hours east of UTC
    tzset();
    EXPECT_EQ(write(Model{}, 0).substr(0, 38), "// Converted Thu Jan 01 03:00:00 1970\n");
}

TEST_F(MdlWriter, ModelExtentsNeedANonZeroExtent) {
    Model model;
    model.BoundsRadius = 5;
    EXPECT_EQ(block(write(model), "Model"), "Model \"\" {\n\tBlendTime 100,\n}\n");
    model.MaximumExtent = {0, 0, 2};
    EXPECT_EQ(block(write(model), "Model"),
              "Model \"\" {\n\tBlendTime 100,\n\tMinimumExtent { 0.000000, 0.000000, 0.000000 },\n"
              "\tMaximumExtent { 0.000000, 0.000000, 2.000000 },\n\tBoundsRadius 5.000000,\n}\n");
    model.BoundsRadius = 0;
    model.BlendTime = 0xFFFFFFFFu;
    EXPECT_EQ(block(write(model), "Model"),
              "Model \"\" {\n\tBlendTime -1,\n\tMinimumExtent { 0.000000, 0.000000, 0.000000 },\n"
              "\tMaximumExtent { 0.000000, 0.000000, 2.000000 },\n}\n");
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
    const std::string out = write(model);
    EXPECT_EQ(block(out, "Sequences"),
              "Sequences 2 {\n\tAnim \"Stand\" {\n\t\tInterval { 0, 1000 },\n\t}\n"
              "\tAnim \"Walk\" {\n\t\tInterval { 1100, 2000 },\n\t\tNonLooping,\n\t\tMoveSpeed 270.000000,\n"
              "\t\tRarity 0.500000,\n\t\tMinimumExtent { 0.000000, 0.000000, 0.000000 },\n"
              "\t\tMaximumExtent { 0.000000, 0.000000, 0.000000 },\n\t\tBoundsRadius 2.000000,\n\t}\n}\n");
    EXPECT_EQ(block(out, "GlobalSequences"), "GlobalSequences 2 {\n\tDuration 1000,\n\tDuration -1,\n}\n");
}

TEST_F(MdlWriter, TexturesMaterialsAndLayers) {
    Model model;
    Texture plain;
    Texture team;
    team.Image = "Textures\\team.blp";
    team.ReplaceableId = 1;
    team.flags = WrapWidth | WrapHeight;
    model.Textures = {plain, team};
    Layer fresh;
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
    material.Layers = {fresh, styled, odd};
    model.Materials = {material, Material{}};
    const std::string out = write(model);
    EXPECT_EQ(
        block(out, "Textures"),
        "Textures 2 {\n\tBitmap {\n\t\tImage \"\",\n\t}\n\tBitmap {\n\t\tImage \"Textures\\team.blp\",\n"
        "\t\tReplaceableId 1,\n\t\tWrapWidth,\n\t\tWrapHeight,\n\t}\n}\n");
    EXPECT_EQ(
        block(out, "Materials"),
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
    EXPECT_EQ(out.find('\r'), std::string::npos);
    EXPECT_EQ(out.find(" \n"), std::string::npos);
    EXPECT_EQ(out.find("\n\n"), std::string::npos);
    std::vector<std::string> heads;
    std::size_t lineStart = 0;
    for (std::size_t end = out.find('\n'); end != std::string::npos;
         end = out.find('\n', lineStart = end + 1)) {
        const std::string line = out.substr(lineStart, end - lineStart);
        if (line.back() == '{' && line[0] != '\t') heads.push_back(line.substr(0, line.find(' ')));
    }
    const std::vector<std::string> expected = {
        "Version",          "Model",          "Sequences",     "GlobalSequences", "Textures",
        "Materials",        "TextureAnims",   "Geoset",        "Geoset",          "GeosetAnim",
        "GeosetAnim",       "Bone",           "Bone",          "Light",           "Helper",
        "Attachment",       "Attachment",     "PivotPoints",   "ParticleEmitter", "ParticleEmitter2",
        "ParticleEmitter2", "RibbonEmitter",  "Camera",        "Camera",          "EventObject",
        "EventObject",      "CollisionShape", "CollisionShape"};
    EXPECT_EQ(heads, expected);
    EXPECT_EQ(out.substr(out.size() - 2), "}\n");
}

}  // namespace
}  // namespace tess

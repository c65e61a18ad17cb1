// The driver, its stop rules and report, the track reader and the header blocks.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "mdl/mdl_reader.h"

namespace tess {
namespace {

using Errors = std::vector<std::pair<std::uint32_t, std::string>>;

Errors parse(Model& model, std::string_view text, std::string* report = nullptr) {
    std::ostringstream out;
    readMdl(model, text, out);
    if (report) *report = out.str();
    Errors errors;
    for (std::size_t i = 0; i < model.parseLog.errorCount(); ++i)
        errors.emplace_back(model.parseLog.lineNumbers[i], model.parseLog.messages[i]);
    return errors;
}

TEST(MdlReaderBlocks, ResetsTheModelAndReportsEveryErrorOfTheFailingBlock) {
    Model model;
    model.Bones.emplace_back();
    model.GlobalSequences = {5};
    std::string report;
    EXPECT_TRUE(parse(model, "// only a comment\n\n", &report).empty());
    EXPECT_EQ(report, "0 errors\n");
    EXPECT_EQ(model, Model{});

    parse(model,
          "// header\n\nVersion {\n\tFormatVersion 700,\n\tBogus 1,   // comment\n\tformatversion 900,\r\n}\n"
          "Model \"never read\" {\n}\n",
          &report);
    EXPECT_EQ(report,
              "2 errors\n  Line 5: Bogus 1,\n    Unexpected in a Version chunk\n"
              "  Line 6: formatversion 900,\n    Unexpected in a Version chunk\n");
    EXPECT_EQ(model.FormatVersion, 700u);
    EXPECT_EQ(model.Name, "");

    // A second parse starts clean.
    EXPECT_TRUE(parse(model, "Model \"Second\" {\n}\n", &report).empty());
    EXPECT_EQ(model.parseLog.stop, 0);
    EXPECT_EQ(model.FormatVersion, 800u);
    EXPECT_EQ(model.Name, "Second");
}

TEST(MdlReaderBlocks, KeywordCaseAndIgnoredLines) {
    Model model;
    EXPECT_TRUE(
        parse(model,
              "Model \"Hero\" {\nNumGeosets 9,\nNumEvents 2.5,\nblendtime 250,\n}\n"
              "TEXTURES 1 {\nbitmap {\nimage \"a.blp\",\nwrapheight,\n}\n}\n"
              "Materials 1 {\nmaterial {\nlayer {\nFilterMode modulate2X,\nunshaded,\ncoordid 2,\n}\n}\n}\n"
              "Sequences 1 {\nanim \"Stand\" {\nNonLooping,\n}\n}\n"
              "pivotpoints 1 {\n{ 1, 2, 3 },\n}\n"
              "geoset {\nvertices 0 {\n}\nnormals 0 {\n}\nvertexgroup {\n}\nfaces 0 0 {\ntriangles {\n}\n}\n"
              "groups 0 0 {\n}\n}\nbOnE \"b\" {\n}\n")
            .empty());
    EXPECT_EQ(model.BlendTime, 250u);
    EXPECT_EQ(model.Textures.at(0), (Texture{0, "a.blp", WrapHeight}));
    const Layer& layer = model.Materials.at(0).Layers.at(0);
    EXPECT_EQ(layer.FilterMode, 6u);
    EXPECT_EQ(layer.shadingFlags, Unshaded);
    EXPECT_EQ(layer.CoordId, 2u);
    EXPECT_EQ(model.Sequences.at(0).flags, 1u);
    EXPECT_EQ(model.PivotPoints.size(), 1u);
    EXPECT_EQ(model.Geosets.size(), 1u);
    EXPECT_EQ(model.Bones.at(0).node.Name, "b");
    // Exact case at the top level: Version, Model, TextureAnims, Sequences, GlobalSequences, Materials.
    for (const char* text :
         {"model \"m\" {\n", "textureanims 1 {\n", "SEQUENCES 1 {\n", "Globalsequences 1 {\n",
          "materials 1 {\n", "version {\n", "}\n", "Model {\n", "Bone {\n"}) {
        EXPECT_EQ(parse(model, text), (Errors{{1, "Unknown chunk"}})) << text;
    }
}

TEST(MdlReaderBlocks, ErrorMessagesLinesAndStopRules) {
    const struct {
        const char* text;
        Errors errors;
    } cases[] = {
        // Reads-on blocks log every unmatched line; a nested unknown opener's closer ends them.
        {"Model \"M\" {\n\tBlendTime 1.5,\n\tMinimumExtent { 1, 2 },\n\tNested {\n\t\tBlendTime "
         "3,\n\t}\n\tX,\n}\n",
         {{2, "Unexpected in a Model chunk"},
          {3, "Unexpected in a Model chunk"},
          {4, "Unexpected in a Model chunk"}}},
        {"TextureAnims 1 {\n\ttvertexanim {\n\t}\n}\n", {{2, "Expected TVertexAnim {"}}},
        {"Sequences 1 {\n\tAnim {\n\t}\n}\n", {{2, "Expected Anim \"name\" {"}}},
        {"GlobalSequences 1 {\n\tDuration 1.5,\n}\n", {{2, "Expected ###,"}}},
        {"Materials 1 {\n\tLayer {\n\t}\n}\n", {{2, "Expected Material {"}}},
        {"Textures 1 {\n\tBitmap \"x\" {\n\t}\n}\n", {{2, "Expected Bitmap {"}}},
        {"PivotPoints 1 {\n\t{ 1, 2 },\n}\n", {{2, "Expected a pivotpoint"}}},
        {"Sequences 2 {\n\tAnim \"R\" {\n\t\tmoveSpeed 5,\n\t\tInterval { 1.5, 3 },\n\t}\n\tAnim \"N\" "
         "{\n\t\tX,\n\t}\n}\n",
         {{3, "Unexpected in a Sequence chunk"}, {4, "Unexpected in a Sequence chunk"}}},
        {"Textures 1 {\n\tBitmap {\n\t\tImage 5,\n\t}\n}\n", {{3, "Unexpected in a Bitmap chunk"}}},
        {"Materials 1 {\nMaterial {\nLayer {\nFilterMode Glow,\nstatic TextureID 1.5,\n}\nShiny,\n}\n}\n",
         {{4, "Unexpected in a Layer chunk"},
          {5, "Unexpected in a Layer chunk"},
          {7, "Unexpected in a Material chunk"}}},
        // TVertexAnim ends at once after any error, one of its tracks' included.
        {"TextureAnims 1 {\nTVertexAnim {\nscaling 1 {\nLinear,\n}\n}\n}\n",
         {{3, "Unexpected in a TVertexAnim chunk"}}},
        {"TextureAnims 1 {\nTVertexAnim {\nTranslation 2 {\nLinear,\n0: { 1, 2 },\n5: { 1, 2, 3 "
         "},\n}\n}\n}\n",
         {{5, "Expected a three-dimensional key."}}},
        // A track ended by an error leaves its lines to the enclosing block.
        {"Helper \"H\" {\nTranslation 2 {\n0: { 1, 2, 3 },\n5: { 1, 2, 3 },\n}\n}\n",
         {{3, "Expected interpolation type."}, {4, "Unexpected in a Helper chunk"}}},
        {"Materials 1 {\nMaterial {\nLayer {\nAlpha 3 {\nLinear,\n0: 1,\n10: { 1, 0 },\n20: 0,\n30: "
         "1,\n}\n}\n}\n}\n",
         {{7, "Expected a one-dimensional key."},
          {8, "Unexpected in a Layer chunk"},
          {9, "Unexpected in a Layer chunk"}}},
        {"Helper \"H\" {\nVisibility 1 {\nSmooth,\n0: 1,\n}\n}\n",
         {{3, "Unrecognized interpolation type. Should be DontInterp, Linear, Hermite, or Bezier."}}},
        {"Helper \"H\" {\nRotation 2 {\nLinear,\n0: { 0, 0, 1 },\n}\n}\n",
         {{4, "Expected a four-dimensional key."}}},
        {"Helper \"H\" {\nVisibility 2 {\nHermite,\n0: 1,\nOutTan 0,\n}\n}\n", {{5, "Expected InTan"}}},
        {"Helper \"H\" {\nScaling 1 {\nBezier,\n0: { 1, 1, 1 },\nInTan { 0, 0, 0 },\nOutTan 0,\n}\n}\n",
         {{6, "Expected OutTan"}}},
        {"Helper \"H\" {\nRotation 1 {\nHermite,\n0: { 0, 0, 0, 1 },\nInTan { 0, 0, 1 },\n}\n}\n",
         {{5, "Expected InTan"}}},
        {"Materials 1 {\nMaterial {\nLayer {\nTextureID 2 {\nBezier,\n0: 2,\n}\n}\n}\n}\n",
         {{5, "No such interpolation for int values."}}},
    };
    for (const auto& c : cases) {
        Model model;
        EXPECT_EQ(parse(model, std::string(c.text) + "Bone \"after\" {\n}\n"), c.errors) << c.text;
        EXPECT_TRUE(model.Bones.empty()) << c.text;  // the parse stopped after the block
    }
}

TEST(MdlReaderBlocks, TrackKeysTangentsAndRepeatedBlocks) {
    Model model;
    parse(model,
          "Helper \"H\" {\n"
          "Visibility 2 {\nBezier,\nGlobalSeqId 1,\n0: 1,\nInTan 1.25,\nOutTan 0.5,\n}\n"
          "Visibility 1 {\nhermite,\n200: 0.5,\nInTan 0,\nOutTan -1,\n}\n"  // appends, keeps GlobalSeqId 1
          "Scaling 1 {\nLinear,\nGlobalSeqId 0,\n0: { 1, 1, 1 },\n}\n"
          "Scaling 1 {\nDONTINTERP,\nGlobalSeqId 2,\n9: { 2, 2, 2 },\n}\n"
          "Translation 1 {\nSmooth,\n0: { 1, 2, 3 },\n5: { 1, 2, 3 },\n}\n"  // code -1: no tangents
          "}\n");
    const Node& node = model.Helpers.at(0).node;
    EXPECT_EQ(node.Visibility.interpolationType, Hermite);
    EXPECT_EQ(node.Visibility.GlobalSeqId, 1);
    EXPECT_EQ(node.Visibility.keys,
              (std::vector<TrackKey<float>>{{0, 1.0f, 1.25f, 0.5f}, {200, 0.5f, 0.0f, -1.0f}}));
    EXPECT_EQ(node.Scaling.interpolationType, DontInterp);
    EXPECT_EQ(node.Scaling.GlobalSeqId, 2);
    EXPECT_EQ(node.Scaling.keys.size(), 2u);
    EXPECT_EQ(node.Translation.interpolationType, -1);
    EXPECT_EQ(node.Translation.keys.size(), 2u);
    // Integer keys: truncated toward zero, saturated, never with tangents.
    parse(model,
          "Materials 1 {\nMaterial {\nLayer {\nTextureID 3 {\nBezier,\n0: 3.9,\n1: -1.5,\n2: "
          "1e30,\n}\n}\n}\n}\n");
    const IntTrack& texture = model.Materials.at(0).Layers.at(0).TextureID;
    ASSERT_EQ(texture.keys.size(), 3u);
    EXPECT_EQ(texture.keys[0].value, 3u);
    EXPECT_EQ(texture.keys[1].value, 0xFFFFFFFFu);
    EXPECT_EQ(texture.keys[2].value, 0x7FFFFFFFu);
}

}  // namespace
}  // namespace tess

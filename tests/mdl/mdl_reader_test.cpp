// The parser: driver, stop rules and report, tracks, every block kind's own rules, and
// hostile or cut-off input.

#include "mdl/mdl_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/sample_models.h"
#include "mdl/mdl_writer.h"
#include "model/report.h"

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

TEST(MdlReader, ResetsTheModelAndReportsEveryErrorOfTheFailingBlock) {
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

TEST(MdlReader, KeywordCaseAndIgnoredLines) {
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

TEST(MdlReader, ErrorMessagesLinesAndStopRules) {
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
        {"Sequences 2 {\n\tAnim \"R\" {\n\t\tmoveSpeed 5,\n\t\tInterval { 1.5, 3 },\n\t\tinterval { 0, 1 "
         "},\n\t}\n\tAnim \"N\" "
         "{\n\t\tX,\n\t}\n}\n",
         {{3, "Unexpected in a Sequence chunk"},
          {4, "Unexpected in a Sequence chunk"},
          {5, "Unexpected in a Sequence chunk"}}},
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
        // Every scene-object block ends at once after an error: the second bad line is not logged.
        {"Bone \"X\" {\nWobble,\nWobble 2,\n}\n", {{2, "Unexpected in a Bone chunk"}}},
        {"Helper \"X\" {\nWobble,\nWobble 2,\n}\n", {{2, "Unexpected in a Helper chunk"}}},
        {"Attachment \"X\" {\nWobble,\nWobble 2,\n}\n", {{2, "Unexpected in an Attachment chunk"}}},
        {"Light \"X\" {\nWobble,\nWobble 2,\n}\n", {{2, "Unexpected in a Light chunk"}}},
        {"EventObject \"X\" {\nWobble,\nWobble 2,\n}\n", {{2, "Unexpected in an EventObject chunk"}}},
        {"CollisionShape \"X\" {\nWobble,\nWobble 2,\n}\n", {{2, "Unexpected in a CollisionShape chunk"}}},
        {"ParticleEmitter \"X\" {\nWobble,\nWobble 2,\n}\n", {{2, "Unexpected in a ParticleEmitter chunk"}}},
        {"ParticleEmitter2 \"X\" {\nWobble,\nWobble 2,\n}\n",
         {{2, "Unexpected in a ParticleEmitter2 chunk"}}},
        {"RibbonEmitter \"X\" {\nWobble,\nWobble 2,\n}\n", {{2, "Unexpected in a RibbonEmitter chunk"}}},
        {"Camera \"X\" {\nWobble,\nWobble 2,\n}\n", {{2, "Unexpected in a Camera chunk"}}},
        {"GeosetAnim {\nWobble,\nWobble 2,\n}\n", {{2, "Unexpected in a GeosetAnim chunk"}}},
        // A known keyword with a word it does not take is unexpected.
        {"Bone \"B\" {\nGeosetId None,\nObjectId 4,\n}\n", {{2, "Unexpected in a Bone chunk"}}},
        {"Bone \"B\" {\nDontInherit { Everything },\n}\n", {{2, "Unexpected in a Bone chunk"}}},
        // The lists inside a block read on past bad lines.
        {"EventObject \"E\" {\nEventTrack 2 {\n1,\n2.5,\nx,\n3,\n}\nX,\n}\n",
         {{4, "Expected a frame."}, {5, "Expected a frame."}, {8, "Unexpected in an EventObject chunk"}}},
        {"CollisionShape \"S\" {\nSphere,\nVertices 2 {\n{ 0, 0, 0 },\n{ 1, 1, 1 },\n}\nX,\n}\n",
         {{6, "Wrong number of vertices."}}},
        {"CollisionShape \"S\" {\nBox,\nVertices 1 {\n{ 0, 0, 0 },\n}\n}\n",
         {{5, "Wrong number of vertices."}}},
        {"CollisionShape \"S\" {\nBox,\nVertices 3 {\n{ 0, 0, 0 },\n{ 0, 0, 0 },\n{ 0, 0, 0 },\n}\n}\n",
         {{6, "Wrong number of vertices."}}},
        {"CollisionShape \"S\" {\nSphere,\nSphere,\nVertices 1 {\n{ 0, 0, 0 },\n0,\n}\nX,\n}\n",
         {{3, "Shape already defined."},
          {6, "Expected a vertex."},
          {8, "Unexpected in a CollisionShape chunk"}}},
        // No shape yet: logged before each list line is read, against the line before it.
        {"CollisionShape \"S\" {\nVertices 2 {\n{ 0, 0, 0 },\n{ 1, 1, 1 },\n}\n}\n",
         {{2, "Shape has not been defined"},
          {3, "Shape has not been defined"},
          {4, "Shape has not been defined"}}},
        {"ParticleEmitter \"P\" {\nParticle {\nSpeed 1,\nEmitterUsesMDL,\n}\nEmitterUsesTGA,\n}\n",
         {{3, "Unexpected in a ParticleEmitter's Particle chunk"}}},
        {"ParticleEmitter2 \"S\" {\nSegmentColor {\nColor { 1, 0, 0 },\nColor { 0, 1 },\nColor { 0, 0, 1 "
         "},\n},\nX,\n}\n",
         {{4, "Expected a color."}, {7, "Unexpected in a ParticleEmitter2 chunk"}}},
        {"ParticleEmitter2 \"S\" {\nSegmentColor {\nColor { 1, 0, 0 },\nColor { 0, 1, 0 },\n},\nSquirt,\n}\n",
         {{5, "Expected a color."}, {6, "Expected a closing brace to end the SegmentColor section."}}},
        // Any error inside a camera ends it at once, in a track or in the target included.
        {"Camera \"C\" {\nRotation 1 {\nLinear,\n0: { 1, 2 },\n5: 1,\n}\nX,\n}\n",
         {{4, "Expected a one-dimensional key."}}},
        {"Camera \"C\" {\nTarget {\nFieldOfView 1,\nX,\n}\nX,\n}\n",
         {{3, "Unexpected in a Camera-target chunk"}}},
    };
    for (const auto& c : cases) {
        Model model;
        EXPECT_EQ(parse(model, std::string(c.text) + "GlobalSequences 1 {\nDuration 5,\n}\n"), c.errors)
            << c.text;
        EXPECT_TRUE(model.GlobalSequences.empty()) << c.text;  // the parse stopped after the block
    }
}

TEST(MdlReader, TrackKeysTangentsAndRepeatedBlocks) {
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

TEST(MdlReader, KindSpecificRules) {
    Model model;
    EXPECT_EQ(
        parse(
            model,
            "Bone \"B\" {\nGeosetId 4,\nGeosetAnimId 5,\nGeosetId Multiple,\nGeosetAnimId none,\n"
            "billboarded,\nCameraAnchored,\nDontInherit { Rotation },\nDontInherit { scaling },\n}\n"
            "Attachment \"A\" {\nAttachmentID 7,\nPath \"Sword.mdl\",\n}\n"
            "Attachment \"B\" {\n}\nAttachment \"C\" {\n}\n"
            "Light \"L\" {\nDirectional,\nstatic Visibility 0.75,\nVisibility 1 {\nLinear,\n0: 1,\n}\n}\n"
            "ParticleEmitter \"P\" {\n}\nParticleEmitter \"Q\" {\nEmitterUsesMDL,\nEmitterUsesTGA,\n}\n"
            "ParticleEmitter2 \"S\" {\nUnshaded,\nDontInherit { Translation },\nAlpha { 255, 384, -1 },\n}\n"
            "ParticleEmitter2 \"T\" {\n}\nRibbonEmitter \"R\" {\nstatic TextureSlot -3.7,\n}\n"
            "CollisionShape \"S\" {\nBox,\nSphere,\nObjectId 5,\n}\n")
            .size(),
        1u);  // "Shape already defined."
    const Bone& bone = model.Bones.at(0);
    EXPECT_EQ(std::pair(bone.GeosetId, bone.GeosetAnimId), std::pair(-1, -1));
    EXPECT_EQ(bone.node.flags,
              NodeIsBone | Billboarded | CameraAnchored | DontInheritRotation | DontInheritScaling);
    ASSERT_EQ(model.Attachments.size(), 3u);
    EXPECT_EQ(model.Attachments[0].AttachmentID, 7);
    EXPECT_EQ(model.Attachments[0].Path, "Sword.mdl");
    EXPECT_EQ(model.Attachments[2].AttachmentID, 2);  // without a line: its own index
    // A light's own Visibility wins over the node's, static line and keyed block alike.
    const Light& light = model.Lights.at(0);
    EXPECT_EQ(light.Type, Directional);
    EXPECT_EQ(light.Visibility.staticValue, 0.75f);
    EXPECT_EQ(light.Visibility.keys.size(), 1u);
    EXPECT_EQ(light.node.Visibility, FloatTrack{});
    EXPECT_EQ(light.AmbIntensity.staticValue, 0.0f);
    EXPECT_EQ(model.ParticleEmitters.at(0).node.flags, NodeIsParticleEmitter);
    EXPECT_EQ(model.ParticleEmitters.at(1).node.flags, NodeIsParticleEmitter | EmitterUsesTGA);
    const ParticleEmitter2& emitter2 = model.ParticleEmitters2.at(0);
    EXPECT_EQ(emitter2.emitterFlags, 0x9000u);
    EXPECT_EQ(model.ParticleEmitters2.at(1).emitterFlags, 0x1000u);
    EXPECT_EQ(emitter2.node.flags, DontInheritTranslation);
    EXPECT_EQ(emitter2.Alpha, (std::array<std::uint8_t, 3>{255, 128, 255}));
    EXPECT_EQ(model.RibbonEmitters.at(0).TextureSlot.staticValue, 0xFFFFFFFDu);  // -3
    EXPECT_EQ(model.CollisionShapes.at(0).shapeType, ShapeSphere);
    EXPECT_EQ(model.CollisionShapes.at(0).node.ObjectId, 5u);
}

// A geoset of three vertices, one string per section. As written its lines are:
// Vertices 2-6, Normals 7-11, TVertices 12-16, VertexGroup 17-21, Faces 22-26,
// Groups 27-30, members from 31.
struct GeosetText {
    std::string vertices = "Vertices 3 {\n{ 0, 0, 0 },\n{ 1, 0, 0 },\n{ 0, 1, 0.5 },\n}\n";
    std::string normals = "Normals 3 {\n{ 0, 0, 1 },\n{ 0, 1, 0 },\n{ 1, 0, 0 },\n}\n";
    std::string tvertices = "TVertices 3 {\n{ 0, 0.25 },\n{ 1, 0.5 },\n{ 0.5, 1 },\n}\n";
    std::string groups = "VertexGroup {\n0,\n1,\n1,\n}\n";
    std::string faces = "Faces 1 3 {\nTriangles {\n{ 0, 1, 2 },\n}\n}\n";
    std::string matrices = "Groups 2 3 {\nMatrices { 0 },\nMatrices { 1, 2 },\n}\n";
    std::string members = "MaterialID 2,\n";
    std::string text() const {
        return "Geoset {\n" + vertices + normals + tvertices + groups + faces + matrices + members + "}\n";
    }
};

TEST(MdlReader, GeosetSectionErrors) {
    const struct {
        std::string GeosetText::*section;
        const char* replacement;
        Errors errors;
    } cases[] = {
        {&GeosetText::vertices, "Verts 3 {\n", {{2, "Expected: Vertices # {"}}},
        {&GeosetText::vertices, "Vertices 1 {\n{ 0, 0 },\n}\n", {{3, "Expected a vertex."}}},
        {&GeosetText::normals, "Normal 3 {\n", {{7, "Expected \"Normals # {\""}}},
        {&GeosetText::normals, "Normals 3 {\n0,\n", {{8, "Expected a normal or a closing }."}}},
        {&GeosetText::normals,
         "Normals 3 {\n{ 0, 0, 1 },\n{ 0, 0, 1 },\n{ 0, 0, 1 },\n{ 0, 0, 1 },\n",
         {{11, "Too many normals."}}},
        {&GeosetText::tvertices,
         "TVertices 3 {\n{ 0, 0, 0 },\n",
         {{13, "Expected a tvertex or a closing }."}}},
        {&GeosetText::tvertices,
         "TVertices 3 {\n{ 0, 0 },\n{ 0, 0 },\n{ 0, 0 },\n{ 0, 0 },\n",
         {{16, "Too many TVertices."}}},
        {&GeosetText::groups, "Matrices {\n", {{17, "Expected \"VertexGroup {\""}}},
        {&GeosetText::groups,
         "VertexGroup {\n{ 0 },\n",
         {{18, "Expected a vertex group entry or a closing }."}}},
        {&GeosetText::groups, "VertexGroup {\n0,\n0,\n0,\n0,\n", {{21, "Too many VertexGroup entries."}}},
        {&GeosetText::faces, "Face 1 3 {\n", {{22, "Expected \"Faces # # {\""}}},
        {&GeosetText::faces, "Faces 1 3 {\nTris {\n", {{23, "Expected \"Triangles {\""}}},
        {&GeosetText::faces,
         "Faces 1 3 {\nTriangles {\n{ 0, 1, 2 },\n{ 0.5 },\n",
         {{25, "Expected a closing }."}}},
        {&GeosetText::faces,
         "Faces 1 3 {\nTriangles {\n{ 0, 1, 2 },\n}\nMore,\n",
         {{26, "Expected a closing }."}}},
        {&GeosetText::matrices, "Group 1 1 {\n", {{27, "Expected \"Groups # # {\""}}},
        {&GeosetText::matrices,
         "Groups 1 1 {\nMatrices { 0.5 },\n",
         {{28, "Expected a matrix or a closing }."}}},
        // Count mismatches read on; the parse still stops after the geoset.
        {&GeosetText::normals,
         "Normals 2 {\n{ 0, 0, 1 },\n{ 0, 1, 0 },\n}\n",
         {{10, "Wrong number of normals (did not match number of vertices)."}}},
        {&GeosetText::groups,
         "VertexGroup {\n0,\n}\n",
         {{19, "Wrong number of vertex group entries (did not match number of vertices)."}}},
        // A failed Anim sub-block ends the geoset without its extent record.
        {&GeosetText::members,
         "MaterialID 1.5,\nAnim {\nRarity 1,\nMaterialID 3,\n}\nMaterialID 4,\n",
         {{31, "Unexpected in a Geoset chunk"}, {33, "Unexpected in an Anim chunk."}}},
    };
    for (const auto& c : cases) {
        GeosetText g;
        g.*c.section = c.replacement;
        Model model;
        EXPECT_EQ(parse(model, g.text() + "Bone \"after\" {\n}\n"), c.errors) << c.replacement;
        ASSERT_EQ(model.Geosets.size(), 1u);
        EXPECT_EQ(model.Geosets[0].Vertices.size(), c.section == &GeosetText::vertices ? 0u : 3u);
        const bool readsOn = c.errors[0].second.starts_with("Wrong");
        EXPECT_EQ(model.Geosets[0].MaterialID, readsOn ? 2u : 0u) << c.replacement;
        EXPECT_TRUE(model.Geosets[0].extents.empty());
        EXPECT_TRUE(model.Bones.empty());
    }
}

TEST(MdlReader, GeosetSectionsFillTheGeoset) {
    GeosetText g;
    g.tvertices += "tvertices 1 {\n{ 9, 8 },\n}\n";  // a second set, given to the first vertex only
    g.faces = "Faces 1 7 {\nTriangles {\n{ 0, 1, 2, 2 },\n{ 1 },\n{ 0, 2 },\n}\n}\n";
    g.matrices = "Groups 2 3 {\nMatrices { 0 },\nBones { 1, 2 },\n}\n";  // any keyword makes a group
    g.members =
        "Anim {\nMinimumExtent { -5, -5, -5 },\nBoundsRadius 6,\n}\nAnim {\n}\nUnselectable,\nMaterialID "
        "2,\n";
    Model model;
    EXPECT_TRUE(parse(model, g.text()).empty());
    const Geoset& geoset = model.Geosets.at(0);
    EXPECT_EQ(geoset.Vertices[0].U, (SmallVector<float, 2>{0, 9}));
    EXPECT_EQ(geoset.Vertices[2].V, (SmallVector<float, 2>{1}));
    EXPECT_EQ(geoset.corners, (std::vector<std::uint32_t>{0, 1, 2, 2, 1, 0, 2}));
    EXPECT_EQ(geoset.triangleSelected, (std::vector<std::uint8_t>{0, 0}));
    EXPECT_EQ(geoset.matrixGroups, (std::vector<std::vector<std::uint32_t>>{{0}, {1, 2}}));
    EXPECT_EQ(geoset.extents, (std::vector<Extent>{{6, {-5, -5, -5}, {}}, {}}));
    EXPECT_EQ(geoset.selectionFlags, kUnselectable);

    // The triangle records follow the corners also when the block fails after them.
    g.faces = "Faces 1 6 {\nTriangles {\n{ 0, 1, 2, 0, 2, 1 },\n}\nOops,\n";
    EXPECT_EQ(parse(model, g.text()).size(), 1u);
    EXPECT_EQ(model.Geosets.at(0).triangleSelected.size(), 2u);
}

std::size_t objectCount(const Model& m) {
    std::size_t count = m.Textures.size() + m.Materials.size() + m.Geosets.size() + m.Bones.size() +
                        m.PivotPoints.size() + m.Sequences.size() + m.TextureAnims.size() +
                        m.GeosetAnims.size() + m.Lights.size() + m.Helpers.size() + m.EventObjects.size() +
                        m.CollisionShapes.size() + m.Attachments.size() + m.ParticleEmitters.size() +
                        m.ParticleEmitters2.size() + m.RibbonEmitters.size() + m.Cameras.size() +
                        m.GlobalSequences.size();
    for (const Material& material : m.Materials) count += material.Layers.size();
    for (const Geoset& geoset : m.Geosets) count += geoset.Vertices.size() + geoset.corners.size();
    return count;
}

TEST(MdlReaderRobustness, GarbageParsesAndReportsConsistently) {
    static constexpr char kAlphabet[] = "{},:\" \t\n\r0123456789-.eE/staticBoneGeoset\x01\xff\0";
    std::uint32_t state = 2463534242u;
    for (int round = 0; round < 300; ++round) {
        std::string text(static_cast<std::size_t>(round * 37 % 3000), '\0');
        for (char& c : text) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            c = kAlphabet[state % (sizeof kAlphabet - 1)];
        }
        Model model;
        std::string report;
        parse(model, text, &report);
        EXPECT_EQ(report.substr(0, report.find(' ')), std::to_string(model.parseLog.errorCount()));
        EXPECT_EQ(model.parseLog.stop, model.parseLog.errorCount() > 0 ? 1 : 0);
    }
}

TEST(MdlReaderRobustness, HugeLinesAndDeepNesting) {
    Model model;
    const std::string word(10u << 20, 'x');
    parse(model, word + "\n");
    ASSERT_EQ(model.parseLog.errorCount(), 1u);
    EXPECT_EQ(model.parseLog.lineTexts[0].size(), word.size());

    std::string corners;
    for (int i = 0; i < 1000000; ++i) corners += "1, ";
    parse(model, "Geoset {\nVertices 0 {\n}\nNormals 0 {\n}\nVertexGroup {\n}\nFaces 1 1 {\nTriangles {\n{ " +
                     corners + "2 },\n}\n}\nGroups 0 0 {\n}\n}\n");
    EXPECT_EQ(model.parseLog.errorCount(), 0u);
    EXPECT_EQ(model.Geosets.at(0).corners.size(), 1000001u);
    EXPECT_EQ(model.Geosets[0].triangleSelected.size(), 333333u);

    // Openers nested 200,000 deep are unexpected lines of one layer, never recursion.
    constexpr int kDepth = 200000;
    std::string text = "Materials 1 {\nMaterial {\nLayer {\n";
    for (int i = 0; i < kDepth; ++i) text += "Layer {\n";
    parse(model, text);
    EXPECT_EQ(model.parseLog.errorCount(), static_cast<std::size_t>(kDepth));
    EXPECT_EQ(model.parseLog.lineNumbers.back(), static_cast<std::uint32_t>(kDepth + 3));
    EXPECT_EQ(model.Materials.at(0).Layers.size(), 1u);
}

TEST(MdlReaderRobustness, EveryCutOfAWrittenModelKeepsWhatWasRead) {
    RecordingReportSink sink;
    std::string text;
    writeMdl(testing::makeRichModel(), text, sink, 0);
    Model full;
    ASSERT_TRUE(parse(full, text).empty());

    // Cut after every line: objects only accumulate as the cut moves on, a cut after a
    // top-level closer parses cleanly, and no error points past the cut.
    std::size_t previous = 0;
    std::uint32_t lines = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', end + 1)) {
        ++lines;
        Model model;
        parse(model, std::string_view(text).substr(0, end + 1));
        const std::size_t count = objectCount(model);
        EXPECT_GE(count, previous) << "cut after line " << lines;
        previous = count;
        if (text[end - 1] == '}' && text[end - 2] == '\n') {
            EXPECT_EQ(model.parseLog.errorCount(), 0u) << lines;
        }
        for (const std::uint32_t line : model.parseLog.lineNumbers) EXPECT_LE(line, lines);
    }
    EXPECT_EQ(previous, objectCount(full));

    // Cuts inside lines, at every byte of the first part of the text.
    for (std::size_t end = 0; end < std::min<std::size_t>(text.size(), 2500); ++end) {
        Model model;
        parse(model, std::string_view(text).substr(0, end));
    }
}

}  // namespace
}  // namespace tess

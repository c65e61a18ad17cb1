#include "mdl/mdl_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "model/checks.h"

namespace tess {
namespace {

using Errors = std::vector<std::pair<std::uint32_t, std::string>>;

// The errors of a parse as (line, message); warnings left out.
Errors parse(Model& model, std::string_view text) {
    Errors errors;
    for (const Diagnostic& d : readMdl(model, text).entries)
        if (d.severity == Severity::Error) errors.emplace_back(d.line, d.text);
    return errors;
}

// The errors a text announces: each line ending in " //! message", a comment to the parser,
// must log that message.
Errors announced(const std::string& text) {
    Errors errors;
    std::istringstream lines(text);
    std::uint32_t number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (const std::size_t mark = line.find(" //! "); mark != std::string::npos)
            errors.emplace_back(number, line.substr(mark + 5));
    }
    return errors;
}

// Every per-vertex array holds one entry per vertex.
bool inStep(const Geoset& g) {
    const std::size_t n = g.vertexCount();
    return g.normals.size() == n && g.vertexGroups.size() == n &&
           std::all_of(g.uvSets.begin(), g.uvSets.end(), [n](const auto& set) { return set.size() == n; });
}

// A geoset of three vertices, one string per section.
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

TEST(MdlReader, ResetsTheModelReportsErrorsOnlyAndKeepsWarningsApart) {
    Model model;
    model.Bones.resize(1);
    std::ostringstream report;
    printParseReport(readMdl(model, "// only a comment\n\n"), report);
    EXPECT_EQ(report.str(), "0 errors\n");
    EXPECT_EQ(model, Model{});
    // Lines count from 1, blank and comment lines included. A short TVertices block is padded and warns.
    GeosetText g;
    g.tvertices = "TVertices 3 {\n{ 0, 0.25 },\n}\n";
    const Diagnostics d = readMdl(model, "// header\n\n" + g.text() +
                                             "Version {\n\tFormatVersion 700,\n\tBogus 1,   // comment\n"
                                             "\tformatversion 900,\r\n}\nModel \"never read\" {\n}\n");
    ASSERT_EQ(d.entries.size(), 3u);
    EXPECT_EQ(d.entries[0],
              (Diagnostic{Severity::Warning, kMdlShortTextureSet, 14, "TVertices 3 {", d.entries[0].text}));
    report.str("");
    printParseReport(d, report);
    EXPECT_EQ(report.str(),
              "2 errors\n  Line 35: Bogus 1,\n    Unexpected in a Version chunk\n"
              "  Line 36: formatversion 900,\n    Unexpected in a Version chunk\n");
    EXPECT_EQ(model.Geosets.at(0).uvSets, (std::vector<std::vector<Vec2>>{{{0, 0.25f}, {0, 0}, {0, 0}}}));
}

TEST(MdlReader, KeywordCaseAndIgnoredLines) {
    Model model;
    EXPECT_TRUE(
        parse(model,
              "Model \"Hero\" {\nNumGeosets 9,\nNumEvents 2.5,\nblendtime 250,\n}\n"
              "TEXTURES 1 {\nbitmap {\nimage \"a.blp\",\nwrapheight,\n}\n}\n"
              "Materials 1 {\nmaterial {\nlayer {\nFilterMode modulate2X,\nunshaded,\ncoordid 2,\n}\n}\n}\n"
              "Sequences 1 {\nanim \"Stand\" {\nNonLooping,\n}\n}\npivotpoints 1 {\n{ 1, 2, 3 },\n}\n"
              "geoset {\nvertices 0 {\n}\nnormals 0 {\n}\ntvertices 0 {\n}\nvertexgroup {\n}\nfaces 0 0 {\n"
              "triangles {\n{ 0, 1, 2, 2 },\n{ 1 },\n}\n}\ngroups 0 0 {\nMatrices { 0 },\nBones { 1, 2 "
              "},\n}\n}\n"
              "bOnE \"b\" {\n}\n")
            .empty());
    const Layer& layer = model.Materials.at(0).Layers.at(0);
    EXPECT_EQ(std::tuple(model.BlendTime, model.Textures.at(0), model.Sequences.at(0).flags,
                         model.PivotPoints.size(), model.Bones.at(0).node.Name, layer.FilterMode,
                         layer.shadingFlags, layer.CoordId),
              std::tuple(250u, Texture{0, "a.blp", WrapHeight}, 1u, 1u, "b", 6u, Unshaded, 2u));
    // No vertices: no texture set. Corners may spread over lines; any keyword makes a matrix group.
    const Geoset& geoset = model.Geosets.at(0);
    EXPECT_EQ(std::tuple(geoset.uvSets.size(), geoset.corners, geoset.matrixGroups),
              std::tuple(0u, std::vector<std::uint32_t>{0, 1, 2, 2, 1},
                         std::vector<std::vector<std::uint32_t>>{{0}, {1, 2}}));
    // Exact case at the top level: Version, Model, TextureAnims, Sequences, GlobalSequences, Materials.
    for (const char* text :
         {"model \"m\" {\n", "textureanims 1 {\n", "SEQUENCES 1 {\n", "Globalsequences 1 {\n",
          "materials 1 {\n", "version {\n", "}\n", "Model {\n", "Bone {\n"})
        EXPECT_EQ(parse(model, text), (Errors{{1, "Unknown chunk"}})) << text;
}

TEST(MdlReader, ErrorMessagesLinesAndStopRules) {
    const char* cases[] = {
        // Reads-on blocks log every unmatched line; a nested unknown opener's closer ends them.
        "Model \"M\" {\nBlendTime 1.5, //! Unexpected in a Model chunk\nMinimumExtent { 1, 2 }, //! "
        "Unexpected in a Model chunk\nNested { //! Unexpected in a Model chunk\nBlendTime 3,\n}\nX,\n}\n",
        "Sequences 2 {\nAnim \"R\" {\nmoveSpeed 5, //! Unexpected in a Sequence chunk\nInterval { 1.5, 3 }, "
        "//! Unexpected in a Sequence chunk\ninterval { 0, 1 }, //! Unexpected in a Sequence chunk\n}\nAnim "
        "\"N\" {\nX,\n}\n}\n",
        "Materials 1 {\nMaterial {\nLayer {\nFilterMode Glow, //! Unexpected in a Layer chunk\nstatic "
        "TextureID 1.5, //! Unexpected in a Layer chunk\n}\nShiny, //! Unexpected in a Material "
        "chunk\n}\n}\n",
        // TVertexAnim ends at once after any error, one of its tracks' included.
        "TextureAnims 1 {\nTVertexAnim {\nscaling 1 { //! Unexpected in a TVertexAnim "
        "chunk\nLinear,\n}\n}\n}\n",
        // A track ended by an error leaves its lines to the enclosing block.
        "Helper \"H\" {\nTranslation 2 {\n0: { 1, 2, 3 }, //! Expected interpolation type.\n5: { 1, 2, 3 }, "
        "//! Unexpected in a Helper chunk\n}\n}\n",
        "Helper \"H\" {\nVisibility 1 {\nSmooth, //! Unrecognized interpolation type. Should be DontInterp, "
        "Linear, Hermite, or Bezier.\n0: 1,\n}\n}\n",
        "Helper \"H\" {\nVisibility 2 {\nHermite,\n0: 1,\nOutTan 0, //! Expected InTan\n}\n}\n",
        "Materials 1 {\nMaterial {\nLayer {\nTextureID 2 {\nHermite, //! No such interpolation for int "
        "values.\n0: 2,\n}\n}\n}\n}\n",
        // The lists inside a block read on past bad lines.
        "EventObject \"E\" {\nEventTrack 2 {\n1,\n2.5, //! Expected a frame.\nx, //! Expected a "
        "frame.\n3,\n}\nX, //! Unexpected in an EventObject chunk\n}\n",
        "CollisionShape \"S\" {\nSphere,\nVertices 2 {\n{ 0, 0, 0 },\n{ 1, 1, 1 },\n} //! Wrong number of "
        "vertices.\nX,\n}\n",
        "CollisionShape \"S\" {\nSphere,\nSphere, //! Shape already defined.\nVertices 1 {\n{ 0, 0, 0 },\n0, "
        "//! Expected a vertex.\n}\nX, //! Unexpected in a CollisionShape chunk\n}\n",
        // No shape yet: logged before each list line is read, against the line before it.
        "CollisionShape \"S\" {\nVertices 2 { //! Shape has not been defined\n{ 0, 0, 0 }, //! Shape has not "
        "been defined\n{ 1, 1, 1 }, //! Shape has not been defined\n}\n}\n",
        "ParticleEmitter2 \"S\" {\nSegmentColor {\nColor { 1, 0, 0 },\nColor { 0, 1 }, //! Expected a "
        "color.\nColor { 0, 0, 1 },\n},\nX, //! Unexpected in a ParticleEmitter2 chunk\n}\n",
        // Any error inside a camera ends it at once, in a track included.
        "Camera \"C\" {\nRotation 1 {\nLinear,\n0: { 1, 2 }, //! Expected a one-dimensional key.\n5: "
        "1,\n}\nX,\n}\n",
    };
    std::vector<std::string> texts(std::begin(cases), std::end(cases));
    // Every scene-object block ends at once after an error: the second bad line is not logged.
    for (const std::string kind :
         {"Bone \"X\"", "Helper \"X\"", "Attachment \"X\"", "Light \"X\"", "EventObject \"X\"",
          "CollisionShape \"X\"", "ParticleEmitter \"X\"", "ParticleEmitter2 \"X\"", "RibbonEmitter \"X\"",
          "Camera \"X\"", "GeosetAnim"}) {
        const std::string name = kind.substr(0, kind.find(' '));
        const char* article = name.find_first_of("AE") == 0 ? "an " : "a ";
        texts.push_back(kind + " {\nWobble, //! Unexpected in " + article + name + " chunk\nWobble 2,\n}\n");
    }
    for (const std::string& text : texts) {
        Model model;
        EXPECT_EQ(parse(model, text + "GlobalSequences 1 {\nDuration 5,\n}\n"), announced(text)) << text;
        EXPECT_TRUE(model.GlobalSequences.empty()) << text;  // the parse stopped after the block
    }
}

TEST(MdlReader, TracksAndKindSpecificRules) {
    Model model;
    EXPECT_EQ(
        parse(
            model,
            "Helper \"H\" {\nVisibility 2 {\nBezier,\nGlobalSeqId 1,\n0: 1,\nInTan 1.25,\nOutTan 0.5,\n}\n"
            "Visibility 1 {\nhermite,\n200: 0.5,\nInTan 0,\nOutTan -1,\n}\n"  // appends, keeps GlobalSeqId 1
            "Scaling 1 {\nLinear,\nGlobalSeqId 0,\n0: { 1, 1, 1 },\n}\n"
            "Scaling 1 {\nDONTINTERP,\nGlobalSeqId 2,\n9: { 2, 2, 2 },\n}\n}\n"
            "Materials 1 {\nMaterial {\nLayer {\nTextureID 3 {\nLinear,\n0: 3.9,\n1: -1.5,\n2: "
            "1e30,\n}\n}\n}\n}\n"
            "Bone \"B\" {\nGeosetId 4,\nGeosetAnimId 5,\nGeosetId Multiple,\nGeosetAnimId none,\n"
            "billboarded,\nCameraAnchored,\nDontInherit { Rotation },\nDontInherit { scaling },\n}\n"
            "Attachment \"A\" {\n}\nAttachment \"B\" {\n}\n"
            "Light \"L\" {\nDirectional,\nstatic Visibility 0.75,\nVisibility 1 {\nLinear,\n0: 1,\n}\n}\n"
            "ParticleEmitter \"P\" {\n}\nParticleEmitter \"Q\" {\nEmitterUsesMDL,\nEmitterUsesTGA,\n}\n"
            "ParticleEmitter2 \"S\" {\nUnshaded,\nDontInherit { Translation },\nAlpha { 255, 384, -1 },\n}\n"
            "ParticleEmitter2 \"T\" {\n}\nRibbonEmitter \"R\" {\nstatic TextureSlot -3.7,\n}\n"
            "CollisionShape \"S\" {\nBox,\nSphere,\nObjectId 5,\n}\n"),
        (Errors{{78, "Shape already defined."}}));
    const Node& node = model.Helpers.at(0).node;
    EXPECT_EQ(std::tuple(node.Visibility.interpolationType, node.Visibility.GlobalSeqId,
                         node.Scaling.interpolationType, node.Scaling.GlobalSeqId, node.Scaling.keys.size()),
              std::tuple(Hermite, 1, DontInterp, 2, 2u));
    EXPECT_EQ(node.Visibility.keys,
              (std::vector<TrackKey<float>>{{0, 1.0f, 1.25f, 0.5f}, {200, 0.5f, 0.0f, -1.0f}}));
    // Integer keys: truncated toward zero, saturated.
    const IntTrack& texture = model.Materials.at(0).Layers.at(0).TextureID;
    EXPECT_EQ(texture.keys,
              (std::vector<TrackKey<std::uint32_t>>{{0, 3u}, {1, 0xFFFFFFFFu}, {2, 0x7FFFFFFFu}}));
    const Bone& bone = model.Bones.at(0);  // an attachment without AttachmentID line gets its index
    EXPECT_EQ(
        std::tuple(bone.GeosetId, bone.GeosetAnimId, bone.node.flags, model.Attachments.at(1).AttachmentID),
        std::tuple(-1, -1,
                   NodeIsBone | Billboarded | CameraAnchored | DontInheritRotation | DontInheritScaling, 1));
    // A light's own Visibility wins over the node's, static line and keyed block alike.
    const Light& light = model.Lights.at(0);
    EXPECT_EQ(std::tuple(light.Type, light.Visibility.staticValue, light.Visibility.keys.size(),
                         light.node.Visibility, light.AmbIntensity.staticValue),
              std::tuple(Directional, 0.75f, 1u, FloatTrack{}, 0.0f));
    EXPECT_EQ(std::tuple(model.ParticleEmitters.at(0).node.flags, model.ParticleEmitters.at(1).node.flags),
              std::tuple(+NodeIsParticleEmitter, NodeIsParticleEmitter | EmitterUsesTGA));
    const ParticleEmitter2& emitter2 = model.ParticleEmitters2.at(0);
    EXPECT_EQ(
        std::tuple(emitter2.emitterFlags, emitter2.node.flags, model.ParticleEmitters2.at(1).emitterFlags),
        std::tuple(0x9000u, +DontInheritTranslation, 0x1000u));
    EXPECT_EQ(std::tuple(emitter2.Alpha, model.RibbonEmitters.at(0).TextureSlot.staticValue),
              std::tuple(std::array<std::uint8_t, 3>{255, 128, 255}, 0xFFFFFFFDu));  // -3.7 truncated
    EXPECT_EQ(std::tuple(model.CollisionShapes.at(0).shapeType, model.CollisionShapes.at(0).node.ObjectId),
              std::tuple(+ShapeSphere, 5u));
}

TEST(MdlReader, GeosetSectionsAndTheirErrorsKeepTheArraysInStep) {
    const std::pair<std::string GeosetText::*, const char*> cases[] = {
        {&GeosetText::vertices, "Verts 3 { //! Expected: Vertices # {\n"},
        {&GeosetText::vertices, "Vertices 1 {\n{ 0, 0 }, //! Expected a vertex.\n}\n"},
        {&GeosetText::normals, "Normal 3 { //! Expected \"Normals # {\"\n"},
        {&GeosetText::normals,
         "Normals 3 {\n{ 0, 0, 1 },\n{ 0, 0, 1 },\n{ 0, 0, 1 },\n{ 0, 0, 1 }, //! Too many normals.\n"},
        {&GeosetText::tvertices,
         "TVertices 3 {\n{ 1, 1 },\n{ 0, 0, 0 }, //! Expected a tvertex or a closing }.\n"},
        {&GeosetText::groups, "VertexGroup {\n{ 0 }, //! Expected a vertex group entry or a closing }.\n"},
        {&GeosetText::faces, "Faces 1 3 {\nTriangles {\n{ 0, 1, 2 },\n{ 0.5 }, //! Expected a closing }.\n"},
        {&GeosetText::matrices, "Groups 1 1 {\nMatrices { 0.5 }, //! Expected a matrix or a closing }.\n"},
        // Count mismatches read on; the parse still stops after the geoset.
        {&GeosetText::normals,
         "Normals 2 {\n{ 0, 0, 1 },\n{ 0, 1, 0 },\n} //! Wrong number of normals (did not match number of "
         "vertices).\n"},
        // A failed Anim sub-block ends the geoset without its extent record.
        {&GeosetText::members,
         "MaterialID 1.5, //! Unexpected in a Geoset chunk\nAnim {\nRarity 1, //! Unexpected in an Anim "
         "chunk.\n"
         "MaterialID 3,\n}\nMaterialID 4,\n"},
    };
    for (const auto& [section, replacement] : cases) {
        GeosetText g;
        g.*section = replacement;
        Model model;
        const Errors errors = parse(model, g.text() + "Bone \"after\" {\n}\n");
        EXPECT_EQ(errors, announced(g.text())) << replacement;
        ASSERT_EQ(model.Geosets.size(), 1u);
        const Geoset& geoset = model.Geosets[0];
        const bool readsOn = !errors.empty() && errors[0].second.starts_with("Wrong");
        EXPECT_EQ(std::tuple(geoset.vertexCount(), inStep(geoset), geoset.MaterialID, geoset.extents.size(),
                             model.Bones.size()),
                  std::tuple(section == &GeosetText::vertices ? 0u : 3u, true, readsOn ? 2u : 0u, 0u, 0u))
            << replacement;
    }
}

}  // namespace
}  // namespace tess

// Geosets and scene objects: their errors, stop rules and kind-specific rules.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "mdl/mdl_reader.h"

namespace tess {
namespace {

using Errors = std::vector<std::pair<std::uint32_t, std::string>>;

Errors parse(Model& model, const std::string& text) {
    std::ostringstream out;
    readMdl(model, text, out);
    Errors errors;
    for (std::size_t i = 0; i < model.parseLog.errorCount(); ++i)
        errors.emplace_back(model.parseLog.lineNumbers[i], model.parseLog.messages[i]);
    return errors;
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

TEST(MdlReaderObjects, GeosetSectionErrors) {
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
        EXPECT_TRUE(model.Bones.empty());
    }
}

TEST(MdlReaderObjects, GeosetSectionsFillTheGeoset) {
    GeosetText g;
    g.tvertices += "tvertices 1 {\n{ 9, 8 },\n}\n";  // a second set, given to the first vertex only
    g.faces = "Faces 1 7 {\nTriangles {\n{ 0, 1, 2, 2 },\n{ 1 },\n{ 0, 2 },\n}\n}\n";
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
    EXPECT_EQ(geoset.extents, (std::vector<Extent>{{6, {-5, -5, -5}, {}}, {}}));
    EXPECT_EQ(geoset.selectionFlags, kUnselectable);

    // The triangle records follow the corners also when the block fails after them.
    g.faces = "Faces 1 6 {\nTriangles {\n{ 0, 1, 2, 0, 2, 1 },\n}\nOops,\n";
    EXPECT_EQ(parse(model, g.text()).size(), 1u);
    EXPECT_EQ(model.Geosets.at(0).triangleSelected.size(), 2u);
}

TEST(MdlReaderObjects, ObjectErrorsAndStopRules) {
    const char* const kinds[][2] = {
        {"Bone", "Unexpected in a Bone chunk"},
        {"Helper", "Unexpected in a Helper chunk"},
        {"Attachment", "Unexpected in an Attachment chunk"},
        {"Light", "Unexpected in a Light chunk"},
        {"EventObject", "Unexpected in an EventObject chunk"},
        {"CollisionShape", "Unexpected in a CollisionShape chunk"},
        {"ParticleEmitter", "Unexpected in a ParticleEmitter chunk"},
        {"ParticleEmitter2", "Unexpected in a ParticleEmitter2 chunk"},
        {"RibbonEmitter", "Unexpected in a RibbonEmitter chunk"},
        {"Camera", "Unexpected in a Camera chunk"},
        {"GeosetAnim", "Unexpected in a GeosetAnim chunk"},
    };
    for (const auto& kind : kinds) {
        Model model;
        const std::string head =
            kind[0] == std::string("GeosetAnim") ? "GeosetAnim {\n" : kind[0] + std::string(" \"X\" {\n");
        // Every block of these kinds ends at once: the second bad line is not logged.
        EXPECT_EQ(parse(model, head + "Wobble,\nWobble 2,\n}\nHelper \"after\" {\n}\n"),
                  (Errors{{2, kind[1]}}));
    }
    const struct {
        const char* text;
        Errors errors;
    } cases[] = {
        {"Bone \"B\" {\nGeosetId None,\nObjectId 4,\n}\n", {{2, "Unexpected in a Bone chunk"}}},
        {"Bone \"B\" {\nDontInherit { Everything },\n}\n", {{2, "Unexpected in a Bone chunk"}}},
        // The event list reads on past bad lines, and so does the block after it.
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
        EXPECT_EQ(parse(model, std::string(c.text) + "Helper \"after\" {\n}\n"), c.errors) << c.text;
        EXPECT_TRUE(model.Helpers.empty()) << c.text;
    }
}

TEST(MdlReaderObjects, KindSpecificRules) {
    Model model;
    EXPECT_EQ(
        parse(
            model,
            "Bone \"B\" {\nGeosetId 4,\nGeosetAnimId 5,\nGeosetId Multiple,\nGeosetAnimId none,\n"
            "billboarded,\nCameraAnchored,\nDontInherit { Rotation },\nDontInherit { scaling },\n}\n"
            "Attachment \"A\" {\nAttachmentID 7,\n}\nAttachment \"B\" {\n}\nAttachment \"C\" {\n}\n"
            "Light \"L\" {\nDirectional,\nstatic Visibility 0.75,\n}\n"
            "ParticleEmitter \"P\" {\n}\nParticleEmitter \"Q\" {\nEmitterUsesMDL,\nEmitterUsesTGA,\n}\n"
            "ParticleEmitter2 \"S\" {\nUnshaded,\nDontInherit { Translation },\nAlpha { 255, 384, -1 },\n}\n"
            "RibbonEmitter \"R\" {\nstatic TextureSlot -3.7,\n}\n"
            "CollisionShape \"S\" {\nBox,\nSphere,\nObjectId 5,\n}\n")
            .size(),
        1u);  // "Shape already defined."
    const Bone& bone = model.Bones.at(0);
    EXPECT_EQ(std::pair(bone.GeosetId, bone.GeosetAnimId), std::pair(-1, -1));
    EXPECT_EQ(bone.node.flags,
              NodeIsBone | Billboarded | CameraAnchored | DontInheritRotation | DontInheritScaling);
    ASSERT_EQ(model.Attachments.size(), 3u);
    EXPECT_EQ(model.Attachments[0].AttachmentID, 7);
    EXPECT_EQ(model.Attachments[2].AttachmentID, 2);  // without a line: its own index
    // A light's own Visibility wins over the node's.
    const Light& light = model.Lights.at(0);
    EXPECT_EQ(light.Type, Directional);
    EXPECT_EQ(light.Visibility.staticValue, 0.75f);
    EXPECT_EQ(light.node.Visibility.staticValue, 0.0f);
    EXPECT_EQ(light.AmbIntensity.staticValue, 0.0f);
    EXPECT_EQ(model.ParticleEmitters.at(0).node.flags, NodeIsParticleEmitter);
    EXPECT_EQ(model.ParticleEmitters.at(1).node.flags, NodeIsParticleEmitter | EmitterUsesTGA);
    const ParticleEmitter2& emitter2 = model.ParticleEmitters2.at(0);
    EXPECT_EQ(emitter2.emitterFlags, 0x9000u);
    EXPECT_EQ(emitter2.node.flags, DontInheritTranslation);
    EXPECT_EQ(emitter2.Alpha, (std::array<std::uint8_t, 3>{255, 128, 255}));
    EXPECT_EQ(model.RibbonEmitters.at(0).TextureSlot.staticValue, 0xFFFFFFFDu);  // -3
    EXPECT_EQ(model.CollisionShapes.at(0).shapeType, ShapeSphere);
    EXPECT_EQ(model.CollisionShapes.at(0).node.ObjectId, 5u);
}

}  // namespace
}  // namespace tess

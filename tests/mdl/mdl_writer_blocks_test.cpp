#include "mdl/mdl_writer_blocks.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tess {
namespace {

// The text one block writer appends.
template <class T, class... Params, class... Args>
std::string render(void (*write)(MdlText&, const T&, Params...), const T& object, Args&&... args) {
    std::string out;
    MdlText text(out, 0);
    write(text, object, std::forward<Args>(args)...);
    return out;
}

// "\tstatic <name> 0.000000,\n" for each name, with `indent` for the tab.
std::string zeros(std::initializer_list<const char*> names, const std::string& indent = "\t") {
    std::string lines;
    for (const char* name : names) lines += indent + "static " + name + " 0.000000,\n";
    return lines;
}

Vertex makeVertex(float x, std::initializer_list<float> u, std::initializer_list<float> v,
                  std::uint32_t group) {
    Vertex vertex;
    vertex.position = {x, 0, 0};
    vertex.normal = {0, 0, 1};
    vertex.U = u;
    vertex.V = v;
    vertex.vertexGroup = group;
    return vertex;
}

TEST(MdlWriterBlocks, Geosets) {
    Geoset g;
    g.Vertices = {makeVertex(1, {0.25f, 0.5f}, {0.75f, 1}, 0), makeVertex(2, {0, 0.125f}, {1, 0}, 1)};
    g.corners = {0, 1, 1};
    g.matrixGroups = {{0}, {0, 1}};
    g.extents = {Extent{}, Extent{2, {-1, -1, -1}, {1, 1, 1}}};
    g.MaterialID = 1;
    g.SelectionGroup = 3;
    g.selectionFlags = kUnselectable;
    g.BoundsRadius = 1.5f;
    const std::string zeroExtents =
        "MinimumExtent { 0.000000, 0.000000, 0.000000 },\n\tMaximumExtent { 0.000000, 0.000000, 0.000000 "
        "},\n";
    EXPECT_EQ(
        render(writeGeoset, g),
        "Geoset {\n\tVertices 2 {\n\t\t{ 1.000000, 0.000000, 0.000000 },\n"
        "\t\t{ 2.000000, 0.000000, 0.000000 },\n\t}\n\tNormals 2 {\n\t\t{ 0.000000, 0.000000, 1.000000 },\n"
        "\t\t{ 0.000000, 0.000000, 1.000000 },\n\t}\n"
        "\tTVertices 2 {\n\t\t{ 0.250000, 0.750000 },\n\t\t{ 0.000000, 1.000000 },\n\t}\n"
        "\tTVertices 2 {\n\t\t{ 0.500000, 1.000000 },\n\t\t{ 0.125000, 0.000000 },\n\t}\n"
        "\tVertexGroup {\n\t\t0,\n\t\t1,\n\t}\n"
        "\tFaces 1 3 {\n\t\tTriangles {\n\t\t\t{ 0, 1, 1 },\n\t\t}\n\t}\n"
        "\tGroups 2 3 {\n\t\tMatrices { 0 },\n\t\tMatrices { 0, 1 },\n\t}\n\t" +
            zeroExtents +
            "\tBoundsRadius 1.500000,\n\tAnim {\n\t\tMinimumExtent { 0.000000, 0.000000, 0.000000 },\n"
            "\t\tMaximumExtent { 0.000000, 0.000000, 0.000000 },\n\t}\n"
            "\tAnim {\n\t\tMinimumExtent { -1.000000, -1.000000, -1.000000 },\n"
            "\t\tMaximumExtent { 1.000000, 1.000000, 1.000000 },\n\t\tBoundsRadius 2.000000,\n\t}\n"
            "\tMaterialID 1,\n\tSelectionGroup 3,\n\tUnselectable,\n}\n");

    EXPECT_EQ(render(writeGeoset, Geoset{}),
              "Geoset {\n\tVertices 0 {\n\t}\n\tNormals 0 {\n\t}\n\tVertexGroup {\n\t}\n"
              "\tFaces 1 0 {\n\t\tTriangles {\n\t\t\t{  },\n\t\t}\n\t}\n\tGroups 0 0 {\n\t}\n\t" +
                  zeroExtents + "\tMaterialID 0,\n\tSelectionGroup 0,\n}\n");

    // A vertex with fewer sets than the first is written with zeros, not read past its end.
    g.Vertices = {makeVertex(0, {0.5f, 0.25f}, {0.5f, 0.25f}, 0), makeVertex(0, {0.75f}, {}, 0)};
    g.selectionFlags = 1;  // only 4 means unselectable
    const std::string out = render(writeGeoset, g);
    EXPECT_EQ(out.find("Unselectable"), std::string::npos);
    EXPECT_NE(out.find("\t\t{ 0.500000, 0.500000 },\n\t\t{ 0.750000, 0.000000 },\n"), std::string::npos);
    EXPECT_NE(out.find("\t\t{ 0.250000, 0.250000 },\n\t\t{ 0.000000, 0.000000 },\n"), std::string::npos);
}

TEST(MdlWriterBlocks, GeosetAnimColourOnlyWithItsFlagAndWhenNotWhite) {
    GeosetAnim anim;
    anim.GeosetId = 2;
    anim.Color.staticValue = {1, 0.5f, 1};
    const auto text = [&] { return render(writeGeosetAnim, anim); };
    EXPECT_EQ(text(), "GeosetAnim {\n\tstatic Alpha 1.000000,\n\tGeosetId 2,\n}\n");
    anim.flags = DropShadow | GeosetAnimUsesColor;
    EXPECT_EQ(text(),
              "GeosetAnim {\n\tDropShadow,\n\tstatic Alpha 1.000000,\n"
              "\tstatic Color { 1.000000, 0.500000, 1.000000 },\n\tGeosetId 2,\n}\n");
    anim.Color.staticValue = {1, 1, 1};
    EXPECT_EQ(text(), "GeosetAnim {\n\tDropShadow,\n\tstatic Alpha 1.000000,\n\tGeosetId 2,\n}\n");
}

TEST(MdlWriterBlocks, NodeHeaderFlagOrderAndBoneGeosetWords) {
    Bone bone;
    bone.node.Name = "Arm";
    bone.node.ObjectId = 4;
    bone.node.Parent = 0;
    bone.node.flags = 0xFFFF;  // every flag line plus kind bits, which write nothing
    bone.node.Visibility.keys.push_back({0, 1.0f, 0, 0});
    EXPECT_EQ(render(writeBone, bone),
              "Bone \"Arm\" {\n\tObjectId 4,\n\tParent 0,\n\tBillboardedLockX,\n\tBillboardedLockY,\n"
              "\tBillboardedLockZ,\n\tCameraAnchored,\n\tBillboarded,\n\tDontInherit { Translation },\n"
              "\tDontInherit { Rotation },\n\tDontInherit { Scaling },\n\tGeosetId Multiple,\n"
              "\tGeosetAnimId None,\n\tVisibility 1 {\n\t\tLinear,\n\t\t0: 1.000000,\n\t}\n}\n");
    Bone plain;
    plain.GeosetId = 0;
    plain.GeosetAnimId = 3;
    EXPECT_EQ(render(writeBone, plain), "Bone \"\" {\n\tObjectId 0,\n\tGeosetId 0,\n\tGeosetAnimId 3,\n}\n");

    Helper h;
    h.node.Parent = 2;
    h.node.Rotation.keys.push_back({0, {0, 0, 0, 1}, {}, {}});
    EXPECT_EQ(render(writeHelper, h),
              "Helper \"\" {\n\tObjectId 0,\n\tParent 2,\n"
              "\tRotation 1 {\n\t\tLinear,\n\t\t0: { 0.000000, 0.000000, 0.000000, 1.000000 },\n\t}\n}\n");
}

TEST(MdlWriterBlocks, AttachmentsAndEventObjects) {
    Attachment a;
    a.AttachmentID = 1;
    a.node.ObjectId = 5;
    EXPECT_EQ(render(writeAttachment, a, 1), "Attachment \"\" {\n\tObjectId 5,\n}\n");
    a.Path = "Sword.mdl";
    EXPECT_EQ(render(writeAttachment, a, 0),
              "Attachment \"\" {\n\tObjectId 5,\n\tAttachmentID 1,\n\tPath \"Sword.mdl\",\n}\n");

    EventObject e;
    e.node.Name = "FootStep";
    EXPECT_EQ(render(writeEventObject, e), "EventObject \"FootStep\" {\n\tObjectId 0,\n}\n");
    e.times = {100, 0xFFFFFFFFu};
    EXPECT_EQ(render(writeEventObject, e),
              "EventObject \"FootStep\" {\n\tObjectId 0,\n\tEventTrack 2 {\n\t\t100,\n\t\t-1,\n\t}\n}\n");
}

TEST(MdlWriterBlocks, LightTypeLineAndItsTwoVisibilities) {
    Light light;
    light.Type = Ambient;
    light.Visibility.keys.push_back({0, 1.0f, 0, 0});
    light.node.Visibility.keys.push_back({5, 0.0f, 0, 0});
    const std::string tracks = zeros({"AttenuationStart", "AttenuationEnd", "Intensity"}) +
                               "\tstatic Color { 0.000000, 0.000000, 0.000000 },\n" +
                               zeros({"AmbIntensity"}) +
                               "\tstatic AmbColor { 0.000000, 0.000000, 0.000000 },\n";
    EXPECT_EQ(render(writeLight, light), "Light \"\" {\n\tObjectId 0,\n\tAmbient,\n" + tracks +
                                             "\tVisibility 1 {\n\t\tLinear,\n\t\t0: 1.000000,\n\t}\n"
                                             "\tVisibility 1 {\n\t\tLinear,\n\t\t5: 0.000000,\n\t}\n}\n");
    light.Type = 3;
    light.Visibility.keys.clear();
    light.node.Visibility.keys.clear();
    EXPECT_EQ(render(writeLight, light), "Light \"\" {\n\tObjectId 0,\n" + tracks + "}\n");
}

TEST(MdlWriterBlocks, ParticleEmitterUsesLineAndCheck3309) {
    ParticleEmitter e;
    e.node.Name = "Smoke";
    e.node.ObjectId = 6;
    e.node.Parent = 1;
    e.Path = "Smoke.mdl";
    e.LifeSpan.staticValue = 2;
    RecordingReportSink reports;
    const auto text = [&] { return render(writeParticleEmitter, e, reports); };
    const std::string head = "ParticleEmitter \"Smoke\" {\n\tObjectId 6,\n\tParent 1,\n";
    const std::string body = zeros({"EmissionRate", "Gravity", "Longitude", "Latitude", "Visibility"}) +
                             "\tParticle {\n\t\tstatic LifeSpan 2.000000,\n" +
                             zeros({"InitVelocity"}, "\t\t") + "\t\tPath \"Smoke.mdl\",\n\t}\n";
    EXPECT_EQ(text(), head + "\tEmitterUsesMDL,\n" + body + "}\n");
    EXPECT_EQ(reports.checks, std::vector<int>{3309});

    e.node.flags |= EmitterUsesMDL;
    EXPECT_EQ(text(), head + "\tEmitterUsesMDL,\n" + body + "}\n");
    // TGA wins when both are set; inheritance flags and transform keys are kept.
    e.node.flags |= EmitterUsesTGA | Billboarded;
    e.node.Translation.keys.push_back({0, {0, 1, 0}, {}, {}});
    EXPECT_EQ(text(),
              head + "\tEmitterUsesTGA,\n\tBillboarded,\n" + body +
                  "\tTranslation 1 {\n\t\tLinear,\n\t\t0: { 0.000000, 1.000000, 0.000000 },\n\t}\n}\n");
    EXPECT_EQ(reports.checks.size(), 1u);
}

TEST(MdlWriterBlocks, ParticleEmitter2FullBlock) {
    ParticleEmitter2 e;
    e.node.Name = "Sparks";
    e.emitterFlags = 0x1FF01F;  // every emitter flag; node bits other than 0x4 write nothing
    e.LifeSpan = 1.5f;
    e.FilterMode = P2AlphaKey;
    e.Rows = 2;
    e.Columns = 4;
    e.headOrTail = Both;
    e.Time = 0.5f;
    e.SegmentColor = {Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0.5f, 1}};
    e.Alpha = {255, 128, 0};
    e.TailDecayUVAnim = {6, 7, 0xFFFFFFFFu};
    e.Squirt = 1;
    e.PriorityPlane = -2;
    e.ReplaceableId = 2;
    e.Visibility.staticValue = 1;
    e.node.Visibility.keys.push_back({0, 1.0f, 0, 0});  // has no place in this block
    e.node.Scaling.keys.push_back({0, {2, 2, 2}, {}, {}});
    RecordingReportSink reports;
    EXPECT_EQ(
        render(writeParticleEmitter2, e, reports),
        "ParticleEmitter2 \"Sparks\" {\n\tObjectId 0,\n\tDontInherit { Rotation },\n\tSortPrimsFarZ,\n"
        "\tUnshaded,\n\tLineEmitter,\n\tUnfogged,\n\tModelSpace,\n\tXYQuad,\n" +
            zeros({"Speed", "Variation", "Latitude", "Gravity"}) +
            "\tstatic Visibility 1.000000,\n\tSquirt,\n\tLifeSpan 1.500000,\n" +
            zeros({"EmissionRate", "Width", "Length"}) +
            "\tAlphaKey,\n\tRows 2,\n\tColumns 4,\n\tBoth,\n\tTailLength 0.000000,\n\tTime 0.500000,\n"
            "\tSegmentColor {\n\t\tColor { 1.000000, 0.000000, 0.000000 },\n"
            "\t\tColor { 0.000000, 1.000000, 0.000000 },\n\t\tColor { 0.000000, 0.500000, 1.000000 },\n\t},\n"
            "\tAlpha { 255, 128, 0 },\n\tParticleScaling { 0.000000, 0.000000, 0.000000 },\n"
            "\tLifeSpanUVAnim { 0, 0, 0 },\n\tDecayUVAnim { 0, 0, 0 },\n\tTailUVAnim { 0, 0, 0 },\n"
            "\tTailDecayUVAnim { 6, 7, -1 },\n\tTextureID 0,\n\tReplaceableId 2,\n\tPriorityPlane -2,\n"
            "\tScaling 1 {\n\t\tLinear,\n\t\t0: { 2.000000, 2.000000, 2.000000 },\n\t}\n}\n");
    EXPECT_TRUE(reports.checks.empty());
}

TEST(MdlWriterBlocks, ParticleEmitter2UnwritableValuesAndCheck3857) {
    const char* filter[] = {"Blend", "Additive", "Modulate", "ERROR-UNKNOWN", "AlphaKey", "ERROR-UNKNOWN"};
    const char* ends[] = {"Head", "Tail", "Both", "ERROR-UNKNOWN", "ERROR-UNKNOWN", "ERROR-UNKNOWN"};
    for (std::uint32_t mode = 0; mode < 6; ++mode) {
        ParticleEmitter2 e;
        e.emitterFlags = Emitter2Unshaded;  // without the kind bit: no Unshaded line
        e.FilterMode = mode;
        e.headOrTail = mode;
        RecordingReportSink reports;
        const std::string out = render(writeParticleEmitter2, e, reports);
        EXPECT_EQ(reports.checks, mode == 3 || mode == 5 ? std::vector<int>{3857} : std::vector<int>{})
            << mode;
        EXPECT_NE(out.find("Length 0.000000,\n\t" + std::string(filter[mode]) +
                           ",\n\tRows 0,\n\tColumns 0,\n\t" + ends[mode] + ",\n\tTailLength"),
                  std::string::npos)
            << out;
        EXPECT_EQ(out.find("Unshaded"), std::string::npos);
        EXPECT_EQ(out.find("Visibility"), std::string::npos);
    }
}

TEST(MdlWriterBlocks, RibbonEmitterOptionalVisibilityAndGravity) {
    RibbonEmitter r;
    r.node.flags = DontInheritTranslation;
    r.TextureSlot.keys.push_back({0, 3u, 0, 0});
    r.EmissionRate = 30;
    r.LifeSpan = 0.5f;
    r.Rows = 1;
    r.Columns = 2;
    r.MaterialID = 1;
    const auto text = [&] { return render(writeRibbonEmitter, r); };
    const std::string head = "RibbonEmitter \"\" {\n\tObjectId 0,\n\tDontInherit { Translation },\n" +
                             zeros({"HeightAbove", "HeightBelow", "Alpha"}) +
                             "\tstatic Color { 0.000000, 0.000000, 0.000000 },\n"
                             "\tTextureSlot 1 {\n\t\tLinear,\n\t\t0: 3,\n\t}\n";
    const std::string tail = "\tEmissionRate 30,\n\tLifeSpan 0.500000,\n";
    const std::string rest = "\tRows 1,\n\tColumns 2,\n\tMaterialID 1,\n}\n";
    EXPECT_EQ(text(), head + tail + rest);
    r.Visibility.staticValue = 0.5f;
    r.Gravity = -1;
    EXPECT_EQ(text(), head + "\tstatic Visibility 0.500000,\n" + tail + "\tGravity -1.000000,\n" + rest);
}

TEST(MdlWriterBlocks, CamerasAndCollisionShapes) {
    Camera c;
    c.Name = "Portrait";
    c.Position = {100, 0, 50};
    c.FieldOfView = 0.75f;
    c.TargetPosition = {0, 0, 40};
    c.Rotation.staticValue = 3;  // unkeyed: not written
    c.TargetTranslation.keys.push_back({0, {0, 0, 1}, {}, {}});
    EXPECT_EQ(
        render(writeCamera, c),
        "Camera \"Portrait\" {\n\tPosition { 100.000000, 0.000000, 50.000000 },\n\tFieldOfView 0.750000,\n"
        "\tFarClip 0.000000,\n\tNearClip 0.000000,\n\tTarget {\n\t\tPosition { 0.000000, 0.000000, 40.000000 "
        "},\n\t\tTranslation 1 {\n\t\t\tLinear,\n\t\t\t0: { 0.000000, 0.000000, 1.000000 "
        "},\n\t\t}\n\t}\n}\n");

    CollisionShape s;
    s.vertex1 = {-1, -1, 0};
    s.vertex2 = {1, 1, 2};
    s.BoundsRadius = 0.5f;
    const auto text = [&] { return render(writeCollisionShape, s); };
    const std::string head = "CollisionShape \"\" {\n\tObjectId 0,\n";
    const std::string first = "\t\t{ -1.000000, -1.000000, 0.000000 },\n";
    EXPECT_EQ(text(),
              head + "\tBox,\n\tVertices 2 {\n" + first + "\t\t{ 1.000000, 1.000000, 2.000000 },\n\t}\n}\n");
    s.shapeType = ShapeSphere;
    EXPECT_EQ(text(), head + "\tSphere,\n\tVertices 1 {\n" + first + "\t}\n\tBoundsRadius 0.500000,\n}\n");
    // No text form: a box that claims two vertices and lists one, which the reader rejects.
    s.shapeType = 1;
    EXPECT_EQ(text(), head + "\tBox,\n\tVertices 2 {\n" + first + "\t}\n}\n");
}

}  // namespace
}  // namespace tess

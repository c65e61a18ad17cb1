#include "model/model.h"

#include <gtest/gtest.h>

#include "common/sample_models.h"

namespace tess {
namespace {

TEST(Model, ResetEmptiesEveryArrayAndRestoresTheHeader) {
    Model model = testing::makeRichModel();
    model.FormatVersion = 900;
    model.parseLog.addError("line", 3, "message");
    model.reset();
    EXPECT_EQ(model, Model{});
    EXPECT_EQ(model.FormatVersion, 800u);
    EXPECT_EQ(model.BlendTime, 100u);
    EXPECT_TRUE(model.GeosetAnims.empty());
    EXPECT_TRUE(model.Attachments.empty());
    EXPECT_TRUE(model.CollisionShapes.empty());
    EXPECT_TRUE(model.RibbonEmitters.empty());
    EXPECT_TRUE(model.GlobalSequences.empty());
    // The parse log belongs to the text reader, which empties it itself.
    EXPECT_EQ(model.parseLog.errorCount(), 1u);
}

TEST(Model, ConstructorsSetTheDocumentedDefaults) {
    const Layer layer;
    EXPECT_EQ(layer.TVertexAnimId, -1);
    EXPECT_EQ(layer.Alpha.staticValue, 1.0f);
    EXPECT_EQ(layer.TextureID.staticValue, 0u);
    EXPECT_FALSE(layer.TextureID.keyed());

    const GeosetAnim anim;
    EXPECT_EQ(anim.Color.staticValue, (Vec3{1, 1, 1}));
    EXPECT_EQ(anim.Alpha.staticValue, 1.0f);
    EXPECT_EQ(anim.GeosetId, 1u);

    EXPECT_EQ(Bone{}.node.flags, 0x100u);
    EXPECT_EQ(Bone{}.GeosetId, -1);
    EXPECT_EQ(Bone{}.GeosetAnimId, -1);
    EXPECT_EQ(Helper{}.node.flags, 0u);
    EXPECT_EQ(Light{}.node.flags, 0x200u);
    EXPECT_EQ(EventObject{}.node.flags, 0x400u);
    EXPECT_EQ(Attachment{}.node.flags, 0x800u);
    EXPECT_EQ(Attachment{}.AttachmentID, -1);
    EXPECT_EQ(ParticleEmitter{}.node.flags, 0x1000u);
    EXPECT_EQ(CollisionShape{}.node.flags, 0x2000u);
    EXPECT_EQ(RibbonEmitter{}.emitterFlags, 0x400000u);
    EXPECT_EQ(RibbonEmitter{}.node.flags, 0u);
    EXPECT_EQ(Node{}.Parent, -1);

    const Geoset geoset;
    EXPECT_EQ(geoset.shown, 1);
    EXPECT_EQ(geoset.selectionFlags, 0u);

    const VectorTrack track;
    EXPECT_EQ(track.interpolationType, Linear);
    EXPECT_EQ(track.GlobalSeqId, -1);
    EXPECT_TRUE(track.keys.empty());
}

TEST(Model, EqualityIgnoresEditorFlagsAndCachesButNotStoredData) {
    Model a = testing::makeRichModel();
    Model b = a;
    b.Geosets[0].shown = 0;
    b.Geosets[0].triangleSelected[0] = 1;
    b.Geosets[0].Vertices[0].selected = 1;
    b.Geosets[0].Vertices[0].animatedPosition = {9, 9, 9};
    b.Bones[0].node.worldMatrix[0] = 5;
    b.Bones[0].node.Translation.cache.cachedValue = {1, 2, 3};
    EXPECT_EQ(a, b);
    b.Geosets[0].Vertices[0].U[1] = 0.5f;
    EXPECT_NE(a, b);
    b = a;
    b.Bones[0].node.Rotation.keys[1].OutTan[3] = 2;
    EXPECT_NE(a, b);
}

TEST(Model, VertexCoordinatesOfOneOrTwoSetsStayInline) {
    const Model model = testing::makeRichModel();
    for (const Vertex& v : model.Geosets[0].Vertices) {
        EXPECT_EQ(v.U.size(), 2u);
        EXPECT_FALSE(v.U.onHeap());
        EXPECT_FALSE(v.V.onHeap());
    }
}

}  // namespace
}  // namespace tess

#include <gtest/gtest.h>

#include "common/sample_models.h"
#include "mdx/mdx_checks.h"
#include "mdx_test_support.h"

namespace tess::testing {
namespace {

// The rich sample plus what it leaves out and MDX keeps: a layer on coordinate set 2 and
// a light whose node has its own keyed visibility.
Model mdxRichModel() {
    Model m = makeRichModel();
    Layer second;
    second.CoordId = 2;
    second.TextureID.staticValue = 1;
    m.Materials[1].Layers.push_back(second);
    TrackKey<float> on{0, 1.0f, {}, {}};
    TrackKey<float> off{250, 0.0f, {}, {}};
    m.Lights[0].node.Visibility.keys = {on, off};
    return m;
}

TEST(MdxRoundTrip, RichModelReadsBackEqualAndRewritesByteIdentical) {
    const Model original = mdxRichModel();
    const std::vector<std::uint8_t> first = writeOrFail(original);
    const ReadResult read = readBytes(first);
    EXPECT_TRUE(read.checks.empty());
    EXPECT_TRUE(read.model == original);
    EXPECT_EQ(read.model.Materials[1].Layers[1].CoordId, 2u);
    EXPECT_EQ(read.model.Lights[0].node.Visibility.keys.size(), 2u);
    EXPECT_EQ(writeOrFail(read.model), first);
}

TEST(MdxRoundTrip, ChunksComeInTheFixedOrderAndEachTagIsTraced) {
    const std::vector<std::uint8_t> bytes = writeOrFail(mdxRichModel());
    const std::vector<std::string> expected = {"VERS", "MODL", "SEQS", "GLBS", "MTLS", "TEXS", "TXAN",
                                               "GEOS", "GEOA", "BONE", "LITE", "HELP", "ATCH", "PIVT",
                                               "PREM", "PRE2", "RIBB", "CAMS", "EVTS", "CLID"};
    EXPECT_EQ(chunkTags(bytes), expected);
    EXPECT_EQ(chunksOf(bytes).back().end(), bytes.size());
    std::string trace = "Tag: MDLX\n";
    for (const std::string& tag : expected) trace += "Tag: " + tag + "\n";
    EXPECT_EQ(readBytes(bytes).trace, trace);
}

// One layer and one texture animation per interpolation type, so every value kind is
// written and read with and without tangents.
Model everyTrackKindModel() {
    Model m;
    Material material;
    for (std::int32_t type : {DontInterp, Linear, Hermite, Bezier}) {
        Layer layer;
        layer.Alpha.interpolationType = type;
        layer.Alpha.GlobalSeqId = type - 1;
        layer.Alpha.keys = {{0, 0.5f, 0.25f, 0.75f}, {100, 1.0f, 1.25f, 1.5f}};
        layer.TextureID.interpolationType = type < Hermite ? type : Linear;
        layer.TextureID.keys = {{0, 3u, 0u, 0u}, {50, 4u, 0u, 0u}};
        material.Layers.push_back(layer);

        TextureAnim anim;
        anim.Translation.interpolationType = type;
        anim.Translation.keys = {{10, Vec3{1, 2, 3}, Vec3{4, 5, 6}, Vec3{7, 8, 9}}};
        anim.Rotation.interpolationType = type;
        anim.Rotation.keys = {{20, Quat{0.5f, 0.5f, 0.5f, 0.5f}, Quat{1, 0, 0, 0}, Quat{0, 1, 0, 0}}};
        anim.Scaling.interpolationType = type;
        anim.Scaling.keys = {{30, Vec3{2, 2, 2}, Vec3{-1, -2, -3}, Vec3{0.5f, 0.25f, 0.125f}}};
        m.TextureAnims.push_back(anim);
    }
    m.Materials = {material};
    return m;
}

// Tangents read from a type without them carry no meaning; the file has none to give.
template <class V>
void dropMeaninglessTangents(Track<V>& track) {
    if (hasTangents(track.interpolationType)) return;
    for (TrackKey<V>& key : track.keys) key.InTan = key.OutTan = V{};
}

TEST(MdxRoundTrip, EveryTrackKindAndInterpolationTypeSurvives) {
    Model original = everyTrackKindModel();
    const std::vector<std::uint8_t> bytes = writeOrFail(original);
    const ReadResult read = readBytes(bytes);
    EXPECT_TRUE(read.checks.empty());
    for (Layer& layer : original.Materials[0].Layers) dropMeaninglessTangents(layer.Alpha);
    for (TextureAnim& anim : original.TextureAnims) {
        dropMeaninglessTangents(anim.Translation);
        dropMeaninglessTangents(anim.Rotation);
        dropMeaninglessTangents(anim.Scaling);
    }
    EXPECT_TRUE(read.model == original);

    // Texture animations: inclusive size 4, then three tracks of one key each.
    const ChunkSpan txan = chunkNamed(bytes, "TXAN");
    EXPECT_EQ(txan.size, 4 * (4 + 3 * 16) + 2 * (16 + 20 + 16) + 2 * (40 + 52 + 40));
}

TEST(MdxRoundTrip, IntegerTrackWithTangentsIsReportedButStaysInStep) {
    Model m;
    Material material;
    Layer hermite;
    hermite.TextureID.interpolationType = Hermite;
    hermite.TextureID.keys = {{0, 1u, 2u, 3u}, {10, 4u, 5u, 6u}};
    Layer after;
    after.FilterMode = 3;
    after.Alpha.keys = {{0, 0.5f, {}, {}}};
    material.Layers = {hermite, after};
    m.Materials = {material};
    m.Textures = {Texture{}};

    const std::vector<std::uint8_t> bytes = writeOrFail(m);
    // The integer track is written with tangents: 16 + 2 keys x 16.
    EXPECT_EQ(u32At(bytes, chunkNamed(bytes, "MTLS").body() + 20), 28u + 16 + 2 * 16);
    const ReadResult read = readBytes(bytes);
    EXPECT_EQ(read.checks, std::vector<int>{kMdxIntegerTangents});
    EXPECT_TRUE(read.model == m);
}

TEST(MdxRoundTrip, UnknownCollisionShapeTypeIsReportedAndKeepsItsSecondVertex) {
    Model m;
    CollisionShape shape;
    shape.shapeType = 1;
    shape.vertex1 = {1, 2, 3};
    shape.vertex2 = {4, 5, 6};
    m.CollisionShapes = {shape};
    std::vector<std::uint8_t> bytes;
    RecordingReportSink reports;
    ASSERT_TRUE(writeMdx(m, bytes, reports).ok);
    EXPECT_EQ(reports.checks, std::vector<int>{kMdxUnknownCollisionShape});
    EXPECT_EQ(chunkNamed(bytes, "CLID").size, 96u + 4 + 12 + 12);
    const ReadResult read = readBytes(bytes);
    EXPECT_TRUE(read.checks.empty());
    EXPECT_TRUE(read.model.CollisionShapes == m.CollisionShapes);
}

TEST(MdxRoundTrip, LargeGeneratedModelSurvives) {
    const Model original = makeLargeModel(2, 3000, 10, 5);
    const std::vector<std::uint8_t> bytes = writeOrFail(original);
    const ReadResult read = readBytes(bytes);
    EXPECT_TRUE(read.checks.empty());
    EXPECT_TRUE(read.model == original);
}

}  // namespace
}  // namespace tess::testing

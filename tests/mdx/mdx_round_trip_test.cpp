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
    m.Materials[1].Layers.push_back(Layer{});
    m.Materials[1].Layers.back().CoordId = 2;
    m.Lights[0].node.Visibility.keys = {{0, 1.0f, {}, {}}, {250, 0.0f, {}, {}}};
    return m;
}

TEST(MdxRoundTrip, ModelsReadBackEqualAndRewriteByteIdentical) {
    for (const Model& original : {mdxRichModel(), makeLargeModel(2, 3000, 10, 5)}) {
        const std::vector<std::uint8_t> first = writeOrFail(original);
        const ReadResult read = readBytes(first);
        EXPECT_TRUE(read.checks.empty());
        EXPECT_TRUE(read.model == original);
        EXPECT_EQ(writeOrFail(read.model), first);
    }
}

TEST(MdxRoundTrip, ChunksComeInTheFixedOrderAndEachTagIsTraced) {
    // An empty model still has the header chunks and empty SEQS, TEXS and PIVT, nothing else.
    const std::vector<std::uint8_t> empty = writeOrFail(Model{});
    EXPECT_EQ(readBytes(empty).trace, "Tag: MDLX\nTag: VERS\nTag: MODL\nTag: SEQS\nTag: TEXS\nTag: PIVT\n");
    EXPECT_EQ(empty.size(), 4 + (8 + 4) + (8 + 372) + 3 * 8u);
    EXPECT_EQ(u32At(empty, 12), 800u);

    const Model rich = mdxRichModel();
    const std::vector<std::uint8_t> bytes = writeOrFail(rich);
    std::string trace = "Tag: MDLX\n";
    for (const char* tag : {"VERS", "MODL", "SEQS", "GLBS", "MTLS", "TEXS", "TXAN", "GEOS", "GEOA", "BONE",
                            "LITE", "HELP", "ATCH", "PIVT", "PREM", "PRE2", "RIBB", "CAMS", "EVTS", "CLID"})
        trace += "Tag: " + std::string(tag) + "\n";
    EXPECT_EQ(readBytes(bytes).trace, trace);
    EXPECT_EQ(chunksOf(bytes).size(), 20u);
    EXPECT_EQ(chunksOf(bytes).back().end(), bytes.size());
    EXPECT_EQ(chunkNamed(bytes, "SEQS").size, 132 * rich.Sequences.size());
    EXPECT_EQ(chunkNamed(bytes, "TEXS").size, 268 * rich.Textures.size());
    EXPECT_EQ(chunkNamed(bytes, "PIVT").size, 12 * rich.PivotPoints.size());
    EXPECT_EQ(chunkNamed(bytes, "GLBS").size, 4 * rich.GlobalSequences.size());
}

TEST(MdxRoundTrip, EveryTrackKindAndInterpolationTypeSurvives) {
    // One layer and one texture animation per interpolation type, so every value kind is
    // written and read with and without tangents. Integer tracks with tangents are
    // reported but written and read in step.
    Model m;
    Material& material = m.Materials.emplace_back();
    for (std::int32_t type : {DontInterp, Linear, Hermite, Bezier}) {
        // Tangents of a type without them are not stored: they read back as zero.
        const auto tan = [type](auto value) { return hasTangents(type) ? value : decltype(value){}; };
        Layer& layer = material.Layers.emplace_back();
        layer.Alpha.interpolationType = type;
        layer.Alpha.GlobalSeqId = type - 1;
        layer.Alpha.keys = {{0, 0.5f, tan(0.25f), tan(0.75f)}, {100, 1.0f, tan(1.25f), tan(1.5f)}};
        layer.TextureID.interpolationType = type;
        layer.TextureID.keys = {{0, 3u, tan(1u), tan(2u)}, {50, 4u, tan(5u), tan(6u)}};

        TextureAnim& anim = m.TextureAnims.emplace_back();
        anim.Translation.interpolationType = anim.Rotation.interpolationType =
            anim.Scaling.interpolationType = type;
        anim.Translation.keys = {{10, Vec3{1, 2, 3}, tan(Vec3{4, 5, 6}), tan(Vec3{7, 8, 9})}};
        anim.Rotation.keys = {
            {20, Quat{0.5f, 0.5f, 0.5f, 0.5f}, tan(Quat{1, 0, 0, 0}), tan(Quat{0, 1, 0, 0})}};
        anim.Scaling.keys = {{30, Vec3{2, 2, 2}, tan(Vec3{-1, -2, -3}), tan(Vec3{0.5f, 0.25f, 0.125f})}};
    }
    const std::vector<std::uint8_t> bytes = writeOrFail(m);
    const ReadResult read = readBytes(bytes);
    EXPECT_EQ(read.checks, std::vector<int>(2, kMdxIntegerTangents));
    EXPECT_TRUE(read.model == m);

    // Keys: float and integer 8 or 16 bytes, vector 16 or 40, quaternion 20 or 52.
    EXPECT_EQ(chunkNamed(bytes, "MTLS").size, 20 + 4 * (28 + 2 * 16) + 2 * (2 * 2 * 8 + 2 * 2 * 16));
    EXPECT_EQ(chunkNamed(bytes, "TXAN").size, 4 * (4 + 3 * 16) + 2 * (16 + 20 + 16) + 2 * (40 + 52 + 40));
}

TEST(MdxRoundTrip, UnknownCollisionShapeTypeIsReportedAndKeepsItsSecondVertex) {
    Model m;
    m.CollisionShapes = {CollisionShape{}};
    m.CollisionShapes[0].shapeType = 1;
    m.CollisionShapes[0].vertex2 = {4, 5, 6};
    std::vector<std::uint8_t> bytes;
    RecordingReportSink reports;
    ASSERT_TRUE(writeMdx(m, bytes, reports).ok);
    EXPECT_EQ(reports.checks, std::vector<int>{kMdxUnknownCollisionShape});
    EXPECT_EQ(chunkNamed(bytes, "CLID").size, 96u + 4 + 12 + 12);
    const ReadResult read = readBytes(bytes);
    EXPECT_TRUE(read.checks.empty());
    EXPECT_TRUE(read.model.CollisionShapes == m.CollisionShapes);
}

Geoset geosetWithVertices(std::size_t count) {
    Geoset g;
    g.Vertices.resize(count);
    g.corners = {0, 1, 2};
    g.resetTriangleRecords();
    return g;
}

TEST(MdxWriterRefusal, ValuesThatDoNotFitAreRefusedNamingTheGeosetAndAppendNothing) {
    Model vertices = makeRichModel();
    vertices.Geosets.push_back(geosetWithVertices(65537));
    vertices.Geosets.push_back(geosetWithVertices(70000));
    Model corner;
    corner.Geosets = {geosetWithVertices(3), geosetWithVertices(3)};
    corner.Geosets[1].corners = {0, 65536, 1};
    Model group;
    group.Geosets = {geosetWithVertices(3)};
    group.Geosets[0].Vertices[1].vertexGroup = 256;
    const std::vector<std::pair<const Model*, std::string>> cases = {
        {&vertices, "Geoset 3 has 65537 vertices; MDX can store at most 65536 per geoset."},
        {&corner, "Geoset 2 has corner index 65536; MDX can store corner indices up to 65535."},
        {&group, "Geoset 1 has vertex group 256; MDX can store vertex groups up to 255."},
    };
    for (const auto& [model, error] : cases) {
        std::vector<std::uint8_t> out = {1, 2, 3};
        RecordingReportSink reports;
        const MdxWriteResult result = writeMdx(*model, out, reports);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, error);
        EXPECT_EQ(out, (std::vector<std::uint8_t>{1, 2, 3}));
        EXPECT_TRUE(reports.checks.empty());
    }
}

TEST(MdxWriterRefusal, LargestStorableValuesAreWrittenAndReadBack) {
    Model m;
    m.Geosets = {geosetWithVertices(65536)};
    Geoset& g = m.Geosets[0];
    g.corners = {65535, 0, 32768};
    g.Vertices[65535].vertexGroup = 255;
    g.Vertices[3].vertexGroup = 128;
    g.Vertices[0].U = g.Vertices[0].V = {0.5f, 0.75f};
    const std::vector<std::uint8_t> bytes = writeOrFail(m);
    // The first vertex sets the number of coordinate sets; the others, holding none, get zeros.
    for (std::size_t i = 1; i < g.Vertices.size(); ++i) g.Vertices[i].U = g.Vertices[i].V = {0.0f, 0.0f};
    const ReadResult read = readBytes(bytes);
    EXPECT_TRUE(read.checks.empty());
    EXPECT_TRUE(read.model.Geosets == m.Geosets);
}

}  // namespace
}  // namespace tess::testing

#include <gtest/gtest.h>

#include "common/sample_models.h"
#include "mdx_test_support.h"

namespace tess::testing {
namespace {

TEST(MdxLayout, EmptyModelHasHeaderChunksAndEmptyFixedChunksOnly) {
    const std::vector<std::uint8_t> bytes = writeOrFail(Model{});
    EXPECT_EQ(textAt(bytes, 0, 4), "MDLX");
    EXPECT_EQ(chunkTags(bytes), (std::vector<std::string>{"VERS", "MODL", "SEQS", "TEXS", "PIVT"}));
    EXPECT_EQ(chunkNamed(bytes, "VERS").size, 4u);
    EXPECT_EQ(u32At(bytes, chunkNamed(bytes, "VERS").body()), 800u);
    EXPECT_EQ(chunkNamed(bytes, "MODL").size, 372u);
    for (const char* tag : {"SEQS", "TEXS", "PIVT"}) EXPECT_EQ(chunkNamed(bytes, tag).size, 0u) << tag;
    EXPECT_EQ(bytes.size(), 4 + 12 + 380 + 3 * 8u);
}

TEST(MdxLayout, FixedRecordChunksHoldTheirRecordSizeTimesCount) {
    const Model rich = makeRichModel();
    const std::vector<std::uint8_t> bytes = writeOrFail(rich);
    EXPECT_EQ(chunkNamed(bytes, "SEQS").size, 132 * rich.Sequences.size());
    EXPECT_EQ(chunkNamed(bytes, "TEXS").size, 268 * rich.Textures.size());
    EXPECT_EQ(chunkNamed(bytes, "PIVT").size, 12 * rich.PivotPoints.size());
    EXPECT_EQ(chunkNamed(bytes, "GLBS").size, 4 * rich.GlobalSequences.size());
}

TEST(MdxLayout, ModelNameFieldCarriesTheMark) {
    Model m;
    m.Name = "Untitled";
    m.BlendTime = 150;
    const std::vector<std::uint8_t> bytes = writeOrFail(m);
    const std::size_t body = chunkNamed(bytes, "MODL").body();
    EXPECT_EQ(textAt(bytes, body, 8), "Untitled");
    for (std::size_t i = 8; i < 332; ++i) ASSERT_EQ(bytes[body + i], 0) << i;
    EXPECT_EQ(textAt(bytes, body + 332, 3), "KWZ");
    EXPECT_EQ(bytes[body + 335], 0);
    EXPECT_EQ(u32At(bytes, body + 336), 0u);
    EXPECT_EQ(u32At(bytes, body + 368), 150u);
    EXPECT_EQ(readBytes(bytes).model.Name, "Untitled");
}

TEST(MdxLayout, LongStringsAreCutToKeepTheTerminatingZero) {
    Model m;
    Sequence s;
    s.Name = std::string(100, 'a');
    s.IntervalStart = 7;
    m.Sequences = {s};
    Texture t;
    t.Image = std::string(256, 'b');
    m.Textures = {t};
    const std::vector<std::uint8_t> bytes = writeOrFail(m);
    const std::size_t seq = chunkNamed(bytes, "SEQS").body();
    EXPECT_EQ(textAt(bytes, seq, 79), std::string(79, 'a'));
    EXPECT_EQ(bytes[seq + 79], 0);
    EXPECT_EQ(u32At(bytes, seq + 80), 7u);
    const ReadResult read = readBytes(bytes);
    EXPECT_EQ(read.model.Sequences[0].Name, std::string(79, 'a'));
    EXPECT_EQ(read.model.Textures[0].Image, std::string(255, 'b'));

    // The model name: no room for the mark once the name reaches width - 5.
    for (const auto& [length, marked] : {std::pair{330u, true}, {331u, false}, {400u, false}}) {
        m.Name = std::string(length, 'n');
        const std::vector<std::uint8_t> named = writeOrFail(m);
        const std::size_t body = chunkNamed(named, "MODL").body();
        EXPECT_EQ(textAt(named, body + 332, 3) == "KWZ", marked) << length;
        EXPECT_EQ(named[body + 335], 0) << length;
        EXPECT_EQ(readBytes(named).model.Name.size(), std::min<std::size_t>(length, 335)) << length;
    }
}

TEST(MdxLayout, IgnoredWordsAreWrittenZeroAndEventGlobalSequenceAllOnes) {
    Model m = makeRichModel();
    m.Sequences[0].Rarity = 0.5f;
    m.RibbonEmitters[0].TextureSlot.staticValue = 7;
    const std::vector<std::uint8_t> bytes = writeOrFail(m);
    EXPECT_EQ(u32At(bytes, chunkNamed(bytes, "SEQS").body() + 100), 0u);
    EXPECT_EQ(f32At(bytes, chunkNamed(bytes, "SEQS").body() + 96), 0.5f);
    EXPECT_EQ(u32At(bytes, chunkNamed(bytes, "TEXS").body() + 260), 0u);

    // Attachment: size, node (its only track, KATV, is written after the attachment's fields).
    const std::size_t atch = chunkNamed(bytes, "ATCH").body();
    EXPECT_EQ(u32At(bytes, atch + 4), 96u);  // node size without the visibility track
    EXPECT_EQ(textAt(bytes, atch + 4 + 96, 17), "Weapons\\Sword.mdl");
    EXPECT_EQ(u32At(bytes, atch + 4 + 96 + 256), 0u);
    EXPECT_EQ(u32At(bytes, atch + 4 + 96 + 260), 0u);  // AttachmentID 0
    EXPECT_EQ(textAt(bytes, atch + 4 + 96 + 264, 4), "KATV");

    // Particle emitter: the word after its path.
    const std::size_t prem = chunkNamed(bytes, "PREM").body();
    const std::size_t premNode = u32At(bytes, prem + 4);
    EXPECT_EQ(textAt(bytes, prem + 4 + premNode + 16, 9), "Smoke.mdl");
    EXPECT_EQ(u32At(bytes, prem + 4 + premNode + 16 + 256), 0u);

    // Ribbon: the texture slot word, between LifeSpan and EmissionRate.
    const std::size_t ribb = chunkNamed(bytes, "RIBB").body();
    const std::size_t fixed = ribb + 4 + u32At(bytes, ribb + 4);
    EXPECT_EQ(f32At(bytes, fixed + 24), 0.5f);  // LifeSpan
    EXPECT_EQ(u32At(bytes, fixed + 28), 0u);
    EXPECT_EQ(u32At(bytes, fixed + 32), 30u);  // EmissionRate
    EXPECT_EQ(u32At(bytes, ribb + 4 + 92), kRibbonEmitterDefaultFlags);

    // Event object: node, KEVT, count, global sequence word, times.
    const std::size_t evts = chunkNamed(bytes, "EVTS").body();
    const std::size_t kevt = evts + u32At(bytes, evts);
    EXPECT_EQ(textAt(bytes, kevt, 4), "KEVT");
    EXPECT_EQ(u32At(bytes, kevt + 4), 3u);
    EXPECT_EQ(u32At(bytes, kevt + 8), 0xFFFFFFFFu);
    EXPECT_EQ(u32At(bytes, kevt + 12), 100u);
}

TEST(MdxLayout, FixedColoursAreStoredBlueGreenRedAndColourKeysInMemoryOrder) {
    Model m;
    GeosetAnim anim;
    anim.Color.staticValue = {0.25f, 0.5f, 0.75f};
    anim.Color.keys = {{0, Vec3{0.125f, 0.375f, 0.625f}, {}, {}}};
    m.GeosetAnims = {anim};
    ParticleEmitter2 sparks;
    sparks.SegmentColor = {Vec3{1, 2, 3}, Vec3{4, 5, 6}, Vec3{7, 8, 9}};
    sparks.Alpha = {10, 20, 30};
    m.ParticleEmitters2 = {sparks};
    Light light;
    light.Color.staticValue = {0.1f, 0.2f, 0.3f};
    light.AmbColor.staticValue = {0.4f, 0.5f, 0.6f};
    m.Lights = {light};
    const std::vector<std::uint8_t> bytes = writeOrFail(m);

    const std::size_t geoa = chunkNamed(bytes, "GEOA").body();
    EXPECT_EQ(f32At(bytes, geoa + 12), 0.75f);
    EXPECT_EQ(f32At(bytes, geoa + 16), 0.5f);
    EXPECT_EQ(f32At(bytes, geoa + 20), 0.25f);
    // KGAO has no keys, so KGAC follows the fixed part; its key value is red, green, blue.
    EXPECT_EQ(textAt(bytes, geoa + 28, 4), "KGAC");
    EXPECT_EQ(f32At(bytes, geoa + 28 + 16 + 4), 0.125f);
    EXPECT_EQ(f32At(bytes, geoa + 28 + 16 + 12), 0.625f);

    const std::size_t pre2 = chunkNamed(bytes, "PRE2").body() + 4 + 96;
    for (std::size_t c = 0; c < 3; ++c) {
        EXPECT_EQ(f32At(bytes, pre2 + 56 + 12 * c), sparks.SegmentColor[c][2]);
        EXPECT_EQ(f32At(bytes, pre2 + 56 + 12 * c + 8), sparks.SegmentColor[c][0]);
        EXPECT_EQ(bytes[pre2 + 92 + c], sparks.Alpha[c]);
    }
    EXPECT_EQ(chunkNamed(bytes, "PRE2").size, 4 + 96 + 171u);

    // Light: size, node, Type, AttenuationStart, AttenuationEnd, Color, Intensity, AmbColor.
    const std::size_t lite = chunkNamed(bytes, "LITE").body() + 4 + 96;
    EXPECT_EQ(f32At(bytes, lite + 12), 0.3f);
    EXPECT_EQ(f32At(bytes, lite + 20), 0.1f);
    EXPECT_EQ(f32At(bytes, lite + 28), 0.6f);
    EXPECT_EQ(f32At(bytes, lite + 36), 0.4f);
    EXPECT_EQ(chunkNamed(bytes, "LITE").size, 48 + 96u);

    const ReadResult read = readBytes(bytes);
    EXPECT_TRUE(read.model.GeosetAnims == m.GeosetAnims);
    EXPECT_TRUE(read.model.ParticleEmitters2 == m.ParticleEmitters2);
    EXPECT_TRUE(read.model.Lights == m.Lights);
}

TEST(MdxLayout, TrackAndRecordSizes) {
    Model m;
    Camera still;
    m.Cameras = {still};
    Bone bone;
    bone.node.Rotation.interpolationType = Bezier;
    bone.node.Rotation.keys = {{0, Quat{0, 0, 0, 1}, {}, {}}, {10, Quat{0, 0, 0, 1}, {}, {}}};
    Bone linear = bone;
    linear.node.Rotation.interpolationType = Linear;
    m.Bones = {bone, linear};
    Helper helper;
    helper.node.Translation.keys.resize(3);
    Helper hermite = helper;
    hermite.node.Translation.interpolationType = Hermite;
    m.Helpers = {helper, hermite};
    const std::vector<std::uint8_t> bytes = writeOrFail(m);

    EXPECT_EQ(chunkNamed(bytes, "CAMS").size, 120u);
    EXPECT_EQ(u32At(bytes, chunkNamed(bytes, "CAMS").body()), 120u);

    const std::size_t bones = chunkNamed(bytes, "BONE").body();
    EXPECT_EQ(u32At(bytes, bones), 96 + 16 + 2 * 52u);
    EXPECT_EQ(u32At(bytes, bones + 96 + 16 + 2 * 52 + 8), 96 + 16 + 2 * 20u);
    EXPECT_EQ(chunkNamed(bytes, "BONE").size, (96 + 16 + 2 * 52 + 8) + (96 + 16 + 2 * 20 + 8u));

    const std::size_t helpers = chunkNamed(bytes, "HELP").body();
    EXPECT_EQ(u32At(bytes, helpers), 96 + 16 + 3 * 16u);
    EXPECT_EQ(u32At(bytes, helpers + 96 + 16 + 3 * 16), 96 + 16 + 3 * 40u);
}

TEST(MdxLayout, GeosetSizeFollowsItsContents) {
    Model m = makeRichModel();
    Geoset& g = m.Geosets[0];  // 4 vertices, 6 corners, groups {0} {0 1}, 2 extents, 2 sets
    const std::size_t n = 4, c = 6, groups = 2, entries = 3, extents = 2, sets = 2;
    const std::size_t body =
        124 + 24 * n + 2 * c + n + 4 * groups + 4 * entries + 28 * extents + sets * (8 + 8 * n);
    m.Geosets.resize(1);
    const std::vector<std::uint8_t> bytes = writeOrFail(m);
    const ChunkSpan geos = chunkNamed(bytes, "GEOS");
    EXPECT_EQ(geos.size, 4 + body);
    EXPECT_EQ(u32At(bytes, geos.body()), 4 + body);
    // The primitive blocks: one triangle list holding every corner.
    const std::size_t ptyp = geos.body() + 4 + 8 + 12 * n + 8 + 12 * n;
    EXPECT_EQ(textAt(bytes, ptyp, 4), "PTYP");
    EXPECT_EQ(u32At(bytes, ptyp + 4), 1u);
    EXPECT_EQ(u32At(bytes, ptyp + 8), 4u);
    EXPECT_EQ(textAt(bytes, ptyp + 12, 4), "PCNT");
    EXPECT_EQ(u32At(bytes, ptyp + 20), c);
    EXPECT_TRUE(readBytes(bytes).model.Geosets[0] == g);
}

}  // namespace
}  // namespace tess::testing

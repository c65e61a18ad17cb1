#include <gtest/gtest.h>

#include "common/sample_models.h"
#include "mdx_test_support.h"

namespace tess::testing {
namespace {

TEST(MdxLayout, ModelNameKeepsATerminatingZeroAndCarriesTheMarkWhenItFits) {
    Model m;
    m.BlendTime = 150;
    for (const std::size_t length : {8u, 330u, 331u, 400u}) {
        m.Name = length == 8 ? "Untitled" : std::string(length, 'n');
        const std::vector<std::uint8_t> bytes = writeOrFail(m);
        const std::size_t body = chunkNamed(bytes, "MODL").body();
        for (std::size_t i = m.Name.size(); i < 332; ++i) ASSERT_EQ(bytes[body + i], 0) << i;
        EXPECT_EQ(textAt(bytes, body + 332, 3) == "KWZ", length <= 330) << length;
        EXPECT_EQ(bytes[body + 335], 0) << length;
        EXPECT_EQ(u32At(bytes, body + 336), 0u);
        EXPECT_EQ(u32At(bytes, body + 368), 150u);
        EXPECT_EQ(readBytes(bytes).model.Name, m.Name.substr(0, 335)) << length;
    }
}

TEST(MdxLayout, IgnoredWordsAreWrittenZeroAndEventGlobalSequenceAllOnes) {
    Model m = makeRichModel();
    m.Textures[0].flags = WrapHeight;
    m.RibbonEmitters[0].TextureSlot.staticValue = 7;
    const std::vector<std::uint8_t> bytes = writeOrFail(m);
    const std::size_t seqs = chunkNamed(bytes, "SEQS").body();
    EXPECT_EQ(u32At(bytes, seqs + 100), 0u);  // after Rarity
    EXPECT_EQ(u32At(bytes, chunkNamed(bytes, "TEXS").body() + 260), 0u);

    // Attachment: size, node without its visibility, path, word, AttachmentID, then KATV.
    const std::size_t atch = chunkNamed(bytes, "ATCH").body() + 4;
    EXPECT_EQ(u32At(bytes, atch), 96u);
    EXPECT_EQ(textAt(bytes, atch + 96, 17), "Weapons\\Sword.mdl");
    EXPECT_EQ(u32At(bytes, atch + 96 + 256), 0u);
    EXPECT_EQ(textAt(bytes, atch + 96 + 264, 4), "KATV");

    const std::size_t prem = chunkNamed(bytes, "PREM").body() + 4;
    EXPECT_EQ(textAt(bytes, prem + u32At(bytes, prem) + 16, 9), "Smoke.mdl");
    EXPECT_EQ(u32At(bytes, prem + u32At(bytes, prem) + 16 + 256), 0u);

    // Ribbon: its flags word in the node, the texture slot word between LifeSpan and EmissionRate.
    const std::size_t ribb = chunkNamed(bytes, "RIBB").body() + 4;
    EXPECT_EQ(u32At(bytes, ribb + 92), kRibbonEmitterDefaultFlags);
    EXPECT_EQ(u32At(bytes, ribb + u32At(bytes, ribb) + 28), 0u);

    // Event object: node, KEVT, count, global sequence word, times.
    const std::size_t evts = chunkNamed(bytes, "EVTS").body();
    EXPECT_EQ(textAt(bytes, evts + u32At(bytes, evts), 4), "KEVT");
    EXPECT_EQ(u32At(bytes, evts + u32At(bytes, evts) + 8), 0xFFFFFFFFu);
}

TEST(MdxLayout, FixedColoursAreStoredBlueGreenRedAndColourKeysInMemoryOrder) {
    Model m;
    m.GeosetAnims = {GeosetAnim{}};
    m.GeosetAnims[0].Color.staticValue = {0.25f, 0.5f, 0.75f};
    m.GeosetAnims[0].Color.keys = {{0, Vec3{0.125f, 0.375f, 0.625f}, {}, {}}};
    m.ParticleEmitters2 = {ParticleEmitter2{}};
    m.ParticleEmitters2[0].SegmentColor = {Vec3{1, 2, 3}, Vec3{4, 5, 6}, Vec3{7, 8, 9}};
    m.ParticleEmitters2[0].Alpha = {10, 20, 30};
    m.Lights = {Light{}};
    m.Lights[0].Color.staticValue = {0.1f, 0.2f, 0.3f};
    m.Lights[0].AmbColor.staticValue = {0.4f, 0.5f, 0.6f};
    m.RibbonEmitters = {RibbonEmitter{}};
    m.RibbonEmitters[0].Color.staticValue = {11, 12, 13};
    m.Cameras = {Camera{}};
    const std::vector<std::uint8_t> bytes = writeOrFail(m);
    const auto expectBgr = [&bytes](std::size_t at, const Vec3& colour) {
        EXPECT_EQ((Vec3{f32At(bytes, at + 8), f32At(bytes, at + 4), f32At(bytes, at)}), colour) << at;
    };

    const std::size_t geoa = chunkNamed(bytes, "GEOA").body();
    expectBgr(geoa + 12, m.GeosetAnims[0].Color.staticValue);
    EXPECT_EQ(textAt(bytes, geoa + 28, 4), "KGAC");
    EXPECT_EQ(f32At(bytes, geoa + 28 + 16 + 4), 0.125f);
    EXPECT_EQ(f32At(bytes, geoa + 28 + 16 + 12), 0.625f);
    const std::size_t pre2 = chunkNamed(bytes, "PRE2").body() + 4 + 96;
    for (std::size_t c = 0; c < 3; ++c) {
        expectBgr(pre2 + 56 + 12 * c, m.ParticleEmitters2[0].SegmentColor[c]);
        EXPECT_EQ(bytes[pre2 + 92 + c], m.ParticleEmitters2[0].Alpha[c]);
    }
    // Light: size, node, Type, AttenuationStart, AttenuationEnd, Color, Intensity, AmbColor.
    const std::size_t lite = chunkNamed(bytes, "LITE").body() + 4 + 96;
    expectBgr(lite + 12, m.Lights[0].Color.staticValue);
    expectBgr(lite + 28, m.Lights[0].AmbColor.staticValue);
    expectBgr(chunkNamed(bytes, "RIBB").body() + 4 + 96 + 12, m.RibbonEmitters[0].Color.staticValue);
    EXPECT_TRUE(readBytes(bytes).model == m);

    // The fixed parts alone: a record without keyed tracks has exactly these sizes.
    EXPECT_EQ(chunkNamed(bytes, "PRE2").size, 4 + 96 + 171u);
    EXPECT_EQ(chunkNamed(bytes, "LITE").size, 48 + 96u);
    EXPECT_EQ(chunkNamed(bytes, "RIBB").size, 4 + 96 + 52u);
    EXPECT_EQ(chunkNamed(bytes, "CAMS").size, 120u);
    EXPECT_EQ(u32At(bytes, chunkNamed(bytes, "CAMS").body()), 120u);
}

// Gives each track one key whose time is its place in the list, from 1.
template <class... V>
void keyInOrder(Track<V>&... tracks) {
    std::int32_t time = 0;
    ((tracks.keys = {TrackKey<V>{++time, {}, {}, {}}}), ...);
}

TEST(MdxLayout, EveryRecordWritesItsTracksUnderTheirTagsInFileOrder) {
    Model m;
    Layer& y = m.Materials.emplace_back().Layers.emplace_back();
    keyInOrder(y.Alpha, y.TextureID);
    TextureAnim& t = m.TextureAnims.emplace_back();
    keyInOrder(t.Translation, t.Rotation, t.Scaling);
    GeosetAnim& g = m.GeosetAnims.emplace_back();
    keyInOrder(g.Alpha, g.Color);
    for (Node* n :
         {&m.Bones.emplace_back().node, &m.Helpers.emplace_back().node, &m.Attachments.emplace_back().node,
          &m.EventObjects.emplace_back().node, &m.CollisionShapes.emplace_back().node})
        keyInOrder(n->Translation, n->Rotation, n->Scaling, n->Visibility);
    Light& l = m.Lights.emplace_back();
    keyInOrder(l.node.Translation, l.node.Rotation, l.node.Scaling, l.node.Visibility, l.AttenuationStart,
               l.AttenuationEnd, l.Intensity, l.Visibility, l.Color, l.AmbColor, l.AmbIntensity);
    ParticleEmitter& p = m.ParticleEmitters.emplace_back();
    keyInOrder(p.node.Translation, p.node.Rotation, p.node.Scaling, p.EmissionRate, p.Gravity, p.Longitude,
               p.Latitude, p.LifeSpan, p.InitVelocity, p.Visibility);
    ParticleEmitter2& q = m.ParticleEmitters2.emplace_back();
    keyInOrder(q.node.Translation, q.node.Rotation, q.node.Scaling, q.Speed, q.Variation, q.Latitude,
               q.Gravity, q.EmissionRate, q.Visibility, q.Length, q.Width);
    RibbonEmitter& r = m.RibbonEmitters.emplace_back();
    keyInOrder(r.node.Translation, r.node.Rotation, r.node.Scaling, r.HeightAbove, r.HeightBelow, r.Alpha,
               r.Color, r.Visibility, r.TextureSlot);
    Camera& c = m.Cameras.emplace_back();
    keyInOrder(c.Translation, c.Rotation, c.TargetTranslation);
    // Emitter nodes have no place for a visibility track.
    for (Node* n : {&p.node, &q.node, &r.node}) n->Visibility.keys = {{99, 1.0f, {}, {}}};

    const std::string node = "KGTR KGRT KGSC ";
    std::vector<std::pair<std::string, std::string>> expected = {
        {"MTLS", "KMTA KMTF "},
        {"TXAN", "KTAT KTAR KTAS "},
        {"GEOA", "KGAO KGAC "},
        {"LITE", node + "KATV KLAS KLAE KLAI KLAV KLAC KLBC KLBI "},
        {"PREM", node + "KPEE KPEG KPLN KPLT KPEL KPES KPEV "},
        {"PRE2", node + "KP2S KP2R KP2L KP2G KP2E KP2V KP2N KP2W "},
        {"RIBB", node + "KRHA KRHB KRAL KRCO KRVS KRTX "},
        {"CAMS", "KCTR KCRL KTTR "},
    };
    for (const char* tag : {"BONE", "HELP", "ATCH", "EVTS", "CLID"})
        expected.push_back({tag, node + "KATV "});
    const std::vector<std::uint8_t> bytes = writeOrFail(m);
    for (const auto& [tag, tracks] : expected) {
        // A track here is a 'K' tag and a key count of 1; its key's time tells which field it holds.
        const ChunkSpan chunk = chunkNamed(bytes, tag);
        std::string found;
        for (std::size_t at = chunk.body(), time = 1; at + 20 <= chunk.end(); ++at) {
            if (bytes[at] != 'K' || u32At(bytes, at + 4) != 1 || textAt(bytes, at, 4) == "KEVT") continue;
            EXPECT_EQ(u32At(bytes, at + 16), time++) << tag << " " << textAt(bytes, at, 4);
            found += textAt(bytes, at, 4) + " ";
        }
        EXPECT_EQ(found, tracks) << tag;
    }
}

TEST(MdxLayout, GeosetSizeFollowsItsContents) {
    Model m = makeRichModel();
    m.Geosets.resize(1);  // 4 vertices, 6 corners, groups {0} {0 1}, 2 extents, 2 sets
    const std::size_t n = 4, c = 6, groups = 2, entries = 3, extents = 2, sets = 2;
    const std::size_t body =
        124 + 24 * n + 2 * c + n + 4 * groups + 4 * entries + 28 * extents + sets * (8 + 8 * n);
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
    EXPECT_TRUE(readBytes(bytes).model.Geosets == m.Geosets);
}

}  // namespace
}  // namespace tess::testing

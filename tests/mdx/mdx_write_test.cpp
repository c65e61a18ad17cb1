#include <gtest/gtest.h>

#include "common/sample_models.h"
#include "mdx_test_support.h"

namespace tess::testing {
namespace {

TEST(MdxRoundTrip, ModelsReadBackEqualRewriteByteIdenticalAndTraceTheChunksInOrder) {
    // The rich sample, plus a layer on coordinate set 2, a light's node visibility and integer keys
    // with tangents (reported, but read in step).
    Model rich = makeRichModel();
    rich.Materials[1].Layers.push_back(Layer{});
    rich.Materials[1].Layers.back().CoordId = 2;
    rich.Lights[0].node.Visibility.keys = {{0, 1.0f, {}, {}}, {250, 0.0f, {}, {}}};
    rich.RibbonEmitters[0].TextureSlot.interpolationType = Bezier;
    rich.RibbonEmitters[0].TextureSlot.keys = {{0, 3u, 1u, 2u}, {50, 4u, 5u, 6u}};
    const Model large = makeLargeModel(2, 3000, 10, 5);
    for (const Model* original : std::vector<const Model*>{&rich, &large}) {
        const std::vector<std::uint8_t> first = writeOrFail(*original);
        const ReadResult read = readBytes(first);
        EXPECT_EQ(read.checks, std::vector<int>(original == &rich ? 1 : 0, kMdxIntegerTangents));
        EXPECT_TRUE(read.model == *original);
        EXPECT_EQ(writeOrFail(read.model), first);
    }
    std::string trace = "Tag: MDLX\n";
    for (const char* tag : {"VERS", "MODL", "SEQS", "GLBS", "MTLS", "TEXS", "TXAN", "GEOS", "GEOA", "BONE",
                            "LITE", "HELP", "ATCH", "PIVT", "PREM", "PRE2", "RIBB", "CAMS", "EVTS", "CLID"})
        trace += "Tag: " + std::string(tag) + "\n";
    EXPECT_EQ(readBytes(writeOrFail(rich)).trace, trace);
    // An empty model still has the header chunks and empty SEQS, TEXS and PIVT, nothing else.
    const std::vector<std::uint8_t> empty = writeOrFail(Model{});
    EXPECT_EQ(readBytes(empty).trace, "Tag: MDLX\nTag: VERS\nTag: MODL\nTag: SEQS\nTag: TEXS\nTag: PIVT\n");
    EXPECT_EQ(empty.size(), 4 + (8 + 4) + (8 + 372) + 3 * 8u);
}

Geoset geosetWithVertices(std::size_t count) {
    Geoset g;
    g.resizeVertices(count);
    g.corners = {0, 1, 2};
    return g;
}

TEST(MdxWriter, ValuesThatDoNotFitAreRefusedAndEdgeValuesAreWrittenSafely) {
    Model vertices = makeRichModel(), corner, group, m;
    vertices.Geosets.push_back(geosetWithVertices(65537));
    vertices.Geosets.push_back(geosetWithVertices(70000));
    corner.Geosets = {geosetWithVertices(3), geosetWithVertices(3)};
    corner.Geosets[1].corners = {0, 65536, 1};
    group.Geosets = {geosetWithVertices(3)};
    group.Geosets[0].vertexGroups[1] = 256;
    for (const auto& [model, error] : std::vector<std::pair<const Model*, std::string>>{
             {&vertices, "Geoset 3 has 65537 vertices; MDX can store at most 65536 per geoset."},
             {&corner, "Geoset 2 has corner index 65536; MDX can store corner indices up to 65535."},
             {&group, "Geoset 1 has vertex group 256; MDX can store vertex groups up to 255."}}) {
        std::vector<std::uint8_t> out = {1, 2, 3};  // a refusal appends nothing
        EXPECT_EQ(writeMdx(*model, out).entries,
                  (std::vector<Diagnostic>{{Severity::Error, 0, 0, {}, error}}));
        EXPECT_EQ(out, (std::vector<std::uint8_t>{1, 2, 3}));
    }

    m.Geosets = {geosetWithVertices(65536), geosetWithVertices(3), Geoset{}};
    m.Geosets[0].corners = {65535, 0, 32768};
    m.Geosets[0].vertexGroups[65535] = 255;
    // Arrays out of step, which a sound model never has: written with zeros, never read past.
    Geoset& ragged = m.Geosets[1];
    ragged.normals = {{0, 0, 1}};
    ragged.vertexGroups = {7};
    ragged.uvSets = {{{0.5f, 0.5f}, {0.25f, 0.25f}}, {}};
    // A collision shape neither box nor sphere keeps its second vertex; the writer warns.
    m.CollisionShapes = {CollisionShape{}};
    m.CollisionShapes[0].shapeType = 1;
    m.CollisionShapes[0].vertex2 = {4, 5, 6};
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(writeMdx(m, bytes).entries,
              (std::vector<Diagnostic>{{Severity::Warning, 2201, 0, {}, assertionText(2201)}}));
    const ReadResult read = readBytes(bytes);
    ragged.resizeVertices(3);
    EXPECT_TRUE(read.checks.empty() && read.model == m);
}

TEST(MdxLayout, FieldsAndFixedColoursHaveTheirPlaces) {
    Model m = makeRichModel();
    m.GeosetAnims[0].Color.staticValue = {0.25f, 0.5f, 0.75f};
    m.GeosetAnims[0].Color.keys = {{0, Vec3{0.125f, 0.375f, 0.625f}, {}, {}}};
    m.GeosetAnims[0].Alpha.keys.clear();
    const std::vector<std::uint8_t> bytes = writeOrFail(m);
    // A fixed colour is stored blue, green, red; a colour key in memory order.
    const auto floatAt = [&bytes](std::size_t at) { return std::bit_cast<float>(u32At(bytes, at)); };
    const std::size_t geoa = chunkBody(bytes, "GEOA");
    EXPECT_EQ((std::array{floatAt(geoa + 12), floatAt(geoa + 20), floatAt(geoa + 48), floatAt(geoa + 56)}),
              (std::array{0.75f, 0.25f, 0.125f, 0.625f}));
    // Geoset of 4 vertices: VRTX, NRMS, then one triangle list (PTYP 4) of all 6 corners (PCNT).
    const std::size_t ptyp = chunkBody(bytes, "GEOS") + 4 + 2 * (8 + 12 * 4);
    EXPECT_EQ(std::vector(bytes.begin() + ptyp, bytes.begin() + ptyp + 24),
              ByteBuilder().tag("PTYP").u32(1).u32(4).tag("PCNT").u32(1).u32(6).bytes);

    // The model name keeps a terminating zero and carries the mark "KWZ" when it fits.
    for (const std::size_t length : {8u, 330u, 331u, 400u}) {
        m.Name = length == 8 ? "Untitled" : std::string(length, 'n');
        const std::vector<std::uint8_t> image = writeOrFail(m);
        const std::size_t body = chunkBody(image, "MODL");
        for (std::size_t i = m.Name.size(); i < 332; ++i) ASSERT_EQ(image[body + i], 0) << i;
        EXPECT_EQ(textAt(image, body + 332, 3) == "KWZ", length <= 330) << length;
        EXPECT_EQ(image[body + 335] + u32At(image, body + 336), 0u) << length;
        EXPECT_EQ(readBytes(image).model.Name, m.Name.substr(0, 335));
    }
}

// Gives each track one key, its time the next count of `time`.
template <class... V>
void keyInOrder(std::int32_t& time, Track<V>&... tracks) {
    ((tracks.keys = {TrackKey<V>{++time, {}, {}, {}}}), ...);
}

TEST(MdxLayout, EveryRecordWritesItsTracksUnderTheirTagsInFileOrder) {
    // Every track keyed in the order the file holds them: key times count up through the file.
    Model m;
    std::int32_t t = 0;
    Layer& y = m.Materials.emplace_back().Layers.emplace_back();
    keyInOrder(t, y.Alpha, y.TextureID);
    TextureAnim& a = m.TextureAnims.emplace_back();
    keyInOrder(t, a.Translation, a.Rotation, a.Scaling);
    GeosetAnim& g = m.GeosetAnims.emplace_back();
    keyInOrder(t, g.Alpha, g.Color);
    const auto node = [&t](Node& n) { keyInOrder(t, n.Translation, n.Rotation, n.Scaling, n.Visibility); };
    node(m.Bones.emplace_back().node);
    Light& l = m.Lights.emplace_back();
    node(l.node);
    keyInOrder(t, l.AttenuationStart, l.AttenuationEnd, l.Intensity, l.Visibility, l.Color, l.AmbColor,
               l.AmbIntensity);
    node(m.Helpers.emplace_back().node);
    node(m.Attachments.emplace_back().node);
    // Emitter nodes have no place for a visibility track: it is not written.
    ParticleEmitter& p = m.ParticleEmitters.emplace_back();
    keyInOrder(t, p.node.Translation, p.node.Rotation, p.node.Scaling, p.EmissionRate, p.Gravity, p.Longitude,
               p.Latitude, p.LifeSpan, p.InitVelocity, p.Visibility);
    ParticleEmitter2& q = m.ParticleEmitters2.emplace_back();
    keyInOrder(t, q.node.Translation, q.node.Rotation, q.node.Scaling, q.Speed, q.Variation, q.Latitude,
               q.Gravity, q.EmissionRate, q.Visibility, q.Length, q.Width);
    RibbonEmitter& r = m.RibbonEmitters.emplace_back();
    keyInOrder(t, r.node.Translation, r.node.Rotation, r.node.Scaling, r.HeightAbove, r.HeightBelow, r.Alpha,
               r.Color, r.Visibility, r.TextureSlot);
    Camera& c = m.Cameras.emplace_back();
    keyInOrder(t, c.Translation, c.Rotation, c.TargetTranslation);
    node(m.EventObjects.emplace_back().node);
    node(m.CollisionShapes.emplace_back().node);
    for (Node* n : {&p.node, &q.node, &r.node}) n->Visibility.keys = {{99, 1.0f, {}, {}}};

    // A track is a 'K' tag and a key count of 1; its key's time tells which field it holds.
    const std::vector<std::uint8_t> bytes = writeOrFail(m);
    std::string found;
    for (std::size_t at = 4, time = 1; at + 20 <= bytes.size(); ++at) {
        if (bytes[at] != 'K' || u32At(bytes, at + 4) != 1 || textAt(bytes, at, 4) == "KEVT") continue;
        EXPECT_EQ(u32At(bytes, at + 16), time++) << textAt(bytes, at, 4);
        found += textAt(bytes, at, 4) + " ";
    }
    const std::string n = "KGTR KGRT KGSC ", v = n + "KATV ";
    EXPECT_EQ(found, "KMTA KMTF KTAT KTAR KTAS KGAO KGAC " + v + v + "KLAS KLAE KLAI KLAV KLAC KLBC KLBI " +
                         v + v + n + "KPEE KPEG KPLN KPLT KPEL KPES KPEV " + n +
                         "KP2S KP2R KP2L KP2G KP2E KP2V KP2N KP2W " + n +
                         "KRHA KRHB KRAL KRCO KRVS KRTX KCTR KCRL KTTR " + v + v);
}

}  // namespace
}  // namespace tess::testing

#include "common/sample_models.h"

#include <cstdint>
#include <tuple>
#include <type_traits>

namespace tess::testing {
namespace {

// Keys the track in place, so the static value its object's constructor chose stays.
template <class V>
void setKeys(Track<V>& track, std::int32_t type, std::int32_t globalSeq,
             std::initializer_list<std::pair<std::int32_t, std::type_identity_t<V>>> keys) {
    track.interpolationType = type;
    track.GlobalSeqId = globalSeq;
    int n = 0;
    for (const auto& [time, value] : keys) {
        TrackKey<V> key{time, value, {}, {}};
        if (hasTangents(type)) {
            if constexpr (std::is_same_v<V, float>) {
                key.InTan = value + 0.25f;
                key.OutTan = value - 0.5f;
            } else if constexpr (!std::is_same_v<V, std::uint32_t>) {
                for (std::size_t i = 0; i < key.InTan.size(); ++i) {
                    key.InTan[i] = value[i] + 0.125f * static_cast<float>(n + 1);
                    key.OutTan[i] = value[i] - 0.375f;
                }
            }
        }
        track.keys.push_back(key);
        ++n;
    }
}

Node makeNode(Node node, const char* name, std::uint32_t objectId, std::int32_t parent) {
    std::tie(node.Name, node.ObjectId, node.Parent) = std::tuple(name, objectId, parent);
    return node;
}

Geoset makeQuadGeoset(std::uint32_t material, float offset) {
    Geoset g;
    g.uvSets.resize(2);
    for (int i = 0; i < 4; ++i) {
        const float x = static_cast<float>(i % 2) + offset;
        const float y = static_cast<float>(i / 2);
        g.positions.push_back({x, y, -0.5f});
        g.normals.push_back({0, 0, 1});
        g.uvSets[0].push_back({x * 0.5f, y * 0.5f});
        g.uvSets[1].push_back({0.25f, 0.75f});
        g.vertexGroups.push_back(static_cast<std::uint32_t>(i % 2));
    }
    g.corners = {0, 1, 2, 2, 1, 3};
    g.matrixGroups = {{0}, {0, 1}};
    g.extents = {Extent{1.5f, {-1, -1, -1}, {1, 1, 1}}, Extent{2.5f, {-2, -2, 0}, {2, 2, 0.5f}}};
    g.MaterialID = material;
    g.SelectionGroup = 3;
    g.BoundsRadius = 1.25f;
    g.MinimumExtent = {offset, 0, -0.5f};
    g.MaximumExtent = {offset + 1, 1, -0.5f};
    return g;
}

}  // namespace

Model makeRichModel() {
    Model m;
    m.Name = "Rich Model";
    m.BoundsRadius = 12.5f;
    m.MinimumExtent = {-1, -2, -3};
    m.MaximumExtent = {4, 5, 6.5f};
    m.BlendTime = 150;

    m.Sequences = {
        {.Name = "Stand",
         .IntervalEnd = 1000,
         .Rarity = 0.5f,
         .BoundsRadius = 3,
         .MinimumExtent = {-1, -1, 0},
         .MaximumExtent = {1, 1, 2}},
        {.Name = "Walk Fast", .IntervalStart = 1100, .IntervalEnd = 2033, .MoveSpeed = 270, .flags = 1}};
    m.GlobalSequences = {1000, 2500};
    m.Textures = {{0, "Textures\\white.blp", 0}, {1, "", WrapWidth | WrapHeight}};

    Layer base;
    base.FilterMode = 2;
    base.shadingFlags = Unshaded | TwoSided | NoDepthSet;
    base.TextureID.staticValue = 1;
    base.Alpha.staticValue = 0.5f;
    Layer animated;
    animated.FilterMode = 6;
    animated.TVertexAnimId = 0;
    setKeys(animated.TextureID, DontInterp, -1, {{0, 0u}, {500, 1u}});
    setKeys(animated.Alpha, Bezier, 1, {{0, 1.0f}, {500, 0.25f}});
    Layer plain;
    setKeys(plain.TextureID, Linear, 0, {{10, 1u}});
    m.Materials = {{2, ConstantColor | SortPrimsFarZ | FullResolution, {base, animated}}, {0, 0, {plain}}};

    TextureAnim scroll;
    setKeys(scroll.Translation, Linear, -1, {{0, Vec3{0, 0, 0}}, {1000, Vec3{1, 0.5f, 0}}});
    setKeys(scroll.Rotation, Hermite, -1, {{0, Quat{0, 0, 0, 1}}, {1000, Quat{0, 0, 0.5f, 0.5f}}});
    m.TextureAnims = {scroll, TextureAnim{}};

    m.Geosets = {makeQuadGeoset(0, 0), makeQuadGeoset(1, 2)};
    m.Geosets[1].selectionFlags = kUnselectable;
    m.Geosets[1].extents.clear();

    GeosetAnim fade;
    std::tie(fade.flags, fade.GeosetId) = std::tuple(DropShadow | GeosetAnimUsesColor, 0u);
    setKeys(fade.Alpha, DontInterp, -1, {{0, 1.0f}, {600, 0.0f}});
    fade.Color.staticValue = {0.25f, 0.5f, 0.75f};
    GeosetAnim tint;
    std::tie(tint.flags, tint.GeosetId) = std::tuple(GeosetAnimUsesColor, 1u);
    tint.Alpha.staticValue = 0.75f;
    setKeys(tint.Color, Hermite, 0, {{0, Vec3{1, 0, 0}}, {400, Vec3{0, 1, 0}}});
    m.GeosetAnims = {fade, tint};

    // ObjectIds: bones 0-1, helper 2, light 3, attachments 4-5, emitters 6-8, event 9, shapes 10-11.
    Bone root;
    root.node = makeNode(root.node, "Root", 0, -1);
    setKeys(root.node.Translation, Linear, -1,
            {{0, Vec3{0, 0, 0}}, {500, Vec3{0, 0, 10}}, {1000, Vec3{0, 0, 0}}});
    setKeys(root.node.Rotation, Bezier, -1, {{0, Quat{0, 0, 0, 1}}, {1000, Quat{0.5f, 0.5f, 0.5f, 0.5f}}});
    setKeys(root.node.Scaling, DontInterp, 1, {{100, Vec3{1, 1, 1}}});
    setKeys(root.node.Visibility, Hermite, -1, {{0, 1.0f}, {200, 0.0f}});
    Bone arm{.GeosetId = 0, .GeosetAnimId = 1};
    arm.node = makeNode(arm.node, "Arm", 1, 0);
    arm.node.flags |= Billboarded | DontInheritScaling | DontInheritRotation | CameraAnchored;
    m.Bones = {root, arm};

    Helper helper;
    helper.node = makeNode(helper.node, "Helper01", 2, 0);
    helper.node.flags = DontInheritTranslation | BillboardedLockX | BillboardedLockY | BillboardedLockZ;
    setKeys(helper.node.Translation, Hermite, -1, {{0, Vec3{1, 2, 3}}, {50, Vec3{-1, -2, -3}}});
    m.Helpers = {helper};

    Light light;
    light.node = makeNode(light.node, "Lamp", 3, 1);
    light.Type = Directional;
    light.AttenuationStart.staticValue = 80;
    setKeys(light.AttenuationEnd, Linear, -1, {{0, 200.0f}, {100, 250.0f}});
    light.Color.staticValue = {1, 0.5f, 0.25f};
    light.Intensity.staticValue = 1.5f;
    setKeys(light.AmbColor, Linear, -1, {{0, Vec3{0.125f, 0.25f, 0.5f}}});
    light.AmbIntensity.staticValue = 0.25f;
    setKeys(light.Visibility, DontInterp, -1, {{0, 1.0f}, {300, 0.0f}});
    m.Lights = {light};

    Attachment weapon{.Path = "Weapons\\Sword.mdl", .AttachmentID = 0};
    weapon.node = makeNode(weapon.node, "Weapon Ref", 4, 1);
    setKeys(weapon.node.Visibility, Linear, -1, {{0, 1.0f}, {700, 0.0f}});
    Attachment head{.Path = {}, .AttachmentID = 7};
    head.node = makeNode(head.node, "Head Ref", 5, 0);
    setKeys(head.node.Rotation, Linear, -1, {{0, Quat{0, 0, 0, 1}}});
    m.Attachments = {weapon, head};

    ParticleEmitter emitter;
    emitter.node = makeNode(emitter.node, "Smoke", 6, 0);
    emitter.node.flags |= EmitterUsesTGA;
    emitter.EmissionRate.staticValue = 10;
    setKeys(emitter.Gravity, Linear, -1, {{0, 1.0f}, {100, 2.0f}});
    emitter.Longitude.staticValue = 0.5f;
    emitter.Latitude.staticValue = 0.25f;
    setKeys(emitter.Visibility, DontInterp, -1, {{0, 1.0f}});
    emitter.Path = "Smoke.mdl";
    emitter.LifeSpan.staticValue = 2;
    setKeys(emitter.InitVelocity, Hermite, -1, {{0, 5.0f}});
    setKeys(emitter.node.Translation, Linear, -1, {{0, Vec3{0, 1, 0}}});
    m.ParticleEmitters = {emitter};

    ParticleEmitter2 sparks;
    sparks.node = makeNode(sparks.node, "Sparks", 7, 1);
    sparks.emitterFlags = NodeIsParticleEmitter | DontInheritRotation | Emitter2Unshaded |
                          Emitter2SortPrimsFarZ | Emitter2LineEmitter | Emitter2Unfogged |
                          Emitter2ModelSpace | Emitter2XYQuad;
    std::tie(sparks.LifeSpan, sparks.TailLength, sparks.Time) = std::tuple(1.5f, 0.75f, 0.5f);
    std::tie(sparks.FilterMode, sparks.Rows, sparks.Columns, sparks.headOrTail) =
        std::tuple(P2AlphaKey, 2, 4, Both);
    sparks.SegmentColor = {Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0.5f, 1}};
    sparks.Alpha = {255, 128, 0};
    sparks.ParticleScaling = {10, 20, 30};
    sparks.LifeSpanUVAnim = {0, 1, 1};
    sparks.DecayUVAnim = {2, 3, 1};
    sparks.TailUVAnim = {4, 5, 1};
    sparks.TailDecayUVAnim = {6, 7, 1};
    std::tie(sparks.TextureID, sparks.Squirt, sparks.PriorityPlane, sparks.ReplaceableId) =
        std::tuple(1, 1, -2, 2);
    sparks.Speed.staticValue = 100;
    sparks.Variation.staticValue = 0.125f;
    sparks.Latitude.staticValue = 0.5f;
    setKeys(sparks.Gravity, Bezier, -1, {{0, -9.5f}, {900, 0.0f}});
    sparks.EmissionRate.staticValue = 50;
    setKeys(sparks.Length, Linear, 0, {{0, 8.0f}, {250, 16.0f}});
    sparks.Width.staticValue = 4;
    setKeys(sparks.node.Rotation, Hermite, -1, {{0, Quat{0, 0, 0, 1}}});
    setKeys(sparks.node.Scaling, Linear, -1, {{0, Vec3{2, 2, 2}}});
    ParticleEmitter2 dust;
    dust.node = makeNode(dust.node, "Dust", 8, -1);
    dust.emitterFlags = NodeIsParticleEmitter;
    dust.FilterMode = P2Additive;
    dust.headOrTail = Tail;
    m.ParticleEmitters2 = {sparks, dust};

    RibbonEmitter ribbon;
    ribbon.node = makeNode(ribbon.node, "Trail", 9, 0);
    ribbon.HeightAbove.staticValue = 5;
    setKeys(ribbon.HeightBelow, Linear, -1, {{0, 5.0f}, {500, 10.0f}});
    ribbon.Alpha.staticValue = 1;
    setKeys(ribbon.Color, Bezier, -1, {{0, Vec3{1, 1, 1}}, {500, Vec3{0.5f, 0.25f, 0.125f}}});
    setKeys(ribbon.TextureSlot, DontInterp, -1, {{0, 0u}, {250, 3u}});
    std::tie(ribbon.Rows, ribbon.Columns, ribbon.EmissionRate, ribbon.MaterialID) = std::tuple(1, 2, 30, 1);
    std::tie(ribbon.LifeSpan, ribbon.Gravity) = std::tuple(0.5f, 1.5f);
    setKeys(ribbon.node.Translation, Linear, -1, {{0, Vec3{0, 0, 1}}});
    m.RibbonEmitters = {ribbon};

    Camera camera;
    camera.Name = "Portrait";
    camera.Position = {100, 0, 50};
    std::tie(camera.FieldOfView, camera.FarClip, camera.NearClip) = std::tuple(0.75f, 1000, 8);
    camera.TargetPosition = {0, 0, 40};
    setKeys(camera.Translation, Linear, -1, {{0, Vec3{0, 0, 0}}, {1000, Vec3{10, 0, 0}}});
    setKeys(camera.Rotation, Hermite, -1, {{0, 0.0f}, {1000, 1.5f}});
    setKeys(camera.TargetTranslation, DontInterp, 1, {{0, Vec3{0, 0, 1}}});
    m.Cameras = {camera, Camera{}};

    EventObject footstep{.times = {100, 600, 1500}};
    footstep.node = makeNode(footstep.node, "FootStep", 10, 0);
    setKeys(footstep.node.Visibility, DontInterp, -1, {{0, 1.0f}});
    EventObject silent;
    silent.node = makeNode(silent.node, "Silent", 11, -1);
    m.EventObjects = {footstep, silent};

    CollisionShape box{.shapeType = ShapeBox, .vertex1 = {-1, -1, 0}, .vertex2 = {1, 1, 2}};
    box.node = makeNode(box.node, "Box01", 12, 0);
    CollisionShape sphere{.shapeType = ShapeSphere, .vertex1 = {0, 0, 1}, .BoundsRadius = 0.5f};
    sphere.node = makeNode(sphere.node, "Sphere01", 13, 1);
    setKeys(sphere.node.Translation, Linear, -1, {{0, Vec3{0, 0, 0}}});
    m.CollisionShapes = {box, sphere};

    for (int i = 0; i < 14; ++i) m.PivotPoints.push_back({static_cast<float>(i), 0.5f, -0.25f});
    return m;
}

Model makeLargeModel(std::size_t geosetCount, std::size_t verticesPerGeoset, std::size_t boneCount,
                     std::size_t keysPerTrack) {
    Model m;
    m.Name = "Large";
    m.Sequences = {{.Name = "Stand", .IntervalEnd = static_cast<std::uint32_t>(keysPerTrack * 100)}};
    m.Textures = {{.Image = "Textures\\white.blp"}};
    m.Materials = {Material{{}, {}, {Layer{}}}};

    std::uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 16777216.0f * 200.0f - 100.0f;
    };
    for (std::size_t b = 0; b < boneCount; ++b) {
        Bone bone;
        bone.node.Name = "Bone" + std::to_string(b);
        bone.node.ObjectId = static_cast<std::uint32_t>(b);
        bone.node.Parent = b == 0 ? -1 : static_cast<std::int32_t>((b - 1) / 2);
        for (std::size_t k = 0; k < keysPerTrack; ++k) {
            const auto time = static_cast<std::int32_t>(k * 100);
            bone.node.Translation.keys.push_back({time, Vec3{next(), next(), next()}, {}, {}});
            bone.node.Rotation.keys.push_back({time, Quat{0, 0, 0.6f, 0.8f}, {}, {}});
        }
        m.Bones.push_back(bone);
        m.PivotPoints.push_back({next(), next(), next()});
    }
    for (std::size_t gi = 0; gi < geosetCount; ++gi) {
        Geoset g;
        g.uvSets.resize(2);
        for (std::size_t i = 0; i < verticesPerGeoset; ++i) {
            // The draws keep the old per-vertex order (u0, u1, v0, v1), so the values stay.
            g.positions.push_back({next(), next(), next()});
            g.normals.push_back({0, 0, 1});
            const float u0 = next() * 0.01f, u1 = next() * 0.01f, v0 = next() * 0.01f, v1 = next() * 0.01f;
            g.uvSets[0].push_back({u0, v0});
            g.uvSets[1].push_back({u1, v1});
            g.vertexGroups.push_back(static_cast<std::uint32_t>(i % 8));
        }
        for (std::size_t i = 0; i + 2 < verticesPerGeoset; ++i) {
            const auto a = static_cast<std::uint32_t>(i);
            g.corners.insert(g.corners.end(), {a, a + 1, a + 2, a + 2, a + 1, a});
        }
        for (std::uint32_t group = 0; group < 8; ++group)
            g.matrixGroups.push_back({group % static_cast<std::uint32_t>(boneCount)});
        g.extents = {Extent{}};
        m.Geosets.push_back(std::move(g));
    }
    return m;
}

void appendGridTriangles(Geoset& geoset, int columns, int rows) {
    const auto across = static_cast<std::uint32_t>(columns) + 1;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const std::uint32_t a = static_cast<std::uint32_t>(r) * across + static_cast<std::uint32_t>(c);
            const std::uint32_t b = a + 1, d = a + across, e = d + 1;
            geoset.corners.insert(geoset.corners.end(), {a, b, e, a, e, d});
        }
}

}  // namespace tess::testing

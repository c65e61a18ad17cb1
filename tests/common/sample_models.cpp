#include "common/sample_models.h"

#include <cstdint>
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
        TrackKey<V> key;
        key.time = time;
        key.value = value;
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
    node.Name = name;
    node.ObjectId = objectId;
    node.Parent = parent;
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

    Sequence stand;
    stand.Name = "Stand";
    stand.IntervalStart = 0;
    stand.IntervalEnd = 1000;
    stand.Rarity = 0.5f;
    stand.BoundsRadius = 3;
    stand.MinimumExtent = {-1, -1, 0};
    stand.MaximumExtent = {1, 1, 2};
    Sequence walk;
    walk.Name = "Walk Fast";
    walk.IntervalStart = 1100;
    walk.IntervalEnd = 2033;
    walk.MoveSpeed = 270;
    walk.flags = 1;
    m.Sequences = {stand, walk};
    m.GlobalSequences = {1000, 2500};

    Texture white;
    white.Image = "Textures\\white.blp";
    Texture team;
    team.ReplaceableId = 1;
    team.flags = WrapWidth | WrapHeight;
    m.Textures = {white, team};

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
    Material m0;
    m0.PriorityPlane = 2;
    m0.flags = ConstantColor | SortPrimsFarZ | FullResolution;
    m0.Layers = {base, animated};
    Material m1;
    Layer plain;
    setKeys(plain.TextureID, Linear, 0, {{10, 1u}});
    m1.Layers = {plain};
    m.Materials = {m0, m1};

    TextureAnim scroll;
    setKeys(scroll.Translation, Linear, -1, {{0, Vec3{0, 0, 0}}, {1000, Vec3{1, 0.5f, 0}}});
    setKeys(scroll.Rotation, Hermite, -1, {{0, Quat{0, 0, 0, 1}}, {1000, Quat{0, 0, 0.5f, 0.5f}}});
    m.TextureAnims = {scroll, TextureAnim{}};

    m.Geosets = {makeQuadGeoset(0, 0), makeQuadGeoset(1, 2)};
    m.Geosets[1].selectionFlags = kUnselectable;
    m.Geosets[1].extents.clear();

    GeosetAnim fade;
    fade.flags = DropShadow | GeosetAnimUsesColor;
    fade.GeosetId = 0;
    setKeys(fade.Alpha, DontInterp, -1, {{0, 1.0f}, {600, 0.0f}});
    fade.Color.staticValue = {0.25f, 0.5f, 0.75f};
    GeosetAnim tint;
    tint.flags = GeosetAnimUsesColor;
    tint.GeosetId = 1;
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
    Bone arm;
    arm.GeosetId = 0;
    arm.GeosetAnimId = 1;
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

    Attachment weapon;
    weapon.node = makeNode(weapon.node, "Weapon Ref", 4, 1);
    weapon.AttachmentID = 0;
    weapon.Path = "Weapons\\Sword.mdl";
    setKeys(weapon.node.Visibility, Linear, -1, {{0, 1.0f}, {700, 0.0f}});
    Attachment head;
    head.node = makeNode(head.node, "Head Ref", 5, 0);
    head.AttachmentID = 7;
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
    sparks.LifeSpan = 1.5f;
    sparks.FilterMode = P2AlphaKey;
    sparks.Rows = 2;
    sparks.Columns = 4;
    sparks.headOrTail = Both;
    sparks.TailLength = 0.75f;
    sparks.Time = 0.5f;
    sparks.SegmentColor = {Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0.5f, 1}};
    sparks.Alpha = {255, 128, 0};
    sparks.ParticleScaling = {10, 20, 30};
    sparks.LifeSpanUVAnim = {0, 1, 1};
    sparks.DecayUVAnim = {2, 3, 1};
    sparks.TailUVAnim = {4, 5, 1};
    sparks.TailDecayUVAnim = {6, 7, 1};
    sparks.TextureID = 1;
    sparks.Squirt = 1;
    sparks.PriorityPlane = -2;
    sparks.ReplaceableId = 2;
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
    ribbon.Rows = 1;
    ribbon.Columns = 2;
    ribbon.EmissionRate = 30;
    ribbon.LifeSpan = 0.5f;
    ribbon.Gravity = 1.5f;
    ribbon.MaterialID = 1;
    setKeys(ribbon.node.Translation, Linear, -1, {{0, Vec3{0, 0, 1}}});
    m.RibbonEmitters = {ribbon};

    Camera camera;
    camera.Name = "Portrait";
    camera.Position = {100, 0, 50};
    camera.FieldOfView = 0.75f;
    camera.FarClip = 1000;
    camera.NearClip = 8;
    camera.TargetPosition = {0, 0, 40};
    setKeys(camera.Translation, Linear, -1, {{0, Vec3{0, 0, 0}}, {1000, Vec3{10, 0, 0}}});
    setKeys(camera.Rotation, Hermite, -1, {{0, 0.0f}, {1000, 1.5f}});
    setKeys(camera.TargetTranslation, DontInterp, 1, {{0, Vec3{0, 0, 1}}});
    m.Cameras = {camera, Camera{}};

    EventObject footstep;
    footstep.node = makeNode(footstep.node, "FootStep", 10, 0);
    footstep.times = {100, 600, 1500};
    setKeys(footstep.node.Visibility, DontInterp, -1, {{0, 1.0f}});
    EventObject silent;
    silent.node = makeNode(silent.node, "Silent", 11, -1);
    m.EventObjects = {footstep, silent};

    CollisionShape box;
    box.node = makeNode(box.node, "Box01", 12, 0);
    box.shapeType = ShapeBox;
    box.vertex1 = {-1, -1, 0};
    box.vertex2 = {1, 1, 2};
    CollisionShape sphere;
    sphere.node = makeNode(sphere.node, "Sphere01", 13, 1);
    sphere.shapeType = ShapeSphere;
    sphere.vertex1 = {0, 0, 1};
    sphere.BoundsRadius = 0.5f;
    setKeys(sphere.node.Translation, Linear, -1, {{0, Vec3{0, 0, 0}}});
    m.CollisionShapes = {box, sphere};

    for (int i = 0; i < 14; ++i) m.PivotPoints.push_back({static_cast<float>(i), 0.5f, -0.25f});
    return m;
}

Model makeLargeModel(std::size_t geosetCount, std::size_t verticesPerGeoset, std::size_t boneCount,
                     std::size_t keysPerTrack) {
    Model m;
    m.Name = "Large";
    Sequence seq;
    seq.Name = "Stand";
    seq.IntervalEnd = static_cast<std::uint32_t>(keysPerTrack * 100);
    m.Sequences = {seq};
    Texture tex;
    tex.Image = "Textures\\white.blp";
    m.Textures = {tex};
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

}  // namespace tess::testing

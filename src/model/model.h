#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/track.h"

namespace tess {

// Field names follow the file keywords (BlendTime, FilterMode, ...); fields with no
// keyword of their own are lowerCamel. Every object is a plain value: copying copies
// everything it holds. References between objects are array indices or ObjectIds,
// with -1 (all bits set) meaning none.

struct Sequence {
    std::string Name;
    std::uint32_t IntervalStart = 0;
    std::uint32_t IntervalEnd = 0;
    float MoveSpeed = 0;
    std::uint32_t flags = 0;  // 1 = NonLooping
    float Rarity = 0;
    float BoundsRadius = 0;
    Vec3 MinimumExtent{};
    Vec3 MaximumExtent{};
    friend bool operator==(const Sequence&, const Sequence&) = default;
};

enum TextureFlags : std::uint32_t { WrapWidth = 0x1, WrapHeight = 0x2 };

struct Texture {
    std::uint32_t ReplaceableId = 0;
    std::string Image;
    std::uint32_t flags = 0;
    friend bool operator==(const Texture&, const Texture&) = default;
};

enum LayerShading : std::uint32_t {
    Unshaded = 0x1,
    SphereEnvMap = 0x2,
    TwoSided = 0x10,
    Unfogged = 0x20,
    NoDepthTest = 0x40,
    NoDepthSet = 0x80,
};

struct Layer {
    Layer() { Alpha.staticValue = 1.0f; }
    std::uint32_t FilterMode = 0;  // 0 None .. 6 Modulate2x
    std::uint32_t shadingFlags = 0;
    std::int32_t TVertexAnimId = -1;
    std::uint32_t CoordId = 0;  // texture-coordinate set of the geoset
    FloatTrack Alpha;
    IntTrack TextureID;  // static value: the texture when unkeyed
    friend bool operator==(const Layer&, const Layer&) = default;
};

enum MaterialFlags : std::uint32_t { ConstantColor = 0x1, SortPrimsFarZ = 0x10, FullResolution = 0x20 };

struct Material {
    std::int32_t PriorityPlane = 0;
    std::uint32_t flags = 0;
    std::vector<Layer> Layers;
    friend bool operator==(const Material&, const Material&) = default;
};

struct TextureAnim {
    VectorTrack Translation;
    QuatTrack Rotation;
    VectorTrack Scaling;
    friend bool operator==(const TextureAnim&, const TextureAnim&) = default;
};

// One bounding record of a geoset per sequence.
struct Extent {
    float BoundsRadius = 0;
    Vec3 MinimumExtent{};
    Vec3 MaximumExtent{};
    friend bool operator==(const Extent&, const Extent&) = default;
};

inline constexpr std::uint32_t kUnselectable = 4;

// Removes every element v with doomed[v] set (entries past the end count as unset),
// survivors keeping their order: the one way per-vertex arrays lose vertices.
template <class T>
void eraseDoomed(std::vector<T>& values, const std::vector<std::uint8_t>& doomed) {
    std::size_t kept = 0;
    for (std::size_t v = 0; v < values.size(); ++v) {
        values[kept] = values[v];
        kept += v < doomed.size() && doomed[v] ? 0 : 1;
    }
    values.resize(kept);
}

// A geoset's geometry as parallel arrays, the way MDX stores it (VRTX, NRMS, UVBS, GNDX,
// PVTX). Every per-vertex array (positions, normals, each texture set, vertexGroups) holds
// exactly vertexCount() entries; readers pad or cut what a file gets wrong and say so, and
// every edit goes through the vertex helpers below (or keeps the arrays in step itself).
// Nothing here is runtime or editor state: the pose, the selection, the screen positions
// and the shown flag live beside the model, in arrays indexed like it.
struct Geoset {
    std::vector<Vec3> positions;  // rest pose
    std::vector<Vec3> normals;
    std::vector<std::vector<Vec2>> uvSets;                 // one (u, v) array per texture-coordinate set
    std::vector<std::uint32_t> vertexGroups;               // index into matrixGroups, per vertex
    std::vector<std::uint32_t> corners;                    // three vertex indices per triangle
    std::vector<std::vector<std::uint32_t>> matrixGroups;  // bone numbers per group
    std::vector<Extent> extents;                           // one per sequence
    std::uint32_t MaterialID = 0;
    std::uint32_t SelectionGroup = 0;
    std::uint32_t selectionFlags = 0;  // kUnselectable = 4
    float BoundsRadius = 0;
    Vec3 MinimumExtent{};
    Vec3 MaximumExtent{};

    std::size_t vertexCount() const { return positions.size(); }
    std::size_t triangleCount() const { return corners.size() / 3; }
    std::size_t textureSetCount() const { return uvSets.size(); }

    // Grows or shrinks every per-vertex array to `count`; new entries are zero.
    void resizeVertices(std::size_t count);
    // Appends a copy of vertex `source` (every per-vertex array) and returns its index.
    std::uint32_t appendVertexCopy(std::uint32_t source);
    // Removes every vertex v with doomed[v] set (entries past the end count as unset) from
    // every per-vertex array in one pass, survivors keeping their order. Corners are not
    // touched: the caller renumbers them.
    void removeVertices(const std::vector<std::uint8_t>& doomed);

    friend bool operator==(const Geoset&, const Geoset&) = default;
};

enum GeosetAnimFlags : std::uint32_t { DropShadow = 0x1, GeosetAnimUsesColor = 0x2 };

struct GeosetAnim {
    GeosetAnim() {
        Color.staticValue = {1, 1, 1};
        Alpha.staticValue = 1.0f;
    }
    VectorTrack Color;
    FloatTrack Alpha;
    std::uint32_t flags = 0;
    std::uint32_t GeosetId = 1;
    friend bool operator==(const GeosetAnim&, const GeosetAnim&) = default;
};

enum NodeFlags : std::uint32_t {
    DontInheritTranslation = 0x1,
    DontInheritScaling = 0x2,
    DontInheritRotation = 0x4,
    Billboarded = 0x8,
    BillboardedLockX = 0x10,
    BillboardedLockY = 0x20,
    BillboardedLockZ = 0x40,
    CameraAnchored = 0x80,
    NodeIsBone = 0x100,
    NodeIsLight = 0x200,
    NodeIsEventObject = 0x400,
    NodeIsAttachment = 0x800,
    NodeIsParticleEmitter = 0x1000,
    NodeIsCollisionShape = 0x2000,
    EmitterUsesMDL = 0x8000,   // ParticleEmitter; ParticleEmitter2: Unshaded
    EmitterUsesTGA = 0x10000,  // ParticleEmitter; ParticleEmitter2: SortPrimsFarZ
    Emitter2Unshaded = 0x8000,
    Emitter2SortPrimsFarZ = 0x10000,
    Emitter2LineEmitter = 0x20000,
    Emitter2Unfogged = 0x40000,
    Emitter2ModelSpace = 0x80000,
    Emitter2XYQuad = 0x100000,
};

struct Node {
    explicit Node(std::uint32_t kindFlags = 0) : flags(kindFlags) {}
    std::string Name;
    std::uint32_t ObjectId = 0;
    std::int32_t Parent = -1;
    std::uint32_t flags = 0;
    VectorTrack Translation;
    QuatTrack Rotation;
    VectorTrack Scaling;
    FloatTrack Visibility;

    friend bool operator==(const Node&, const Node&) = default;
};

struct Bone {
    std::int32_t GeosetId = -1;      // -1: Multiple
    std::int32_t GeosetAnimId = -1;  // -1: None
    Node node{NodeIsBone};
    friend bool operator==(const Bone&, const Bone&) = default;
};

struct Helper {
    Node node{0};
    friend bool operator==(const Helper&, const Helper&) = default;
};

enum LightType : std::uint32_t { Omnidirectional = 0, Directional = 1, Ambient = 2 };

struct Light {
    Node node{NodeIsLight};
    std::uint32_t Type = Omnidirectional;
    FloatTrack AttenuationStart;
    FloatTrack AttenuationEnd;
    VectorTrack Color;
    FloatTrack Intensity;
    VectorTrack AmbColor;
    FloatTrack AmbIntensity;
    FloatTrack Visibility;  // the light's own, distinct from node.Visibility
    friend bool operator==(const Light&, const Light&) = default;
};

struct Attachment {
    std::string Path;
    std::int32_t AttachmentID = -1;
    Node node{NodeIsAttachment};  // node.Visibility is the attachment's visibility
    friend bool operator==(const Attachment&, const Attachment&) = default;
};

struct ParticleEmitter {
    Node node{NodeIsParticleEmitter};
    FloatTrack EmissionRate;
    FloatTrack Gravity;
    FloatTrack Longitude;
    FloatTrack Latitude;
    FloatTrack Visibility;
    std::string Path;  // the spawned model
    FloatTrack LifeSpan;
    FloatTrack InitVelocity;
    friend bool operator==(const ParticleEmitter&, const ParticleEmitter&) = default;
};

enum ParticleEmitter2Filter : std::uint32_t { P2Blend = 0, P2Additive = 1, P2Modulate = 2, P2AlphaKey = 4 };
enum HeadOrTail : std::uint32_t { Head = 0, Tail = 1, Both = 2 };

struct ParticleEmitter2 {
    Node node{0};
    std::uint32_t emitterFlags = 0;  // the record's flags word, in place of node.flags
    float LifeSpan = 0;
    std::uint32_t FilterMode = P2Blend;
    std::uint32_t Rows = 0;
    std::uint32_t Columns = 0;
    std::uint32_t headOrTail = Head;
    float TailLength = 0;
    float Time = 0;
    std::array<Vec3, 3> SegmentColor{};
    std::array<std::uint8_t, 3> Alpha{};
    Vec3 ParticleScaling{};
    std::array<std::uint32_t, 3> LifeSpanUVAnim{};
    std::array<std::uint32_t, 3> DecayUVAnim{};
    std::array<std::uint32_t, 3> TailUVAnim{};
    std::array<std::uint32_t, 3> TailDecayUVAnim{};
    std::uint32_t TextureID = 0;
    std::uint32_t Squirt = 0;
    std::int32_t PriorityPlane = 0;
    std::uint32_t ReplaceableId = 0;
    FloatTrack Speed;
    FloatTrack Latitude;
    FloatTrack EmissionRate;
    FloatTrack Visibility;
    FloatTrack Length;
    FloatTrack Width;
    FloatTrack Gravity;
    FloatTrack Variation;
    friend bool operator==(const ParticleEmitter2&, const ParticleEmitter2&) = default;
};

inline constexpr std::uint32_t kRibbonEmitterDefaultFlags = 0x400000;

struct RibbonEmitter {
    Node node{0};
    FloatTrack HeightAbove;
    FloatTrack HeightBelow;
    FloatTrack Alpha;
    VectorTrack Color;
    IntTrack TextureSlot;
    FloatTrack Visibility;
    std::uint32_t Rows = 0;
    std::uint32_t Columns = 0;
    std::uint32_t EmissionRate = 0;
    float LifeSpan = 0;
    float Gravity = 0;
    std::uint32_t MaterialID = 0;
    std::uint32_t emitterFlags = kRibbonEmitterDefaultFlags;  // the record's flags word
    friend bool operator==(const RibbonEmitter&, const RibbonEmitter&) = default;
};

struct EventObject {
    Node node{NodeIsEventObject};
    std::vector<std::uint32_t> times;  // milliseconds
    friend bool operator==(const EventObject&, const EventObject&) = default;
};

enum CollisionShapeType : std::uint32_t { ShapeBox = 0, ShapeSphere = 2 };

struct CollisionShape {
    Node node{NodeIsCollisionShape};
    std::uint32_t shapeType = ShapeBox;
    Vec3 vertex1{};
    Vec3 vertex2{};          // boxes
    float BoundsRadius = 0;  // spheres
    friend bool operator==(const CollisionShape&, const CollisionShape&) = default;
};

using PivotPoint = Vec3;

struct Camera {
    VectorTrack Translation;
    VectorTrack TargetTranslation;
    FloatTrack Rotation;
    std::string Name;
    Vec3 Position{};
    float FieldOfView = 0;
    float FarClip = 0;
    float NearClip = 0;
    Vec3 TargetPosition{};
    friend bool operator==(const Camera&, const Camera&) = default;
};

// Exactly what the files store, nothing else: copying a Model is an exact snapshot of
// the document, and equality compares everything a file can hold.
struct Model {
    std::uint32_t FormatVersion = 800;
    std::string Name;
    float BoundsRadius = 0;
    Vec3 MinimumExtent{};
    Vec3 MaximumExtent{};
    std::uint32_t BlendTime = 100;

    std::vector<Texture> Textures;
    std::vector<Material> Materials;
    std::vector<Geoset> Geosets;
    std::vector<Bone> Bones;
    std::vector<PivotPoint> PivotPoints;
    std::vector<Sequence> Sequences;
    std::vector<TextureAnim> TextureAnims;
    std::vector<GeosetAnim> GeosetAnims;
    std::vector<Light> Lights;
    std::vector<Helper> Helpers;
    std::vector<EventObject> EventObjects;
    std::vector<CollisionShape> CollisionShapes;
    std::vector<Attachment> Attachments;
    std::vector<ParticleEmitter> ParticleEmitters;
    std::vector<ParticleEmitter2> ParticleEmitters2;
    std::vector<RibbonEmitter> RibbonEmitters;
    std::vector<Camera> Cameras;
    std::vector<std::uint32_t> GlobalSequences;  // durations in milliseconds

    friend bool operator==(const Model&, const Model&) = default;

    // Back to a fresh document: default header, every array empty.
    void reset() { *this = Model{}; }
};

}  // namespace tess

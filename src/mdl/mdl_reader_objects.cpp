// The named scene-object blocks and the node keywords most of them share. Each block
// ends at once after its own unexpected-member error; the Camera block also after any
// error inside it.

#include <array>
#include <type_traits>

#include "mdl/mdl_reader_parser.h"

namespace tess {

namespace {

template <class T>
struct FloatTrackField {
    std::string_view keyword;
    FloatTrack T::*track;
};

template <class T, class Word>
struct WordField {
    std::string_view keyword;
    Word T::*field;
};

using FlagWord = MdlParser::FlagWord;

constexpr std::array<FlagWord, 5> kNodeFlagWords = {{{"Billboarded", Billboarded},
                                                     {"BillboardedLockX", BillboardedLockX},
                                                     {"BillboardedLockY", BillboardedLockY},
                                                     {"BillboardedLockZ", BillboardedLockZ},
                                                     {"CameraAnchored", CameraAnchored}}};

constexpr std::array<FlagWord, 3> kDontInheritWords = {{{"Translation", DontInheritTranslation},
                                                        {"Scaling", DontInheritScaling},
                                                        {"Rotation", DontInheritRotation}}};

constexpr std::array<FlagWord, 3> kLightTypeWords = {
    {{"Omnidirectional", Omnidirectional}, {"Directional", Directional}, {"Ambient", Ambient}}};

constexpr std::array<FloatTrackField<Light>, 5> kLightFloatTracks = {
    {{"AttenuationStart", &Light::AttenuationStart},
     {"AttenuationEnd", &Light::AttenuationEnd},
     {"Intensity", &Light::Intensity},
     {"AmbIntensity", &Light::AmbIntensity},
     {"Visibility", &Light::Visibility}}};

constexpr std::array<FloatTrackField<ParticleEmitter>, 5> kEmitterFloatTracks = {
    {{"EmissionRate", &ParticleEmitter::EmissionRate},
     {"Gravity", &ParticleEmitter::Gravity},
     {"Longitude", &ParticleEmitter::Longitude},
     {"Latitude", &ParticleEmitter::Latitude},
     {"Visibility", &ParticleEmitter::Visibility}}};

constexpr std::array<FloatTrackField<ParticleEmitter2>, 8> kEmitter2FloatTracks = {
    {{"Speed", &ParticleEmitter2::Speed},
     {"Variation", &ParticleEmitter2::Variation},
     {"Latitude", &ParticleEmitter2::Latitude},
     {"Gravity", &ParticleEmitter2::Gravity},
     {"Visibility", &ParticleEmitter2::Visibility},
     {"EmissionRate", &ParticleEmitter2::EmissionRate},
     {"Width", &ParticleEmitter2::Width},
     {"Length", &ParticleEmitter2::Length}}};

constexpr std::array<FlagWord, 6> kEmitter2FlagWords = {
    {{"SortPrimsFarZ", Emitter2SortPrimsFarZ},
     {"Unshaded", Emitter2Unshaded | NodeIsParticleEmitter},
     {"LineEmitter", Emitter2LineEmitter},
     {"Unfogged", Emitter2Unfogged},
     {"ModelSpace", Emitter2ModelSpace},
     {"XYQuad", Emitter2XYQuad}}};

constexpr std::array<FlagWord, 4> kEmitter2FilterWords = {
    {{"Blend", P2Blend}, {"Additive", P2Additive}, {"Modulate", P2Modulate}, {"AlphaKey", P2AlphaKey}}};

constexpr std::array<FlagWord, 3> kEmitter2HeadOrTailWords = {
    {{"Head", Head}, {"Tail", Tail}, {"Both", Both}}};

using UVAnim = std::array<std::uint32_t, 3>;
constexpr std::array<WordField<ParticleEmitter2, UVAnim>, 4> kEmitter2UVAnims = {
    {{"LifeSpanUVAnim", &ParticleEmitter2::LifeSpanUVAnim},
     {"DecayUVAnim", &ParticleEmitter2::DecayUVAnim},
     {"TailUVAnim", &ParticleEmitter2::TailUVAnim},
     {"TailDecayUVAnim", &ParticleEmitter2::TailDecayUVAnim}}};

constexpr std::array<FloatTrackField<RibbonEmitter>, 4> kRibbonFloatTracks = {
    {{"HeightAbove", &RibbonEmitter::HeightAbove},
     {"HeightBelow", &RibbonEmitter::HeightBelow},
     {"Alpha", &RibbonEmitter::Alpha},
     {"Visibility", &RibbonEmitter::Visibility}}};

constexpr std::array<WordField<RibbonEmitter, std::uint32_t>, 4> kRibbonIntFields = {
    {{"EmissionRate", &RibbonEmitter::EmissionRate},
     {"Rows", &RibbonEmitter::Rows},
     {"Columns", &RibbonEmitter::Columns},
     {"MaterialID", &RibbonEmitter::MaterialID}}};

constexpr std::uint32_t kUndefinedShape = 0xFFFFFFFF;

}  // namespace

template <class T>
void MdlParser::readObject(std::vector<T>& objects, void (MdlParser::*readBlock)(T&)) {
    T object;
    if constexpr (std::is_same_v<T, Camera>) {
        object.Name = token_.argument();
    } else {
        object.node.Name = token_.argument();
    }
    (this->*readBlock)(object);
    objects.push_back(std::move(object));
}

bool MdlParser::readNamedObject() {
    if (token_.kind != MdlTokenKind::LabeledChunkOpener) return false;
    const auto named = [this](std::string_view keyword) {
        return is(MdlTokenKind::LabeledChunkOpener, keyword);
    };
    if (named("Bone")) {
        readObject(model_.Bones, &MdlParser::readBone);
    } else if (named("Helper")) {
        readObject(model_.Helpers, &MdlParser::readHelper);
    } else if (named("Attachment")) {
        readObject(model_.Attachments, &MdlParser::readAttachment);
    } else if (named("Light")) {
        readObject(model_.Lights, &MdlParser::readLight);
    } else if (named("EventObject")) {
        readObject(model_.EventObjects, &MdlParser::readEventObject);
    } else if (named("CollisionShape")) {
        readObject(model_.CollisionShapes, &MdlParser::readCollisionShape);
    } else if (named("ParticleEmitter2")) {
        readObject(model_.ParticleEmitters2, &MdlParser::readParticleEmitter2);
    } else if (named("ParticleEmitter")) {
        readObject(model_.ParticleEmitters, &MdlParser::readParticleEmitter);
    } else if (named("RibbonEmitter")) {
        readObject(model_.RibbonEmitters, &MdlParser::readRibbonEmitter);
    } else if (named("Camera")) {
        readObject(model_.Cameras, &MdlParser::readCamera);
    } else {
        return false;
    }
    return true;
}

bool MdlParser::readFloatTrackMember(std::string_view keyword, FloatTrack& track) {
    if (staticAny(keyword)) {
        track.staticValue = token_.floatValue;
    } else if (opener(keyword)) {
        readTrack(track);
    } else {
        return false;
    }
    return true;
}

bool MdlParser::readVectorTrackMember(std::string_view keyword, VectorTrack& track) {
    if (staticBracedFloats(keyword, 3)) {
        track.staticValue = vec3();
    } else if (opener(keyword)) {
        readTrack(track);
    } else {
        return false;
    }
    return true;
}

bool MdlParser::readFlagWord(std::span<const FlagWord> words, std::uint32_t& flags) {
    std::uint32_t bit = 0;
    if (!readFlagChoice(words, bit)) return false;
    flags |= bit;
    return true;
}

bool MdlParser::readFlagChoice(std::span<const FlagWord> words, std::uint32_t& value) {
    if (token_.kind != MdlTokenKind::Flag) return false;
    for (const FlagWord& word : words) {
        if (flag(word.keyword)) {
            value = word.bit;
            return true;
        }
    }
    return false;
}

bool MdlParser::readNodeMember(Node& node) {
    if (intData("Parent")) {
        node.Parent = token_.intValue;
    } else if (intData("ObjectId")) {
        node.ObjectId = intWord();
    } else if (opener("Translation")) {
        readTrack(node.Translation);
    } else if (opener("Rotation")) {
        readTrack(node.Rotation);
    } else if (opener("Scaling")) {
        readTrack(node.Scaling);
    } else if (opener("Visibility")) {
        readTrack(node.Visibility);
    } else if (is(MdlTokenKind::LabeledWord, "DontInherit")) {
        for (const FlagWord& word : kDontInheritWords) {
            if (argumentIs(word.keyword)) {
                node.flags |= word.bit;
                return true;
            }
        }
        return false;
    } else {
        return readFlagWord(kNodeFlagWords, node.flags);
    }
    return true;
}

void MdlParser::readBone(Bone& bone) {
    while (nextMember()) {
        if (readNodeMember(bone.node)) continue;
        if (intData("GeosetId")) {
            bone.GeosetId = token_.intValue;
        } else if (intData("GeosetAnimId")) {
            bone.GeosetAnimId = token_.intValue;
        } else if (is(MdlTokenKind::LabeledWord, "GeosetId") && argumentIs("Multiple")) {
            bone.GeosetId = -1;
        } else if (is(MdlTokenKind::LabeledWord, "GeosetAnimId") && argumentIs("None")) {
            bone.GeosetAnimId = -1;
        } else {
            error("Unexpected in a Bone chunk");
            return;
        }
    }
}

void MdlParser::readHelper(Helper& helper) {
    while (nextMember()) {
        if (!readNodeMember(helper.node)) {
            error("Unexpected in a Helper chunk");
            return;
        }
    }
}

void MdlParser::readAttachment(Attachment& attachment) {
    // Without an AttachmentID line an attachment gets its own index.
    attachment.AttachmentID = static_cast<std::int32_t>(model_.Attachments.size());
    while (nextMember()) {
        if (intData("AttachmentID")) {
            attachment.AttachmentID = token_.intValue;
        } else if (is(MdlTokenKind::LabeledStringData, "Path")) {
            attachment.Path = token_.argument();
        } else if (!readNodeMember(attachment.node)) {
            error("Unexpected in an Attachment chunk");
            return;
        }
    }
}

// The light's own Visibility wins over the node's: a light written with both reads
// back with all their keys in its own track.
void MdlParser::readLight(Light& light) {
    while (nextMember()) {
        if (!readLightMember(light) && !readNodeMember(light.node)) {
            error("Unexpected in a Light chunk");
            return;
        }
    }
}

bool MdlParser::readLightMember(Light& light) {
    if (readFlagChoice(kLightTypeWords, light.Type)) return true;
    for (const FloatTrackField<Light>& field : kLightFloatTracks) {
        if (readFloatTrackMember(field.keyword, light.*field.track)) return true;
    }
    return readVectorTrackMember("Color", light.Color) || readVectorTrackMember("AmbColor", light.AmbColor);
}

void MdlParser::readEventObject(EventObject& event) {
    while (nextMember()) {
        if (opener("EventTrack")) {
            readEventTimes(event);
        } else if (!readNodeMember(event.node)) {
            error("Unexpected in an EventObject chunk");
            return;
        }
    }
}

void MdlParser::readEventTimes(EventObject& event) {
    for (next(); !atBlockEnd(); next()) {
        if (token_.kind == MdlTokenKind::BareInteger) {
            event.times.push_back(intWord());
        } else {
            error("Expected a frame.");
        }
    }
}

void MdlParser::readCollisionShape(CollisionShape& shape) {
    shape.shapeType = kUndefinedShape;
    while (nextMember()) {
        const bool sphere = flag("Sphere");
        if (sphere || flag("Box")) {
            if (shape.shapeType != kUndefinedShape) error("Shape already defined.");
            shape.shapeType = sphere ? ShapeSphere : ShapeBox;
        } else if (opener("Vertices")) {
            if (!readCollisionVertices(shape)) return;
        } else if (floatData("BoundsRadius")) {
            shape.BoundsRadius = token_.floatValue;
        } else if (!readNodeMember(shape.node)) {
            error("Unexpected in a CollisionShape chunk");
            return;
        }
    }
}

// False when the shape got the wrong number of vertices, which ends the block.
bool MdlParser::readCollisionVertices(CollisionShape& shape) {
    std::size_t count = 0;
    for (;;) {
        // Logged against the line before the one about to be read, once per list line.
        if (shape.shapeType == kUndefinedShape) error("Shape has not been defined");
        next();
        if (atBlockEnd()) break;
        if (!bareFloats(3)) {
            error("Expected a vertex.");
            continue;
        }
        if (count == 2) {
            error("Wrong number of vertices.");
            return false;
        }
        (count++ == 0 ? shape.vertex1 : shape.vertex2) = vec3();
    }
    if ((shape.shapeType == ShapeSphere && count != 1) || (shape.shapeType == ShapeBox && count != 2)) {
        error("Wrong number of vertices.");
        return false;
    }
    return true;
}

void MdlParser::readParticleEmitter(ParticleEmitter& emitter) {
    emitter.Path.clear();
    emitter.node.flags = NodeIsParticleEmitter;
    while (nextMember()) {
        if (!readParticleEmitterMember(emitter) && !readNodeMember(emitter.node)) {
            error("Unexpected in a ParticleEmitter chunk");
            return;
        }
    }
}

bool MdlParser::readParticleEmitterMember(ParticleEmitter& emitter) {
    if (flag("EmitterUsesMDL")) {
        emitter.node.flags = (emitter.node.flags | EmitterUsesMDL) & ~EmitterUsesTGA;
        return true;
    }
    if (flag("EmitterUsesTGA")) {
        emitter.node.flags = (emitter.node.flags | EmitterUsesTGA) & ~EmitterUsesMDL;
        return true;
    }
    if (opener("Particle")) {
        readParticleBlock(emitter);
        return true;
    }
    for (const FloatTrackField<ParticleEmitter>& field : kEmitterFloatTracks) {
        if (readFloatTrackMember(field.keyword, emitter.*field.track)) return true;
    }
    return false;
}

// An unexpected line ends only this sub-block; the emitter block reads on.
void MdlParser::readParticleBlock(ParticleEmitter& emitter) {
    while (nextMember()) {
        if (readFloatTrackMember("LifeSpan", emitter.LifeSpan) ||
            readFloatTrackMember("InitVelocity", emitter.InitVelocity)) {
            continue;
        }
        if (is(MdlTokenKind::LabeledStringData, "Path")) {
            emitter.Path = token_.argument();
            continue;
        }
        error("Unexpected in a ParticleEmitter's Particle chunk");
        return;
    }
}

void MdlParser::readParticleEmitter2(ParticleEmitter2& emitter) {
    emitter.Squirt = 0;
    emitter.PriorityPlane = 0;
    emitter.ReplaceableId = 0;
    emitter.emitterFlags = NodeIsParticleEmitter;
    while (nextMember()) {
        if (opener("SegmentColor")) {
            if (!readSegmentColor(emitter)) return;
        } else if (!readParticleEmitter2Member(emitter) && !readNodeMember(emitter.node)) {
            error("Unexpected in a ParticleEmitter2 chunk");
            return;
        }
    }
}

bool MdlParser::readParticleEmitter2Member(ParticleEmitter2& emitter) {
    if (is(MdlTokenKind::LabeledWord, "DontInherit") && argumentIs("Rotation")) {
        emitter.emitterFlags |= DontInheritRotation;
        return true;
    }
    if (readFlagWord(kEmitter2FlagWords, emitter.emitterFlags)) return true;
    if (flag("Squirt")) {
        emitter.Squirt = 1;
        return true;
    }
    if (readFlagChoice(kEmitter2FilterWords, emitter.FilterMode)) return true;
    if (readFlagChoice(kEmitter2HeadOrTailWords, emitter.headOrTail)) return true;
    for (const FloatTrackField<ParticleEmitter2>& field : kEmitter2FloatTracks) {
        if (readFloatTrackMember(field.keyword, emitter.*field.track)) return true;
    }
    for (const WordField<ParticleEmitter2, UVAnim>& field : kEmitter2UVAnims) {
        if (bracedInts(field.keyword, 3)) {
            for (std::size_t i = 0; i < 3; ++i)
                (emitter.*field.field)[i] = static_cast<std::uint32_t>(token_.ints[i]);
            return true;
        }
    }
    if (anyData("LifeSpan")) {
        emitter.LifeSpan = token_.floatValue;
    } else if (intData("Rows")) {
        emitter.Rows = intWord();
    } else if (intData("Columns")) {
        emitter.Columns = intWord();
    } else if (floatData("TailLength")) {
        emitter.TailLength = token_.floatValue;
    } else if (floatData("Time")) {
        emitter.Time = token_.floatValue;
    } else if (bracedInts("Alpha", 3)) {
        for (std::size_t i = 0; i < 3; ++i)
            emitter.Alpha[i] = static_cast<std::uint8_t>(token_.ints[i] & 0xFF);
    } else if (bracedFloats("ParticleScaling", 3)) {
        emitter.ParticleScaling = vec3();
    } else if (intData("TextureID")) {
        emitter.TextureID = intWord();
    } else if (intData("ReplaceableId")) {
        emitter.ReplaceableId = intWord();
    } else if (intData("PriorityPlane")) {
        emitter.PriorityPlane = token_.intValue;
    } else {
        return false;
    }
    return true;
}

// Three colour lines in memory order (red, green, blue), then the section's closer.
// False when the closer is missing, which ends the emitter block.
bool MdlParser::readSegmentColor(ParticleEmitter2& emitter) {
    for (Vec3& colour : emitter.SegmentColor) {
        next();
        if (bracedFloats("Color", 3)) {
            colour = vec3();
        } else {
            error("Expected a color.");
        }
    }
    next();
    if (token_.kind != MdlTokenKind::ChunkCloser) {
        error("Expected a closing brace to end the SegmentColor section.");
        return false;
    }
    return true;
}

void MdlParser::readRibbonEmitter(RibbonEmitter& ribbon) {
    ribbon.Gravity = 0;
    while (nextMember()) {
        if (!readRibbonEmitterMember(ribbon) && !readNodeMember(ribbon.node)) {
            error("Unexpected in a RibbonEmitter chunk");
            return;
        }
    }
}

bool MdlParser::readRibbonEmitterMember(RibbonEmitter& ribbon) {
    for (const FloatTrackField<RibbonEmitter>& field : kRibbonFloatTracks) {
        if (readFloatTrackMember(field.keyword, ribbon.*field.track)) return true;
    }
    for (const WordField<RibbonEmitter, std::uint32_t>& field : kRibbonIntFields) {
        if (intData(field.keyword)) {
            ribbon.*field.field = intWord();
            return true;
        }
    }
    if (readVectorTrackMember("Color", ribbon.Color)) return true;
    if (staticAny("TextureSlot")) {
        ribbon.TextureSlot.staticValue = truncateToWord(token_.floatValue);
    } else if (opener("TextureSlot")) {
        readTrack(ribbon.TextureSlot);
    } else if (floatData("Gravity")) {
        ribbon.Gravity = token_.floatValue;
    } else if (floatData("LifeSpan")) {
        ribbon.LifeSpan = token_.floatValue;
    } else {
        return false;
    }
    return true;
}

void MdlParser::readCamera(Camera& camera) {
    while (nextMember()) {
        if (bracedFloats("Position", 3)) {
            camera.Position = vec3();
        } else if (opener("Translation")) {
            readTrack(camera.Translation);
        } else if (opener("Rotation")) {
            readTrack(camera.Rotation);
        } else if (floatData("FieldOfView")) {
            camera.FieldOfView = token_.floatValue;
        } else if (floatData("FarClip")) {
            camera.FarClip = token_.floatValue;
        } else if (floatData("NearClip")) {
            camera.NearClip = token_.floatValue;
        } else if (opener("Target")) {
            readCameraTarget(camera);
        } else {
            error("Unexpected in a Camera chunk");
        }
        if (stopped()) return;
    }
}

void MdlParser::readCameraTarget(Camera& camera) {
    while (nextMember()) {
        if (bracedFloats("Position", 3)) {
            camera.TargetPosition = vec3();
        } else if (opener("Translation")) {
            readTrack(camera.TargetTranslation);
        } else {
            error("Unexpected in a Camera-target chunk");
        }
        if (stopped()) return;
    }
}

}  // namespace tess

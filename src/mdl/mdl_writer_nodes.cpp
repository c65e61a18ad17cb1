// Blocks of the scene objects: every node kind and the camera.

#include <cstdint>
#include <string_view>

#include "mdl/mdl_writer_blocks.h"
#include "mdl/mdl_writer_tracks.h"
#include "model/checks.h"

namespace tess {
namespace {

struct FlagLine {
    std::uint32_t bit;
    std::string_view line;
};

// The order in which node flags are written; the kind bits have no line.
constexpr FlagLine kNodeFlagLines[] = {
    {BillboardedLockX, "\tBillboardedLockX,\n"},
    {BillboardedLockY, "\tBillboardedLockY,\n"},
    {BillboardedLockZ, "\tBillboardedLockZ,\n"},
    {CameraAnchored, "\tCameraAnchored,\n"},
    {Billboarded, "\tBillboarded,\n"},
    {DontInheritTranslation, "\tDontInherit { Translation },\n"},
    {DontInheritRotation, "\tDontInherit { Rotation },\n"},
    {DontInheritScaling, "\tDontInherit { Scaling },\n"},
};

// Emitter flags of a ParticleEmitter2 with a line of their own (Unshaded is separate:
// it needs the particle-emitter kind bit too).
constexpr FlagLine kEmitter2FlagLinesAfterUnshaded[] = {
    {Emitter2LineEmitter, "\tLineEmitter,\n"},
    {Emitter2Unfogged, "\tUnfogged,\n"},
    {Emitter2ModelSpace, "\tModelSpace,\n"},
    {Emitter2XYQuad, "\tXYQuad,\n"},
};

void writeFlagLines(MdlText& text, std::uint32_t flags, const auto& table) {
    for (const FlagLine& entry : table) {
        if ((flags & entry.bit) != 0) text.text(entry.line);
    }
}

void writeNamedHead(MdlText& text, std::string_view kind, std::string_view name) {
    text.text(kind);
    text.quotedLine(" ", name, " {\n");
}

void writeObjectIdAndParent(MdlText& text, const Node& node) {
    text.intLine("\tObjectId ", node.ObjectId);
    if (node.Parent != -1) text.intLine("\tParent ", node.Parent);
}

void writeNodeHeader(MdlText& text, const Node& node) {
    writeObjectIdAndParent(text, node);
    writeFlagLines(text, node.flags, kNodeFlagLines);
}

void writeNodeTransformTracks(MdlText& text, const Node& node) {
    writeKeyedTrack(text, node.Translation, "Translation", "\t");
    writeKeyedTrack(text, node.Rotation, "Rotation", "\t");
    writeKeyedTrack(text, node.Scaling, "Scaling", "\t");
}

void writeNodeTracks(MdlText& text, const Node& node) {
    writeNodeTransformTracks(text, node);
    writeKeyedTrack(text, node.Visibility, "Visibility", "\t");
}

std::string_view emitter2FilterName(std::uint32_t mode) {
    switch (mode) {
        case P2Blend:
            return "Blend";
        case P2Additive:
            return "Additive";
        case P2Modulate:
            return "Modulate";
        case P2AlphaKey:
            return "AlphaKey";
        default:
            return "ERROR-UNKNOWN";
    }
}

std::string_view headOrTailName(std::uint32_t value) {
    switch (value) {
        case Head:
            return "Head";
        case Tail:
            return "Tail";
        case Both:
            return "Both";
        default:
            return "ERROR-UNKNOWN";
    }
}

void writeFlagWordLine(MdlText& text, std::string_view word) {
    text.text("\t");
    text.text(word);
    text.text(",\n");
}

void writeIntTripleLine(MdlText& text, std::string_view head, std::int32_t a, std::int32_t b,
                        std::int32_t c) {
    text.text(head);
    text.text("{ ");
    text.integer(a);
    text.text(", ");
    text.integer(b);
    text.text(", ");
    text.integer(c);
    text.text(" },\n");
}

void writeUintTripleLine(MdlText& text, std::string_view head, const std::array<std::uint32_t, 3>& values) {
    writeIntTripleLine(text, head, static_cast<std::int32_t>(values[0]), static_cast<std::int32_t>(values[1]),
                       static_cast<std::int32_t>(values[2]));
}

}  // namespace

void writeBone(MdlText& text, const Bone& bone) {
    writeNamedHead(text, "Bone", bone.node.Name);
    writeNodeHeader(text, bone.node);
    if (bone.GeosetId == -1) {
        text.text("\tGeosetId Multiple,\n");
    } else {
        text.intLine("\tGeosetId ", bone.GeosetId);
    }
    if (bone.GeosetAnimId == -1) {
        text.text("\tGeosetAnimId None,\n");
    } else {
        text.intLine("\tGeosetAnimId ", bone.GeosetAnimId);
    }
    writeNodeTracks(text, bone.node);
    text.text("}\n");
}

void writeLight(MdlText& text, const Light& light) {
    writeNamedHead(text, "Light", light.node.Name);
    writeNodeHeader(text, light.node);
    switch (light.Type) {
        case Omnidirectional:
            text.text("\tOmnidirectional,\n");
            break;
        case Directional:
            text.text("\tDirectional,\n");
            break;
        case Ambient:
            text.text("\tAmbient,\n");
            break;
        default:
            break;
    }
    writeTrack(text, light.AttenuationStart, "AttenuationStart", "\t");
    writeTrack(text, light.AttenuationEnd, "AttenuationEnd", "\t");
    writeTrack(text, light.Intensity, "Intensity", "\t");
    writeTrack(text, light.Color, "Color", "\t");
    writeTrack(text, light.AmbIntensity, "AmbIntensity", "\t");
    writeTrack(text, light.AmbColor, "AmbColor", "\t");
    writeKeyedTrack(text, light.Visibility, "Visibility", "\t");
    writeNodeTracks(text, light.node);
    text.text("}\n");
}

void writeHelper(MdlText& text, const Helper& helper) {
    writeNamedHead(text, "Helper", helper.node.Name);
    writeNodeHeader(text, helper.node);
    writeNodeTracks(text, helper.node);
    text.text("}\n");
}

void writeAttachment(MdlText& text, const Attachment& attachment, std::size_t index) {
    writeNamedHead(text, "Attachment", attachment.node.Name);
    writeNodeHeader(text, attachment.node);
    // The reader gives an attachment without this line its own index.
    if (attachment.AttachmentID != static_cast<std::int32_t>(index)) {
        text.intLine("\tAttachmentID ", attachment.AttachmentID);
    }
    if (!attachment.Path.empty()) text.quotedLine("\tPath ", attachment.Path, ",\n");
    writeNodeTracks(text, attachment.node);
    text.text("}\n");
}

void writeParticleEmitter(MdlText& text, const ParticleEmitter& emitter, Diagnostics& diagnostics) {
    const Node& node = emitter.node;
    writeNamedHead(text, "ParticleEmitter", node.Name);
    writeObjectIdAndParent(text, node);
    if ((node.flags & EmitterUsesTGA) != 0) {
        text.text("\tEmitterUsesTGA,\n");
    } else {
        if ((node.flags & EmitterUsesMDL) == 0) diagnostics.check(kMdlEmitterWithoutUsesFlag);
        text.text("\tEmitterUsesMDL,\n");
    }
    // Inheritance and billboard flags and the transform tracks are kept too: the reader
    // accepts them here, and leaving them out would lose them on saving. An emitter
    // without them is written exactly as before.
    writeFlagLines(text, node.flags, kNodeFlagLines);
    writeTrack(text, emitter.EmissionRate, "EmissionRate", "\t");
    writeTrack(text, emitter.Gravity, "Gravity", "\t");
    writeTrack(text, emitter.Longitude, "Longitude", "\t");
    writeTrack(text, emitter.Latitude, "Latitude", "\t");
    writeTrack(text, emitter.Visibility, "Visibility", "\t");
    text.text("\tParticle {\n");
    writeTrack(text, emitter.LifeSpan, "LifeSpan", "\t\t");
    writeTrack(text, emitter.InitVelocity, "InitVelocity", "\t\t");
    text.quotedLine("\t\tPath ", emitter.Path, ",\n");
    text.text("\t}\n");
    writeNodeTransformTracks(text, node);
    text.text("}\n");
}

void writeParticleEmitter2(MdlText& text, const ParticleEmitter2& emitter, Diagnostics& diagnostics) {
    const std::uint32_t flags = emitter.emitterFlags;
    writeNamedHead(text, "ParticleEmitter2", emitter.node.Name);
    writeObjectIdAndParent(text, emitter.node);
    if ((flags & DontInheritRotation) != 0) text.text("\tDontInherit { Rotation },\n");
    if ((flags & Emitter2SortPrimsFarZ) != 0) text.text("\tSortPrimsFarZ,\n");
    constexpr std::uint32_t kUnshadedBits = Emitter2Unshaded | NodeIsParticleEmitter;
    if ((flags & kUnshadedBits) == kUnshadedBits) text.text("\tUnshaded,\n");
    writeFlagLines(text, flags, kEmitter2FlagLinesAfterUnshaded);

    writeTrack(text, emitter.Speed, "Speed", "\t");
    writeTrack(text, emitter.Variation, "Variation", "\t");
    writeTrack(text, emitter.Latitude, "Latitude", "\t");
    writeTrack(text, emitter.Gravity, "Gravity", "\t");
    writeNonDefaultTrack(text, emitter.Visibility, "Visibility", "\t", 0.0f);
    if (emitter.Squirt == 1) text.text("\tSquirt,\n");
    text.realLine("\tLifeSpan ", emitter.LifeSpan);
    writeTrack(text, emitter.EmissionRate, "EmissionRate", "\t");
    writeTrack(text, emitter.Width, "Width", "\t");
    writeTrack(text, emitter.Length, "Length", "\t");

    if (emitter.FilterMode == 3 || emitter.FilterMode > P2AlphaKey)
        diagnostics.check(kMdlUnknownEmitter2Filter);
    writeFlagWordLine(text, emitter2FilterName(emitter.FilterMode));
    text.intLine("\tRows ", emitter.Rows);
    text.intLine("\tColumns ", emitter.Columns);
    writeFlagWordLine(text, headOrTailName(emitter.headOrTail));
    text.realLine("\tTailLength ", emitter.TailLength);
    text.realLine("\tTime ", emitter.Time);

    text.text("\tSegmentColor {\n");
    for (const Vec3& color : emitter.SegmentColor) text.bracedLine("\t\tColor ", color);
    text.text("\t},\n");
    writeIntTripleLine(text, "\tAlpha ", emitter.Alpha[0], emitter.Alpha[1], emitter.Alpha[2]);
    text.bracedLine("\tParticleScaling ", emitter.ParticleScaling);
    writeUintTripleLine(text, "\tLifeSpanUVAnim ", emitter.LifeSpanUVAnim);
    writeUintTripleLine(text, "\tDecayUVAnim ", emitter.DecayUVAnim);
    writeUintTripleLine(text, "\tTailUVAnim ", emitter.TailUVAnim);
    writeUintTripleLine(text, "\tTailDecayUVAnim ", emitter.TailDecayUVAnim);

    text.intLine("\tTextureID ", emitter.TextureID);
    if (emitter.ReplaceableId != 0) text.intLine("\tReplaceableId ", emitter.ReplaceableId);
    if (emitter.PriorityPlane != 0) text.intLine("\tPriorityPlane ", emitter.PriorityPlane);
    writeNodeTransformTracks(text, emitter.node);
    text.text("}\n");
}

void writeRibbonEmitter(MdlText& text, const RibbonEmitter& emitter) {
    writeNamedHead(text, "RibbonEmitter", emitter.node.Name);
    writeNodeHeader(text, emitter.node);
    writeTrack(text, emitter.HeightAbove, "HeightAbove", "\t");
    writeTrack(text, emitter.HeightBelow, "HeightBelow", "\t");
    writeTrack(text, emitter.Alpha, "Alpha", "\t");
    writeTrack(text, emitter.Color, "Color", "\t");
    writeTrack(text, emitter.TextureSlot, "TextureSlot", "\t");
    writeNonDefaultTrack(text, emitter.Visibility, "Visibility", "\t", 0.0f);
    text.intLine("\tEmissionRate ", emitter.EmissionRate);
    text.realLine("\tLifeSpan ", emitter.LifeSpan);
    if (emitter.Gravity != 0) text.realLine("\tGravity ", emitter.Gravity);
    text.intLine("\tRows ", emitter.Rows);
    text.intLine("\tColumns ", emitter.Columns);
    text.intLine("\tMaterialID ", emitter.MaterialID);
    writeNodeTracks(text, emitter.node);
    text.text("}\n");
}

void writeCamera(MdlText& text, const Camera& camera) {
    writeNamedHead(text, "Camera", camera.Name);
    text.bracedLine("\tPosition ", camera.Position);
    writeKeyedTrack(text, camera.Translation, "Translation", "\t");
    writeKeyedTrack(text, camera.Rotation, "Rotation", "\t");
    text.realLine("\tFieldOfView ", camera.FieldOfView);
    text.realLine("\tFarClip ", camera.FarClip);
    text.realLine("\tNearClip ", camera.NearClip);
    text.text("\tTarget {\n");
    text.bracedLine("\t\tPosition ", camera.TargetPosition);
    writeKeyedTrack(text, camera.TargetTranslation, "Translation", "\t\t");
    text.text("\t}\n");
    text.text("}\n");
}

void writeEventObject(MdlText& text, const EventObject& event) {
    writeNamedHead(text, "EventObject", event.node.Name);
    writeNodeHeader(text, event.node);
    if (!event.times.empty()) {
        text.text("\tEventTrack ");
        text.integer(static_cast<std::int32_t>(event.times.size()));
        text.text(" {\n");
        for (std::uint32_t time : event.times) text.intLine("\t\t", time);
        text.text("\t}\n");
    }
    writeNodeTracks(text, event.node);
    text.text("}\n");
}

void writeCollisionShape(MdlText& text, const CollisionShape& shape) {
    writeNamedHead(text, "CollisionShape", shape.node.Name);
    writeNodeHeader(text, shape.node);
    // Types other than box and sphere have no text form: they go out as a box with one
    // vertex, which the reader rejects instead of taking a wrong shape.
    const bool sphere = shape.shapeType == ShapeSphere;
    text.text(sphere ? "\tSphere,\n" : "\tBox,\n");
    text.text(sphere ? "\tVertices 1 {\n" : "\tVertices 2 {\n");
    text.bracedLine("\t\t", shape.vertex1);
    if (shape.shapeType == ShapeBox) text.bracedLine("\t\t", shape.vertex2);
    text.text("\t}\n");
    if (sphere) text.realLine("\tBoundsRadius ", shape.BoundsRadius);
    writeNodeTracks(text, shape.node);
    text.text("}\n");
}

}  // namespace tess

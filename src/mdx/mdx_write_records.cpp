#include "mdx/mdx_write_records.h"

#include <algorithm>
#include <cstring>

#include "mdx/mdx_record_tracks.h"
#include "mdx/mdx_sizes.h"
#include "mdx/mdx_tags.h"
#include "mdx/mdx_track_codec.h"
#include "model/checks.h"

namespace tess {
namespace {

void writeSize(ByteWriter& out, std::size_t size) {
    out.u32(static_cast<std::uint32_t>(size));
}

// Writes each track a visit reaches under its tag; unkeyed tracks write nothing.
struct TrackWriter {
    ByteWriter& out;
    template <class V>
    void operator()(std::uint32_t tag, const Track<V>& track) const {
        writeTrack(out, tag, track);
    }
};

// The node head and its tracks; `flags` is the word stored in the flags place.
void writeNode(ByteWriter& out, const Node& node, std::uint32_t flags, bool withVisibility) {
    writeSize(out, mdxNodeSize(node, withVisibility));
    out.fixedString(node.Name, kMdxNameWidth);
    out.u32(node.ObjectId);
    out.i32(node.Parent);
    out.u32(flags);
    forEachNodeTrack(node, withVisibility, TrackWriter{out});
}

void writeLayer(ByteWriter& out, const Layer& layer) {
    writeSize(out, mdxLayerSize(layer));
    out.u32(layer.FilterMode);
    out.u32(layer.shadingFlags);
    out.u32(layer.TextureID.staticValue);
    out.i32(layer.TVertexAnimId);
    out.u32(layer.CoordId);
    out.f32(layer.Alpha.staticValue);
    forEachTrack(layer, TrackWriter{out});
}

void writeBlockHead(ByteWriter& out, std::uint32_t tag, std::size_t count) {
    out.u32(tag);
    out.u32(static_cast<std::uint32_t>(count));
}

// Writes the first `count` tuples of `values` and zeros for any it lacks.
template <std::size_t N>
void writeTuples(std::uint8_t* to, const std::vector<std::array<float, N>>& values, std::size_t count) {
    const std::size_t stored = std::min(values.size(), count);
    storeFloatTuples(to, std::span(values.data(), stored));
    std::memset(to + 4 * N * stored, 0, 4 * N * (count - stored));
}

}  // namespace

void writeSequence(ByteWriter& out, const Sequence& s) {
    out.fixedString(s.Name, kMdxNameWidth);
    out.u32(s.IntervalStart);
    out.u32(s.IntervalEnd);
    out.f32(s.MoveSpeed);
    out.u32(s.flags);
    out.f32(s.Rarity);
    out.u32(0);
    out.f32(s.BoundsRadius);
    out.vec3(s.MinimumExtent);
    out.vec3(s.MaximumExtent);
}

void writeTexture(ByteWriter& out, const Texture& t) {
    out.u32(t.ReplaceableId);
    out.fixedString(t.Image, kMdxPathWidth);
    out.u32(0);
    out.u32(t.flags);
}

void writeMaterial(ByteWriter& out, const Material& material) {
    writeSize(out, mdxMaterialSize(material));
    out.i32(material.PriorityPlane);
    out.u32(material.flags);
    writeBlockHead(out, kTagLAYS, material.Layers.size());
    for (const Layer& layer : material.Layers) writeLayer(out, layer);
}

void writeTextureAnim(ByteWriter& out, const TextureAnim& anim) {
    writeSize(out, mdxTextureAnimSize(anim));
    forEachTrack(anim, TrackWriter{out});
}

GeosetExtremes writeGeoset(ByteWriter& out, const Geoset& geoset) {
    const std::size_t n = geoset.vertexCount();
    GeosetExtremes extremes;
    writeSize(out, mdxGeosetSize(geoset));

    writeBlockHead(out, kTagVRTX, n);
    writeTuples(out.take(12 * n), geoset.positions, n);
    writeBlockHead(out, kTagNRMS, n);
    writeTuples(out.take(12 * n), geoset.normals, n);

    // One triangle list covering every corner.
    writeBlockHead(out, kTagPTYP, 1);
    out.u32(4);
    writeBlockHead(out, kTagPCNT, 1);
    out.u32(static_cast<std::uint32_t>(geoset.corners.size()));
    writeBlockHead(out, kTagPVTX, geoset.corners.size());
    std::uint8_t* p = out.take(2 * geoset.corners.size());
    for (std::uint32_t corner : geoset.corners) {
        extremes.maxCorner = std::max(extremes.maxCorner, corner);
        storeU16(p, static_cast<std::uint16_t>(corner));
        p += 2;
    }

    writeBlockHead(out, kTagGNDX, n);
    std::uint8_t* groups = out.take(n);
    const std::size_t storedGroups = std::min(geoset.vertexGroups.size(), n);
    for (std::size_t i = 0; i < storedGroups; ++i) {
        extremes.maxVertexGroup = std::max(extremes.maxVertexGroup, geoset.vertexGroups[i]);
        groups[i] = static_cast<std::uint8_t>(geoset.vertexGroups[i]);
    }
    std::memset(groups + storedGroups, 0, n - storedGroups);

    std::size_t entries = 0;
    writeBlockHead(out, kTagMTGC, geoset.matrixGroups.size());
    for (const auto& group : geoset.matrixGroups) {
        out.u32(static_cast<std::uint32_t>(group.size()));
        entries += group.size();
    }
    writeBlockHead(out, kTagMATS, entries);
    for (const auto& group : geoset.matrixGroups)
        for (std::uint32_t bone : group) out.u32(bone);

    out.u32(geoset.MaterialID);
    out.u32(geoset.SelectionGroup);
    out.u32(geoset.selectionFlags);
    out.f32(geoset.BoundsRadius);
    out.vec3(geoset.MinimumExtent);
    out.vec3(geoset.MaximumExtent);
    out.u32(static_cast<std::uint32_t>(geoset.extents.size()));
    for (const Extent& extent : geoset.extents) {
        out.f32(extent.BoundsRadius);
        out.vec3(extent.MinimumExtent);
        out.vec3(extent.MaximumExtent);
    }

    const std::size_t sets = mdxTextureSetCount(geoset);
    writeBlockHead(out, kTagUVAS, sets);
    for (std::size_t k = 0; k < sets; ++k) {
        writeBlockHead(out, kTagUVBS, n);
        writeTuples(out.take(8 * n), geoset.uvSets[k], n);
    }
    return extremes;
}

void writeGeosetAnim(ByteWriter& out, const GeosetAnim& anim) {
    writeSize(out, mdxGeosetAnimSize(anim));
    out.f32(anim.Alpha.staticValue);
    out.u32(anim.flags);
    out.bgr(anim.Color.staticValue);
    out.u32(anim.GeosetId);
    forEachTrack(anim, TrackWriter{out});
}

void writeBone(ByteWriter& out, const Bone& bone) {
    writeNode(out, bone.node, bone.node.flags, true);
    out.i32(bone.GeosetId);
    out.i32(bone.GeosetAnimId);
}

void writeLight(ByteWriter& out, const Light& light) {
    writeSize(out, mdxLightSize(light));
    writeNode(out, light.node, light.node.flags, true);
    out.u32(light.Type);
    out.f32(light.AttenuationStart.staticValue);
    out.f32(light.AttenuationEnd.staticValue);
    out.bgr(light.Color.staticValue);
    out.f32(light.Intensity.staticValue);
    out.bgr(light.AmbColor.staticValue);
    out.f32(light.AmbIntensity.staticValue);
    forEachTrack(light, TrackWriter{out});
}

void writeHelper(ByteWriter& out, const Helper& helper) {
    writeNode(out, helper.node, helper.node.flags, true);
}

void writeAttachment(ByteWriter& out, const Attachment& attachment) {
    // The node's visibility follows the attachment's own fields, outside the node.
    writeSize(out, mdxAttachmentSize(attachment));
    writeNode(out, attachment.node, attachment.node.flags, false);
    out.fixedString(attachment.Path, kMdxPathWidth);
    out.u32(0);
    out.i32(attachment.AttachmentID);
    forEachTrack(attachment, TrackWriter{out});
}

void writeParticleEmitter(ByteWriter& out, const ParticleEmitter& e) {
    writeSize(out, mdxParticleEmitterSize(e));
    writeNode(out, e.node, e.node.flags, false);
    out.f32(e.EmissionRate.staticValue);
    out.f32(e.Gravity.staticValue);
    out.f32(e.Longitude.staticValue);
    out.f32(e.Latitude.staticValue);
    out.fixedString(e.Path, kMdxPathWidth);
    out.u32(0);
    out.f32(e.LifeSpan.staticValue);
    out.f32(e.InitVelocity.staticValue);
    forEachTrack(e, TrackWriter{out});
}

void writeParticleEmitter2(ByteWriter& out, const ParticleEmitter2& e) {
    writeSize(out, mdxParticleEmitter2Size(e));
    writeNode(out, e.node, e.emitterFlags, false);
    out.f32(e.Speed.staticValue);
    out.f32(e.Variation.staticValue);
    out.f32(e.Latitude.staticValue);
    out.f32(e.Gravity.staticValue);
    out.f32(e.LifeSpan);
    out.f32(e.EmissionRate.staticValue);
    out.f32(e.Length.staticValue);
    out.f32(e.Width.staticValue);
    out.u32(e.FilterMode);
    out.u32(e.Rows);
    out.u32(e.Columns);
    out.u32(e.headOrTail);
    out.f32(e.TailLength);
    out.f32(e.Time);
    for (const Vec3& colour : e.SegmentColor) out.bgr(colour);
    for (std::uint8_t alpha : e.Alpha) out.u8(alpha);
    out.vec3(e.ParticleScaling);
    for (const auto* uvAnim : {&e.LifeSpanUVAnim, &e.DecayUVAnim, &e.TailUVAnim, &e.TailDecayUVAnim})
        for (std::uint32_t value : *uvAnim) out.u32(value);
    out.u32(e.TextureID);
    out.u32(e.Squirt);
    out.i32(e.PriorityPlane);
    out.u32(e.ReplaceableId);
    forEachTrack(e, TrackWriter{out});
}

void writeRibbonEmitter(ByteWriter& out, const RibbonEmitter& e) {
    writeSize(out, mdxRibbonEmitterSize(e));
    writeNode(out, e.node, e.emitterFlags, false);
    out.f32(e.HeightAbove.staticValue);
    out.f32(e.HeightBelow.staticValue);
    out.f32(e.Alpha.staticValue);
    out.bgr(e.Color.staticValue);
    out.f32(e.LifeSpan);
    out.u32(0);  // texture slot: the KRTX track holds it
    out.u32(e.EmissionRate);
    out.u32(e.Rows);
    out.u32(e.Columns);
    out.u32(e.MaterialID);
    out.f32(e.Gravity);
    forEachTrack(e, TrackWriter{out});
}

void writeCamera(ByteWriter& out, const Camera& camera) {
    writeSize(out, mdxCameraSize(camera));
    out.fixedString(camera.Name, kMdxNameWidth);
    out.vec3(camera.Position);
    out.f32(camera.FieldOfView);
    out.f32(camera.FarClip);
    out.f32(camera.NearClip);
    out.vec3(camera.TargetPosition);
    forEachTrack(camera, TrackWriter{out});
}

void writeEventObject(ByteWriter& out, const EventObject& event) {
    writeNode(out, event.node, event.node.flags, true);
    writeBlockHead(out, kTagKEVT, event.times.size());
    out.i32(-1);  // global sequence: event times keep none
    for (std::uint32_t time : event.times) out.u32(time);
}

void writeCollisionShape(ByteWriter& out, const CollisionShape& shape, Diagnostics& diagnostics) {
    writeNode(out, shape.node, shape.node.flags, true);
    out.u32(shape.shapeType);
    out.vec3(shape.vertex1);
    if (shape.shapeType == ShapeSphere) {
        out.f32(shape.BoundsRadius);
        return;
    }
    if (shape.shapeType != ShapeBox) diagnostics.check(kMdxUnknownCollisionShape, Severity::Warning);
    out.vec3(shape.vertex2);
}

}  // namespace tess

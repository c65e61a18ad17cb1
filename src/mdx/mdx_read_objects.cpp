#include "mdx/mdx_read_context.h"
#include "mdx/mdx_record_tracks.h"
#include "mdx/mdx_sizes.h"
#include "mdx/mdx_tags.h"

namespace tess {
namespace {

// The tracks `record` can hold, in the form MdxReadContext::readTracks takes them.
template <class Record>
auto tracksOf(Record& record) {
    return [&record](auto&& visit) { forEachTrack(record, visit); };
}

// Reads a node head: inclusive size, name, ids, flags, then its tracks up to the node's
// end. Emitter nodes accept no KATV. The flags word is returned rather than stored,
// because some kinds keep it outside the node.
std::uint32_t readNode(MdxReadContext& ctx, Node& node, std::uint64_t enclosingEnd, bool acceptVisibility) {
    ByteCursor& in = ctx.cursor;
    const std::size_t start = in.position();
    const std::uint32_t size = in.u32();
    node.Name = in.fixedString(kMdxNameWidth);
    node.ObjectId = in.u32();
    node.Parent = in.i32();
    const std::uint32_t flags = in.u32();
    if (in.failed()) return flags;
    const std::uint64_t end = ctx.recordEnd(start, size, enclosingEnd);
    ctx.readTracks(end, kMdxUnexpectedNodeTag,
                   [&](auto&& visit) { forEachNodeTrack(node, acceptVisibility, visit); });
    ctx.checkEnd(end, kMdxNodeEndMismatch);
    return flags;
}

// Reads the inclusive size that opens a record and returns the record's end.
std::uint64_t readRecordSize(MdxReadContext& ctx, std::uint64_t enclosingEnd) {
    const std::size_t start = ctx.cursor.position();
    const std::uint32_t size = ctx.cursor.u32();
    return ctx.recordEnd(start, size, enclosingEnd);
}

void readLayer(MdxReadContext& ctx, Layer& layer, std::uint64_t chunkEnd) {
    ByteCursor& in = ctx.cursor;
    const std::uint64_t end = readRecordSize(ctx, chunkEnd);
    layer.FilterMode = in.u32();
    layer.shadingFlags = in.u32();
    layer.TextureID.staticValue = in.u32();
    layer.TVertexAnimId = in.i32();
    layer.CoordId = in.u32();
    layer.Alpha.staticValue = in.f32();
    ctx.readTracks(end, kMdxUnexpectedLayerTag, tracksOf(layer));
    ctx.checkEnd(end, kMdxLayerEndMismatch);
}

constexpr std::size_t kLayerFixedSize = 28;

}  // namespace

void readMaterial(MdxReadContext& ctx, Material& material, std::uint64_t chunkEnd) {
    ByteCursor& in = ctx.cursor;
    in.u32();  // inclusive size: the layers' own sizes frame them
    material.PriorityPlane = in.i32();
    material.flags = in.u32();
    const std::uint32_t lays = in.u32();
    if (in.failed()) return;
    if (lays != kTagLAYS) ctx.report(kMdxMissingLays);
    const std::uint32_t count = in.u32();
    if (!in.require(count, kLayerFixedSize)) return;
    material.Layers.reserve(count);
    for (std::uint32_t i = 0; i < count && !in.failed(); ++i) {
        Layer layer;
        readLayer(ctx, layer, chunkEnd);
        material.Layers.push_back(std::move(layer));
    }
}

void readTextureAnim(MdxReadContext& ctx, TextureAnim& anim, std::uint64_t chunkEnd) {
    const std::uint64_t end = readRecordSize(ctx, chunkEnd);
    if (ctx.cursor.failed()) return;
    ctx.readTracks(end, kMdxUnexpectedRecordTag, tracksOf(anim));
    ctx.checkEnd(end, kMdxRecordEndMismatch);
}

void readGeosetAnim(MdxReadContext& ctx, GeosetAnim& anim, std::uint64_t chunkEnd) {
    ByteCursor& in = ctx.cursor;
    const std::uint64_t end = readRecordSize(ctx, chunkEnd);
    anim.Alpha.staticValue = in.f32();
    anim.flags = in.u32();
    anim.Color.staticValue = in.bgr();
    anim.GeosetId = in.u32();
    ctx.readTracks(end, kMdxUnexpectedRecordTag, tracksOf(anim));
    ctx.checkEnd(end, kMdxRecordEndMismatch);
}

void readBone(MdxReadContext& ctx, Bone& bone, std::uint64_t chunkEnd) {
    bone.node.flags = readNode(ctx, bone.node, chunkEnd, true);
    bone.GeosetId = ctx.cursor.i32();
    bone.GeosetAnimId = ctx.cursor.i32();
}

void readHelper(MdxReadContext& ctx, Helper& helper, std::uint64_t chunkEnd) {
    helper.node.flags = readNode(ctx, helper.node, chunkEnd, true);
}

void readLight(MdxReadContext& ctx, Light& light, std::uint64_t chunkEnd) {
    ByteCursor& in = ctx.cursor;
    const std::uint64_t end = readRecordSize(ctx, chunkEnd);
    light.node.flags = readNode(ctx, light.node, end, true);
    light.Type = in.u32();
    light.AttenuationStart.staticValue = in.f32();
    light.AttenuationEnd.staticValue = in.f32();
    light.Color.staticValue = in.bgr();
    light.Intensity.staticValue = in.f32();
    light.AmbColor.staticValue = in.bgr();
    light.AmbIntensity.staticValue = in.f32();
    ctx.readTracks(end, kMdxUnexpectedRecordTag, tracksOf(light));
    ctx.checkEnd(end, kMdxRecordEndMismatch);
}

void readAttachment(MdxReadContext& ctx, Attachment& attachment, std::uint64_t chunkEnd) {
    ByteCursor& in = ctx.cursor;
    const std::uint64_t end = readRecordSize(ctx, chunkEnd);
    attachment.node.flags = readNode(ctx, attachment.node, end, true);
    attachment.Path = in.fixedString(kMdxPathWidth);
    in.u32();  // unused word
    attachment.AttachmentID = in.i32();
    ctx.readTracks(end, kMdxUnexpectedRecordTag, tracksOf(attachment));
    ctx.checkEnd(end, kMdxRecordEndMismatch);
}

void readParticleEmitter(MdxReadContext& ctx, ParticleEmitter& emitter, std::uint64_t chunkEnd) {
    ByteCursor& in = ctx.cursor;
    const std::uint64_t end = readRecordSize(ctx, chunkEnd);
    emitter.node.flags = readNode(ctx, emitter.node, end, false);
    emitter.EmissionRate.staticValue = in.f32();
    emitter.Gravity.staticValue = in.f32();
    emitter.Longitude.staticValue = in.f32();
    emitter.Latitude.staticValue = in.f32();
    emitter.Path = in.fixedString(kMdxPathWidth);
    in.u32();  // unused word
    emitter.LifeSpan.staticValue = in.f32();
    emitter.InitVelocity.staticValue = in.f32();
    ctx.readTracks(end, kMdxUnexpectedRecordTag, tracksOf(emitter));
    ctx.checkEnd(end, kMdxRecordEndMismatch);
}

void readParticleEmitter2(MdxReadContext& ctx, ParticleEmitter2& emitter, std::uint64_t chunkEnd) {
    ByteCursor& in = ctx.cursor;
    const std::uint64_t end = readRecordSize(ctx, chunkEnd);
    emitter.emitterFlags = readNode(ctx, emitter.node, end, false);
    emitter.Speed.staticValue = in.f32();
    emitter.Variation.staticValue = in.f32();
    emitter.Latitude.staticValue = in.f32();
    emitter.Gravity.staticValue = in.f32();
    emitter.LifeSpan = in.f32();
    emitter.EmissionRate.staticValue = in.f32();
    emitter.Length.staticValue = in.f32();
    emitter.Width.staticValue = in.f32();
    emitter.FilterMode = in.u32();
    emitter.Rows = in.u32();
    emitter.Columns = in.u32();
    emitter.headOrTail = in.u32();
    emitter.TailLength = in.f32();
    emitter.Time = in.f32();
    for (Vec3& colour : emitter.SegmentColor) colour = in.bgr();
    for (std::uint8_t& alpha : emitter.Alpha) alpha = in.u8();
    emitter.ParticleScaling = in.vec3();
    for (auto* uvAnim :
         {&emitter.LifeSpanUVAnim, &emitter.DecayUVAnim, &emitter.TailUVAnim, &emitter.TailDecayUVAnim})
        for (std::uint32_t& value : *uvAnim) value = in.u32();
    emitter.TextureID = in.u32();
    emitter.Squirt = in.u32();
    emitter.PriorityPlane = in.i32();
    emitter.ReplaceableId = in.u32();
    ctx.readTracks(end, kMdxUnexpectedRecordTag, tracksOf(emitter));
    ctx.checkEnd(end, kMdxRecordEndMismatch);
}

void readRibbonEmitter(MdxReadContext& ctx, RibbonEmitter& emitter, std::uint64_t chunkEnd) {
    ByteCursor& in = ctx.cursor;
    const std::uint64_t end = readRecordSize(ctx, chunkEnd);
    emitter.emitterFlags = readNode(ctx, emitter.node, end, false);
    emitter.HeightAbove.staticValue = in.f32();
    emitter.HeightBelow.staticValue = in.f32();
    emitter.Alpha.staticValue = in.f32();
    emitter.Color.staticValue = in.bgr();
    emitter.LifeSpan = in.f32();
    in.u32();  // texture slot: the KRTX track holds it
    emitter.EmissionRate = in.u32();
    emitter.Rows = in.u32();
    emitter.Columns = in.u32();
    emitter.MaterialID = in.u32();
    emitter.Gravity = in.f32();
    ctx.readTracks(end, kMdxUnexpectedRecordTag, tracksOf(emitter));
    ctx.checkEnd(end, kMdxRecordEndMismatch);
}

void readCamera(MdxReadContext& ctx, Camera& camera, std::uint64_t chunkEnd) {
    ByteCursor& in = ctx.cursor;
    const std::uint64_t end = readRecordSize(ctx, chunkEnd);
    camera.Name = in.fixedString(kMdxNameWidth);
    camera.Position = in.vec3();
    camera.FieldOfView = in.f32();
    camera.FarClip = in.f32();
    camera.NearClip = in.f32();
    camera.TargetPosition = in.vec3();
    ctx.readTracks(end, kMdxUnexpectedRecordTag, tracksOf(camera));
    ctx.checkEnd(end, kMdxRecordEndMismatch);
}

void readEventObject(MdxReadContext& ctx, EventObject& event, std::uint64_t chunkEnd) {
    ByteCursor& in = ctx.cursor;
    event.node.flags = readNode(ctx, event.node, chunkEnd, true);
    const std::uint32_t tag = in.u32();
    if (in.failed()) return;
    if (tag != kTagKEVT) ctx.report(kMdxMissingKevt);
    const std::uint32_t count = in.u32();
    in.u32();  // global sequence word: event times keep none
    const std::uint8_t* p = in.require(count, 4) ? in.take(std::uint64_t{count} * 4) : nullptr;
    if (!p) return;
    event.times.resize(count);
    for (std::uint32_t& time : event.times) {
        time = loadU32(p);
        p += 4;
    }
}

void readCollisionShape(MdxReadContext& ctx, CollisionShape& shape, std::uint64_t chunkEnd) {
    ByteCursor& in = ctx.cursor;
    shape.node.flags = readNode(ctx, shape.node, chunkEnd, true);
    shape.shapeType = in.u32();
    shape.vertex1 = in.vec3();
    if (shape.shapeType == ShapeSphere)
        shape.BoundsRadius = in.f32();
    else
        shape.vertex2 = in.vec3();
}

}  // namespace tess

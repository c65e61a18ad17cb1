#include "mdx/mdx_reader.h"

#include <algorithm>

#include "mdx/mdx_read_context.h"
#include "mdx/mdx_sizes.h"
#include "mdx/mdx_tags.h"

namespace tess {
namespace {

void traceTag(std::ostream& trace, const std::uint8_t* tag) {
    char line[10] = {'T', 'a', 'g', ':', ' ', 0, 0, 0, 0, '\n'};
    std::copy(tag, tag + 4, line + 5);
    trace.write(line, sizeof line);
}

void readModelHeader(ByteCursor& in, Model& model) {
    model.Name = in.fixedString(kMdxModelNameWidth);
    in.u32();  // unused word
    model.BoundsRadius = in.f32();
    model.MinimumExtent = in.vec3();
    model.MaximumExtent = in.vec3();
    model.BlendTime = in.u32();
}

Sequence readSequence(ByteCursor& in) {
    Sequence s;
    s.Name = in.fixedString(80);
    s.IntervalStart = in.u32();
    s.IntervalEnd = in.u32();
    s.MoveSpeed = in.f32();
    s.flags = in.u32();
    s.Rarity = in.f32();
    in.u32();  // unused word
    s.BoundsRadius = in.f32();
    s.MinimumExtent = in.vec3();
    s.MaximumExtent = in.vec3();
    return s;
}

Texture readTexture(ByteCursor& in) {
    Texture t;
    t.ReplaceableId = in.u32();
    t.Image = in.fixedString(256);
    in.u32();  // unused word
    t.flags = in.u32();
    return t;
}

// Record loops start a record only while data is left, and keep a record that the end
// of the data cut short with what was read of it.

// Reads size / recordSize records (a remainder is left for the caller to report).
template <class T, class ReadOne>
void readFixedRecords(ByteCursor& in, std::uint32_t size, std::size_t recordSize, std::vector<T>& into,
                      ReadOne&& readOne) {
    const std::size_t count = size / recordSize;
    into.reserve(std::min(count, in.remaining() / recordSize + 1));
    for (std::size_t i = 0; i < count && !in.failed() && !in.atLimit(); ++i) into.push_back(readOne(in));
}

// Reads records while the position is before the chunk's end, appending each.
template <class T, class ReadOne>
void readRecords(MdxReadContext& ctx, std::uint64_t end, std::vector<T>& into, ReadOne&& readOne) {
    while (ctx.cursor.position() < end && !ctx.cursor.failed() && !ctx.cursor.atLimit()) {
        T object;
        readOne(ctx, object, end);
        into.push_back(std::move(object));
    }
}

// Reads the body of one chunk. The cursor's limit is the chunk's end (or the file's,
// when the chunk claims more than the file holds). Returns false for an unknown tag.
bool readChunkBody(MdxReadContext& ctx, Model& model, std::uint32_t tag, std::uint32_t size,
                   std::uint64_t end) {
    ByteCursor& in = ctx.cursor;
    switch (tag) {
        case kTagVERS:
            model.FormatVersion = in.u32();
            return true;
        case kTagMODL:
            readModelHeader(in, model);
            return true;
        case kTagSEQS:
            readFixedRecords(in, size, kMdxSequenceSize, model.Sequences, readSequence);
            return true;
        case kTagTEXS:
            readFixedRecords(in, size, kMdxTextureSize, model.Textures, readTexture);
            return true;
        case kTagPIVT:
            readFixedRecords(in, size, kMdxPivotSize, model.PivotPoints,
                             [](ByteCursor& c) { return c.vec3(); });
            return true;
        case kTagGLBS:
            while (in.position() < end && !in.atLimit()) {
                const std::uint32_t duration = in.u32();
                if (in.failed()) break;
                model.GlobalSequences.push_back(duration);
            }
            return true;
        case kTagMTLS:
            readRecords(ctx, end, model.Materials, readMaterial);
            return true;
        case kTagTXAN:
            readRecords(ctx, end, model.TextureAnims, readTextureAnim);
            return true;
        case kTagGEOS:
            readRecords(ctx, end, model.Geosets,
                        [](MdxReadContext& c, Geoset& g, std::uint64_t) { readGeoset(c, g); });
            return true;
        case kTagGEOA:
            readRecords(ctx, end, model.GeosetAnims, readGeosetAnim);
            return true;
        case kTagBONE:
            readRecords(ctx, end, model.Bones, readBone);
            return true;
        case kTagLITE:
            readRecords(ctx, end, model.Lights, readLight);
            return true;
        case kTagHELP:
            readRecords(ctx, end, model.Helpers, readHelper);
            return true;
        case kTagATCH:
            readRecords(ctx, end, model.Attachments, readAttachment);
            return true;
        case kTagPREM:
            readRecords(ctx, end, model.ParticleEmitters, readParticleEmitter);
            return true;
        case kTagPRE2:
            readRecords(ctx, end, model.ParticleEmitters2, readParticleEmitter2);
            return true;
        case kTagRIBB:
            readRecords(ctx, end, model.RibbonEmitters, readRibbonEmitter);
            return true;
        case kTagCAMS:
            readRecords(ctx, end, model.Cameras, readCamera);
            return true;
        case kTagEVTS:
            readRecords(ctx, end, model.EventObjects, readEventObject);
            return true;
        case kTagCLID:
            readRecords(ctx, end, model.CollisionShapes, readCollisionShape);
            return true;
        default:
            return false;
    }
}

}  // namespace

Diagnostics readMdx(Model& model, std::span<const std::uint8_t> bytes, std::ostream& trace) {
    model.reset();
    Diagnostics diagnostics;
    MdxReadContext ctx{ByteCursor(bytes), diagnostics};
    ByteCursor& in = ctx.cursor;

    const std::uint8_t* magic = in.take(4);
    if (!magic) return diagnostics;
    traceTag(trace, magic);
    if (loadU32(magic) != kTagMDLX) return diagnostics;

    // Every chunk is framed by its size: whatever its body holds, the next chunk starts
    // at its declared end, so a damaged chunk cannot spoil the ones after it.
    while (!in.atLimit()) {
        const std::uint8_t* tagBytes = in.take(4);
        if (tagBytes) traceTag(trace, tagBytes);
        const std::uint32_t size = in.u32();
        if (in.failed()) {
            diagnostics.check(kMdxTruncated);
            return diagnostics;
        }
        const std::uint32_t tag = loadU32(tagBytes);
        const std::size_t bodyStart = in.position();
        const std::uint64_t end = static_cast<std::uint64_t>(bodyStart) + size;
        const bool truncated = end > in.fileSize();

        in.setLimit(static_cast<std::size_t>(std::min<std::uint64_t>(end, in.fileSize())));
        const bool known = readChunkBody(ctx, model, tag, size, end);
        if (!known) ctx.report(kMdxUnknownChunk);
        const bool bodyFailed = in.failed();
        const bool shortBody = known && !bodyFailed && in.position() != end;
        in.setLimit(in.fileSize());

        if (truncated) {
            diagnostics.check(kMdxTruncated);
            return diagnostics;
        }
        if (bodyFailed) diagnostics.check(kMdxChunkOverrun);
        if (shortBody) diagnostics.check(kMdxChunkSizeMismatch);
        in.resumeAt(static_cast<std::size_t>(end));
    }
    return diagnostics;
}

}  // namespace tess

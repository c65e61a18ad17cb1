#include "mdx/mdx_writer.h"

#include <algorithm>
#include <cassert>
#include <functional>
#include <limits>

#include "mdx/byte_writer.h"
#include "mdx/mdx_sizes.h"
#include "mdx/mdx_tags.h"
#include "mdx/mdx_write_records.h"

namespace tess {
namespace {

constexpr std::size_t kMaxVerticesPerGeoset = 65536;
constexpr std::uint32_t kMaxCornerIndex = 65535;
constexpr std::uint32_t kMaxVertexGroup = 255;
constexpr std::uint64_t kMaxChunkSize = std::numeric_limits<std::uint32_t>::max();

std::string geosetName(std::size_t index) {
    return "Geoset " + std::to_string(index + 1);
}

// Why a geoset does not fit MDX's fields, judged from what writing it found, or empty.
std::string geosetMisfit(std::size_t index, const GeosetExtremes& extremes) {
    if (extremes.maxCorner > kMaxCornerIndex)
        return geosetName(index) + " has corner index " + std::to_string(extremes.maxCorner) +
               "; MDX can store corner indices up to 65535.";
    if (extremes.maxVertexGroup > kMaxVertexGroup)
        return geosetName(index) + " has vertex group " + std::to_string(extremes.maxVertexGroup) +
               "; MDX can store vertex groups up to 255.";
    return {};
}

// One top-level chunk: its tag, body size, and how to write its body.
struct Chunk {
    std::uint32_t tag;
    std::size_t size;
    std::function<void(ByteWriter&)> write;
};

template <class T, class SizeOf>
std::size_t sumSizes(const std::vector<T>& records, SizeOf&& sizeOf) {
    std::size_t total = 0;
    for (const T& record : records) total += sizeOf(record);
    return total;
}

// A chunk of records written one after another; left out when there are none.
template <class T, class SizeOf, class WriteOne>
void addRecords(std::vector<Chunk>& chunks, std::uint32_t tag, const std::vector<T>& records, SizeOf&& sizeOf,
                WriteOne&& writeOne) {
    if (records.empty()) return;
    chunks.push_back({tag, sumSizes(records, sizeOf), [&records, writeOne](ByteWriter& out) {
                          for (const T& record : records) writeOne(out, record);
                      }});
}

// A chunk of fixed-size records, written even when empty.
template <class T, class WriteOne>
void addFixedRecords(std::vector<Chunk>& chunks, std::uint32_t tag, const std::vector<T>& records,
                     std::size_t recordSize, WriteOne&& writeOne) {
    chunks.push_back({tag, records.size() * recordSize, [&records, writeOne](ByteWriter& out) {
                          for (const T& record : records) writeOne(out, record);
                      }});
}

void writeModelHeader(ByteWriter& out, const Model& model) {
    // The name field carries the mark "KWZ" just before its last byte when the name
    // leaves room for it.
    std::uint8_t* name = out.position();
    out.fixedString(model.Name, kMdxModelNameWidth);
    if (model.Name.size() < kMdxModelNameWidth - 5) std::copy_n("KWZ", 3, name + kMdxModelNameWidth - 4);
    out.u32(0);
    out.f32(model.BoundsRadius);
    out.vec3(model.MinimumExtent);
    out.vec3(model.MaximumExtent);
    out.u32(model.BlendTime);
}

// `misfit` receives the reason the first geoset that does not fit MDX's fields gives.
std::vector<Chunk> planChunks(const Model& m, Diagnostics& diagnostics, std::string& misfit) {
    std::vector<Chunk> chunks;
    chunks.push_back({kTagVERS, kMdxVersionSize, [&m](ByteWriter& out) { out.u32(m.FormatVersion); }});
    chunks.push_back({kTagMODL, kMdxModelHeaderSize, [&m](ByteWriter& out) { writeModelHeader(out, m); }});
    addFixedRecords(chunks, kTagSEQS, m.Sequences, kMdxSequenceSize, writeSequence);
    addRecords(
        chunks, kTagGLBS, m.GlobalSequences, [](std::uint32_t) { return kMdxGlobalSequenceSize; },
        [](ByteWriter& out, std::uint32_t duration) { out.u32(duration); });
    addRecords(chunks, kTagMTLS, m.Materials, mdxMaterialSize, writeMaterial);
    addFixedRecords(chunks, kTagTEXS, m.Textures, kMdxTextureSize, writeTexture);
    addRecords(chunks, kTagTXAN, m.TextureAnims, mdxTextureAnimSize, writeTextureAnim);
    if (!m.Geosets.empty()) {
        chunks.push_back({kTagGEOS, sumSizes(m.Geosets, mdxGeosetSize), [&m, &misfit](ByteWriter& out) {
                              for (std::size_t i = 0; i < m.Geosets.size(); ++i) {
                                  const GeosetExtremes extremes = writeGeoset(out, m.Geosets[i]);
                                  if (misfit.empty()) misfit = geosetMisfit(i, extremes);
                              }
                          }});
    }
    addRecords(chunks, kTagGEOA, m.GeosetAnims, mdxGeosetAnimSize, writeGeosetAnim);
    addRecords(chunks, kTagBONE, m.Bones, mdxBoneSize, writeBone);
    addRecords(chunks, kTagLITE, m.Lights, mdxLightSize, writeLight);
    addRecords(chunks, kTagHELP, m.Helpers, mdxHelperSize, writeHelper);
    addRecords(chunks, kTagATCH, m.Attachments, mdxAttachmentSize, writeAttachment);
    addFixedRecords(chunks, kTagPIVT, m.PivotPoints, kMdxPivotSize,
                    [](ByteWriter& out, const PivotPoint& pivot) { out.vec3(pivot); });
    addRecords(chunks, kTagPREM, m.ParticleEmitters, mdxParticleEmitterSize, writeParticleEmitter);
    addRecords(chunks, kTagPRE2, m.ParticleEmitters2, mdxParticleEmitter2Size, writeParticleEmitter2);
    addRecords(chunks, kTagRIBB, m.RibbonEmitters, mdxRibbonEmitterSize, writeRibbonEmitter);
    addRecords(chunks, kTagCAMS, m.Cameras, mdxCameraSize, writeCamera);
    addRecords(chunks, kTagEVTS, m.EventObjects, mdxEventObjectSize, writeEventObject);
    addRecords(chunks, kTagCLID, m.CollisionShapes, mdxCollisionShapeSize,
               [&diagnostics](ByteWriter& out, const CollisionShape& shape) {
                   writeCollisionShape(out, shape, diagnostics);
               });
    return chunks;
}

std::string tagText(std::uint32_t tag) {
    std::string text(4, ' ');
    for (std::size_t i = 0; i < 4; ++i) text[i] = static_cast<char>(tag >> (8 * i));
    return text;
}

Diagnostics refusal(std::string reason) {
    Diagnostics diagnostics;
    diagnostics.error(std::move(reason));
    return diagnostics;
}

}  // namespace

Diagnostics writeMdx(const Model& model, std::vector<std::uint8_t>& out) {
    for (std::size_t i = 0; i < model.Geosets.size(); ++i) {
        const std::size_t count = model.Geosets[i].vertexCount();
        if (count > kMaxVerticesPerGeoset)
            return refusal(geosetName(i) + " has " + std::to_string(count) +
                           " vertices; MDX can store at most 65536 per geoset.");
    }

    Diagnostics diagnostics;
    std::string misfit;
    const std::vector<Chunk> chunks = planChunks(model, diagnostics, misfit);
    std::size_t total = 4;
    for (const Chunk& chunk : chunks) {
        if (chunk.size > kMaxChunkSize)
            return refusal("The " + tagText(chunk.tag) + " chunk would need " + std::to_string(chunk.size) +
                           " bytes; MDX can store at most 4294967295 per chunk.");
        total += kMdxChunkHeaderSize + chunk.size;
    }

    const std::size_t start = out.size();
    out.resize(start + total);
    ByteWriter writer(out.data() + start, out.data() + out.size());
    writer.u32(kTagMDLX);
    for (const Chunk& chunk : chunks) {
        writer.u32(chunk.tag);
        writer.u32(static_cast<std::uint32_t>(chunk.size));
        [[maybe_unused]] const std::uint8_t* bodyStart = writer.position();
        chunk.write(writer);
        assert(static_cast<std::size_t>(writer.position() - bodyStart) == chunk.size);
    }
    assert(writer.atEnd());
    // Corner indices and vertex groups are checked while they are written; an image with
    // one that does not fit is taken back whole.
    if (!misfit.empty()) {
        out.resize(start);
        return refusal(std::move(misfit));
    }
    return diagnostics;
}

}  // namespace tess

#pragma once

#include <cstdint>

#include "mdx/byte_writer.h"
#include "model/diagnostics.h"
#include "model/model.h"

namespace tess {

// Writers of one MDX record each, field by field. Each writes exactly the bytes its size
// function in mdx_sizes.h counts; the inclusive sizes they store come from there too.
void writeSequence(ByteWriter& out, const Sequence& sequence);
void writeTexture(ByteWriter& out, const Texture& texture);
void writeMaterial(ByteWriter& out, const Material& material);
void writeTextureAnim(ByteWriter& out, const TextureAnim& anim);
// The largest corner index and vertex group a geoset holds. MDX stores them in 16 and 8
// bits, so the caller discards the image when they do not fit.
struct GeosetExtremes {
    std::uint32_t maxCorner = 0;
    std::uint32_t maxVertexGroup = 0;
};
// Writes the low 16 bits of each corner index and the low 8 bits of each vertex group,
// and returns their largest values. Per-vertex arrays shorter than the vertex count (which
// a sound model never has) are written with zeros for the missing entries.
GeosetExtremes writeGeoset(ByteWriter& out, const Geoset& geoset);
void writeGeosetAnim(ByteWriter& out, const GeosetAnim& anim);
void writeBone(ByteWriter& out, const Bone& bone);
void writeLight(ByteWriter& out, const Light& light);
void writeHelper(ByteWriter& out, const Helper& helper);
void writeAttachment(ByteWriter& out, const Attachment& attachment);
void writeParticleEmitter(ByteWriter& out, const ParticleEmitter& emitter);
void writeParticleEmitter2(ByteWriter& out, const ParticleEmitter2& emitter);
void writeRibbonEmitter(ByteWriter& out, const RibbonEmitter& emitter);
void writeCamera(ByteWriter& out, const Camera& camera);
void writeEventObject(ByteWriter& out, const EventObject& event);
// A type other than Box (0) and Sphere (2) is reported (a warning: nothing is lost) and
// written like a box, with its second vertex, so that the file reads back as the same shape.
void writeCollisionShape(ByteWriter& out, const CollisionShape& shape, Diagnostics& diagnostics);

}  // namespace tess

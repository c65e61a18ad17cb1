#pragma once

#include <cstddef>

#include "model/model.h"

namespace tess {

// Bytes each record kind occupies in an MDX file, computed from the model before
// anything is written; the writer writes exactly these many bytes per record. Each size
// includes the record's own inclusive-size field where it has one, and its keyed tracks.

// Fixed layouts.
inline constexpr std::size_t kMdxModelNameWidth = 336;
inline constexpr std::size_t kMdxNameWidth = 80;
inline constexpr std::size_t kMdxPathWidth = 256;
inline constexpr std::size_t kMdxVersionSize = 4;
inline constexpr std::size_t kMdxModelHeaderSize = 372;
inline constexpr std::size_t kMdxSequenceSize = 132;
inline constexpr std::size_t kMdxTextureSize = 268;
inline constexpr std::size_t kMdxPivotSize = 12;
inline constexpr std::size_t kMdxGlobalSequenceSize = 4;
inline constexpr std::size_t kMdxChunkHeaderSize = 8;

// A node head with its tracks; `withVisibility` counts KATV (the kinds whose node keeps it).
std::size_t mdxNodeSize(const Node& node, bool withVisibility);
std::size_t mdxLayerSize(const Layer& layer);
std::size_t mdxMaterialSize(const Material& material);
std::size_t mdxTextureAnimSize(const TextureAnim& anim);
// The number of UVBS sets written for a geoset: none when it has no vertices, which have
// nothing to hold them.
inline std::size_t mdxTextureSetCount(const Geoset& geoset) {
    return geoset.vertexCount() == 0 ? 0 : geoset.textureSetCount();
}
// The geoset's body plus its inclusive-size field.
std::size_t mdxGeosetSize(const Geoset& geoset);
std::size_t mdxGeosetAnimSize(const GeosetAnim& anim);
std::size_t mdxBoneSize(const Bone& bone);
std::size_t mdxLightSize(const Light& light);
std::size_t mdxHelperSize(const Helper& helper);
std::size_t mdxAttachmentSize(const Attachment& attachment);
std::size_t mdxParticleEmitterSize(const ParticleEmitter& emitter);
std::size_t mdxParticleEmitter2Size(const ParticleEmitter2& emitter);
std::size_t mdxRibbonEmitterSize(const RibbonEmitter& emitter);
std::size_t mdxCameraSize(const Camera& camera);
std::size_t mdxEventObjectSize(const EventObject& event);
// Spheres store a radius after the first vertex, every other type a second vertex.
std::size_t mdxCollisionShapeSize(const CollisionShape& shape);

}  // namespace tess

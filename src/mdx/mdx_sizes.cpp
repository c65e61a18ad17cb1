#include "mdx/mdx_sizes.h"

#include "mdx/mdx_record_tracks.h"
#include "mdx/mdx_track_codec.h"

namespace tess {
namespace {

constexpr std::size_t kNodeFixedSize = 96;
constexpr std::size_t kLayerFixedSize = 28;
constexpr std::size_t kMaterialFixedSize = 20;
constexpr std::size_t kGeosetFixedSize = 124;
constexpr std::size_t kGeosetAnimFixedSize = 28;
constexpr std::size_t kLightFixedSize = 48;
constexpr std::size_t kAttachmentFixedSize = 268;
constexpr std::size_t kParticleEmitterFixedSize = 4 + 284;
constexpr std::size_t kParticleEmitter2FixedSize = 4 + 171;
constexpr std::size_t kRibbonEmitterFixedSize = 4 + 52;
constexpr std::size_t kCameraFixedSize = 120;

// Adds up the file sizes of the tracks a visit reaches.
struct TrackSizeSum {
    std::size_t total = 0;
    template <class V>
    void operator()(std::uint32_t, const Track<V>& track) {
        total += trackSize(track);
    }
};

template <class Record>
std::size_t tracksSize(const Record& record) {
    TrackSizeSum sum;
    forEachTrack(record, sum);
    return sum.total;
}

}  // namespace

std::size_t mdxNodeSize(const Node& node, bool withVisibility) {
    TrackSizeSum sum;
    forEachNodeTrack(node, withVisibility, sum);
    return kNodeFixedSize + sum.total;
}

std::size_t mdxLayerSize(const Layer& layer) {
    return kLayerFixedSize + tracksSize(layer);
}

std::size_t mdxMaterialSize(const Material& material) {
    std::size_t size = kMaterialFixedSize;
    for (const Layer& layer : material.Layers) size += mdxLayerSize(layer);
    return size;
}

std::size_t mdxTextureAnimSize(const TextureAnim& anim) {
    return 4 + tracksSize(anim);
}

std::size_t mdxGeosetSize(const Geoset& geoset) {
    const std::size_t n = geoset.vertexCount();
    std::size_t entries = 0;
    for (const auto& group : geoset.matrixGroups) entries += group.size();
    return 4 + kGeosetFixedSize + 24 * n + 2 * geoset.corners.size() + n + 4 * geoset.matrixGroups.size() +
           4 * entries + 28 * geoset.extents.size() + mdxTextureSetCount(geoset) * (8 + 8 * n);
}

std::size_t mdxGeosetAnimSize(const GeosetAnim& anim) {
    return kGeosetAnimFixedSize + tracksSize(anim);
}

std::size_t mdxBoneSize(const Bone& bone) {
    return mdxNodeSize(bone.node, true) + 8;
}

std::size_t mdxLightSize(const Light& light) {
    return kLightFixedSize + mdxNodeSize(light.node, true) + tracksSize(light);
}

std::size_t mdxHelperSize(const Helper& helper) {
    return mdxNodeSize(helper.node, true);
}

std::size_t mdxAttachmentSize(const Attachment& attachment) {
    return mdxNodeSize(attachment.node, false) + kAttachmentFixedSize + tracksSize(attachment);
}

std::size_t mdxParticleEmitterSize(const ParticleEmitter& e) {
    return kParticleEmitterFixedSize + mdxNodeSize(e.node, false) + tracksSize(e);
}

std::size_t mdxParticleEmitter2Size(const ParticleEmitter2& e) {
    return kParticleEmitter2FixedSize + mdxNodeSize(e.node, false) + tracksSize(e);
}

std::size_t mdxRibbonEmitterSize(const RibbonEmitter& e) {
    return kRibbonEmitterFixedSize + mdxNodeSize(e.node, false) + tracksSize(e);
}

std::size_t mdxCameraSize(const Camera& camera) {
    return kCameraFixedSize + tracksSize(camera);
}

std::size_t mdxEventObjectSize(const EventObject& event) {
    return mdxNodeSize(event.node, true) + 12 + 4 * event.times.size();
}

std::size_t mdxCollisionShapeSize(const CollisionShape& shape) {
    return mdxNodeSize(shape.node, true) + 16 + (shape.shapeType == ShapeSphere ? 4 : 12);
}

}  // namespace tess

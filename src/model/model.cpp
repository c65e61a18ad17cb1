#include "model/model.h"

#include <algorithm>

namespace tess {

bool sameStoredVertex(const Vertex& a, const Vertex& b) {
    return a.position == b.position && a.normal == b.normal && a.U == b.U && a.V == b.V &&
           a.vertexGroup == b.vertexGroup;
}

bool operator==(const Geoset& a, const Geoset& b) {
    return std::equal(a.Vertices.begin(), a.Vertices.end(), b.Vertices.begin(), b.Vertices.end(),
                      sameStoredVertex) &&
           a.corners == b.corners && a.matrixGroups == b.matrixGroups && a.extents == b.extents &&
           a.MaterialID == b.MaterialID && a.SelectionGroup == b.SelectionGroup &&
           a.selectionFlags == b.selectionFlags && a.BoundsRadius == b.BoundsRadius &&
           a.MinimumExtent == b.MinimumExtent && a.MaximumExtent == b.MaximumExtent;
}

bool operator==(const Model& a, const Model& b) {
    return a.FormatVersion == b.FormatVersion && a.Name == b.Name && a.BoundsRadius == b.BoundsRadius &&
           a.MinimumExtent == b.MinimumExtent && a.MaximumExtent == b.MaximumExtent &&
           a.BlendTime == b.BlendTime && a.Textures == b.Textures && a.Materials == b.Materials &&
           a.Geosets == b.Geosets && a.Bones == b.Bones && a.PivotPoints == b.PivotPoints &&
           a.Sequences == b.Sequences && a.TextureAnims == b.TextureAnims &&
           a.GeosetAnims == b.GeosetAnims && a.Lights == b.Lights && a.Helpers == b.Helpers &&
           a.EventObjects == b.EventObjects && a.CollisionShapes == b.CollisionShapes &&
           a.Attachments == b.Attachments && a.ParticleEmitters == b.ParticleEmitters &&
           a.ParticleEmitters2 == b.ParticleEmitters2 && a.RibbonEmitters == b.RibbonEmitters &&
           a.Cameras == b.Cameras && a.GlobalSequences == b.GlobalSequences;
}

void Model::reset() {
    ParseLog keptLog = std::move(parseLog);
    *this = Model{};
    parseLog = std::move(keptLog);
}

}  // namespace tess

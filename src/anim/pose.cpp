#include "anim/pose.h"

#include "anim/matrix.h"
#include "anim/track_evaluation.h"

namespace tess {

void evaluateModel(Model& model, std::int32_t time) {
    for (const NodeOrderEntry& entry : model.nodeOrder) {
        Node& node = model.nodeAt(entry);
        const Mat4& parent = entry.parentSlot >= 0
                                 ? model.nodeAt(model.nodeOrder[entry.parentSlot]).worldMatrix
                                 : kIdentityMatrix;
        const Vec3 pivot =
            node.ObjectId < model.PivotPoints.size() ? model.PivotPoints[node.ObjectId] : Vec3{};
        evaluateRotation(node.Rotation, time);
        evaluateTranslation(node.Translation, time);
        const Mat4 local = multiply(
            multiply(node.Translation.cache.cachedMatrix, translationMatrix(pivot)),
            multiply(node.Rotation.cache.cachedMatrix, translationMatrix({-pivot[0], -pivot[1], -pivot[2]})));
        node.worldMatrix = multiply(parent, local);
    }
    for (Geoset& geoset : model.Geosets) skinGeoset(geoset, model.Bones);
}

void skinGeoset(Geoset& geoset, const std::vector<Bone>& bones) {
    // Every vertex of a group gets the same mean matrix: build each group's once.
    std::vector<Mat4> groupMatrix(geoset.matrixGroups.size());
    std::vector<std::uint8_t> groupUsable(geoset.matrixGroups.size(), 0);
    for (std::size_t g = 0; g < geoset.matrixGroups.size(); ++g) {
        Mat4 sum{};
        std::size_t used = 0;
        for (std::uint32_t b : geoset.matrixGroups[g]) {
            if (b >= bones.size()) continue;
            for (int e = 0; e < 16; ++e) sum[e] += bones[b].node.worldMatrix[e];
            ++used;
        }
        if (used == 0) continue;
        for (float& e : sum) e /= static_cast<float>(used);
        groupMatrix[g] = sum;
        groupUsable[g] = 1;
    }

    for (Vertex& v : geoset.Vertices) {
        v.currentUV = {v.U.empty() ? 0.0f : v.U[0], v.V.empty() ? 0.0f : v.V[0]};
        const std::uint32_t g = v.vertexGroup;
        v.animatedPosition = g < groupUsable.size() && groupUsable[g]
                                 ? transformPoint(groupMatrix[g], v.position)
                                 : v.position;
    }
}

}  // namespace tess

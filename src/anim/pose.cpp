#include "anim/pose.h"

#include "anim/matrix.h"
#include "anim/track_evaluation.h"

namespace tess {

namespace {

// Four floats handled as one (a GCC and Clang vector type): written as a plain loop over
// rows, the compiler drops the unused fourth row and falls back to scalar code.
using Float4 = float __attribute__((vector_size(16)));

// A group's mean matrix by columns (rows 0 to 2, then a zero pad). Lane r of
// column0 * x + column1 * y + column2 * z + column3 is summed in the same order as row r
// in transformPoint, so skinning gives exactly its floats.
struct GroupTransform {
    Float4 column[4];
};

GroupTransform byColumns(const Mat4& m) {
    GroupTransform t{};
    for (int k = 0; k < 4; ++k)
        for (int r = 0; r < 3; ++r) t.column[k][r] = m[4 * r + k];
    return t;
}

}  // namespace

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
    const std::size_t groups = geoset.matrixGroups.size();
    std::vector<GroupTransform> groupTransform(groups);
    std::vector<std::uint8_t> groupUsable(groups, 0);
    for (std::size_t g = 0; g < groups; ++g) {
        Mat4 sum{};
        std::size_t used = 0;
        for (std::uint32_t b : geoset.matrixGroups[g]) {
            if (b >= bones.size()) continue;
            for (int e = 0; e < 16; ++e) sum[e] += bones[b].node.worldMatrix[e];
            ++used;
        }
        if (used == 0) continue;
        for (float& e : sum) e /= static_cast<float>(used);
        groupTransform[g] = byColumns(sum);
        groupUsable[g] = 1;
    }

    for (Vertex& v : geoset.Vertices) {
        v.currentUV = {v.U.empty() ? 0.0f : v.U[0], v.V.empty() ? 0.0f : v.V[0]};
        const std::uint32_t g = v.vertexGroup;
        if (g >= groups || !groupUsable[g]) {
            v.animatedPosition = v.position;
            continue;
        }
        const GroupTransform& t = groupTransform[g];
        const float x = v.position[0], y = v.position[1], z = v.position[2];
        const Float4 out = t.column[0] * x + t.column[1] * y + t.column[2] * z + t.column[3];
        v.animatedPosition = {out[0], out[1], out[2]};
    }
}

}  // namespace tess

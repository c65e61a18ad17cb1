#include "anim/pose.h"

#include "anim/matrix.h"
#include "anim/node_order.h"
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

const Node& nodeOf(const Model& model, const NodeOrderEntry& entry) {
    return entry.kind == NodeOrderEntry::BoneNode ? model.Bones[entry.index].node
                                                  : model.Helpers[entry.index].node;
}

NodePose& poseOf(Pose& pose, const NodeOrderEntry& entry) {
    return entry.kind == NodeOrderEntry::BoneNode ? pose.bones[entry.index] : pose.helpers[entry.index];
}

// Whether the order can be followed on this model without reaching outside an array: one
// entry per bone and helper, each naming an existing node, each parent posed before it.
bool orderFits(const Model& model, const Pose& pose) {
    if (pose.bones.size() != model.Bones.size() || pose.helpers.size() != model.Helpers.size() ||
        pose.nodeOrder.size() != model.Bones.size() + model.Helpers.size())
        return false;
    for (std::size_t slot = 0; slot < pose.nodeOrder.size(); ++slot) {
        const NodeOrderEntry& e = pose.nodeOrder[slot];
        const std::size_t count =
            e.kind == NodeOrderEntry::BoneNode ? model.Bones.size() : model.Helpers.size();
        if (e.index >= count || e.parentSlot >= static_cast<std::int64_t>(slot)) return false;
    }
    return true;
}

}  // namespace

void evaluateModel(const Model& model, Pose& pose, std::int32_t time) {
    if (!orderFits(model, pose)) computeNodeOrder(model, pose);
    for (const NodeOrderEntry& entry : pose.nodeOrder) {
        const Node& node = nodeOf(model, entry);
        NodePose& posed = poseOf(pose, entry);
        const Mat4& parent =
            entry.parentSlot >= 0
                ? poseOf(pose, pose.nodeOrder[static_cast<std::size_t>(entry.parentSlot)]).worldMatrix
                : kIdentityMatrix;
        const Vec3 pivot =
            node.ObjectId < model.PivotPoints.size() ? model.PivotPoints[node.ObjectId] : Vec3{};
        posed.rotation = evaluateRotation(node.Rotation, time);
        posed.translation = evaluateTranslation(node.Translation, time);
        const Mat4 local = multiply(
            multiply(translationMatrix(posed.translation), translationMatrix(pivot)),
            multiply(rotationMatrix(posed.rotation), translationMatrix({-pivot[0], -pivot[1], -pivot[2]})));
        posed.worldMatrix = multiply(parent, local);
    }
    pose.animatedPositions.resize(model.Geosets.size());
    for (std::size_t g = 0; g < model.Geosets.size(); ++g)
        skinGeoset(model.Geosets[g], pose.bones, pose.animatedPositions[g]);
}

void skinGeoset(const Geoset& geoset, const std::vector<NodePose>& bones, std::vector<Vec3>& animated) {
    // Every vertex of a group gets the same mean matrix: build each group's once.
    const std::size_t groups = geoset.matrixGroups.size();
    std::vector<GroupTransform> groupTransform(groups);
    std::vector<std::uint8_t> groupUsable(groups, 0);
    for (std::size_t g = 0; g < groups; ++g) {
        Mat4 sum{};
        std::size_t used = 0;
        for (std::uint32_t b : geoset.matrixGroups[g]) {
            if (b >= bones.size()) continue;
            for (int e = 0; e < 16; ++e) sum[e] += bones[b].worldMatrix[e];
            ++used;
        }
        if (used == 0) continue;
        for (float& e : sum) e /= static_cast<float>(used);
        groupTransform[g] = byColumns(sum);
        groupUsable[g] = 1;
    }

    const std::size_t count = geoset.vertexCount();
    animated.resize(count);
    for (std::size_t v = 0; v < count; ++v) {
        const Vec3& rest = geoset.positions[v];
        const std::size_t g = v < geoset.vertexGroups.size() ? geoset.vertexGroups[v] : groups;
        if (g >= groups || !groupUsable[g]) {
            animated[v] = rest;
            continue;
        }
        const GroupTransform& t = groupTransform[g];
        const Float4 out =
            t.column[0] * rest[0] + t.column[1] * rest[1] + t.column[2] * rest[2] + t.column[3];
        animated[v] = {out[0], out[1], out[2]};
    }
}

void resetPose(const Model& model, Pose& pose) {
    pose.animatedPositions.resize(model.Geosets.size());
    for (std::size_t g = 0; g < model.Geosets.size(); ++g)
        pose.animatedPositions[g] = model.Geosets[g].positions;
}

}  // namespace tess

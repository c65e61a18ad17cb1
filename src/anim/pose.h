#pragma once

#include <cstdint>
#include <vector>

#include "anim/matrix.h"
#include "model/model.h"

namespace tess {

// One entry of the node order: a Bone or Helper by index, and the order slot of the node
// whose world matrix is its parent's (-1: composed from the identity).
struct NodeOrderEntry {
    enum Kind : std::uint8_t { BoneNode, HelperNode };
    Kind kind = BoneNode;
    std::uint32_t index = 0;
    std::int32_t parentSlot = -1;
};

// A node posed at the pose's time: its evaluated Translation and Rotation and its world
// matrix (the rotation's matrix is rotationMatrix(rotation)).
struct NodePose {
    Vec3 translation{};
    Quat rotation{0, 0, 0, 1};
    Mat4 worldMatrix = kIdentityMatrix;
};

// Everything the animation layer computes from a Model, in arrays indexed like it. None of
// it is stored in files; it is rebuilt from the model whenever the time or the data change.
struct Pose {
    // Bones and Helpers, parents before children (computeNodeOrder).
    std::vector<NodeOrderEntry> nodeOrder;
    std::vector<NodePose> bones;    // parallel to Model::Bones
    std::vector<NodePose> helpers;  // parallel to Model::Helpers
    // Per geoset, per vertex: the position that is drawn and picked.
    std::vector<std::vector<Vec3>> animatedPositions;
};

// Poses the model at `time`: for every node of `pose.nodeOrder` evaluates Rotation, then
// Translation, and sets
//   worldMatrix = Parent * T * Translate(pivot) * R * Translate(-pivot)
// (a node without a pivot point pivots about the origin), then skins every geoset, hidden
// ones included. Scaling, inheritance and billboard flags take no part. Rebuilds the node
// order first when it does not match the model's bones and helpers, so a stale order can
// never reach outside the arrays.
void evaluateModel(const Model& model, Pose& pose, std::int32_t time);

// Sets `animated` (resized to the geoset's vertices) to each rest position transformed by
// the mean of the world matrices of the bones its matrix group names (entries index
// `bones`; entries outside it are skipped; a vertex whose group has no usable entry, or
// whose group index is out of range, keeps its rest position).
void skinGeoset(const Geoset& geoset, const std::vector<NodePose>& bones, std::vector<Vec3>& animated);

// The bind pose that Vertex and Triangle mode edit: every animated position = its rest
// position, arrays sized to the model. Node poses are left as they are.
void resetPose(const Model& model, Pose& pose);

}  // namespace tess

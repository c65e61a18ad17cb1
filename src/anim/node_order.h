#pragma once

#include "anim/pose.h"
#include "model/model.h"

namespace tess {

// Rebuilds `pose.nodeOrder` and sizes pose.bones / pose.helpers to the model: every Bone
// (in Bones order) and Helper (in Helpers order), parents before children. Generation by
// generation: first the roots (`Parent` -1), then every unplaced node whose `Parent` is the
// `ObjectId` of a node of the previous generation, in that candidate order. Nodes that can
// never be reached this way (a `Parent` naming no bone or helper, or a cycle of parents)
// follow afterwards as roots, with their descendants after them, so the order always holds
// every node exactly once. Each entry records the slot of its parent: the last *earlier*
// slot with that `ObjectId` (see node_order.cpp for why not the last in the whole list).
void computeNodeOrder(const Model& model, Pose& pose);

}  // namespace tess

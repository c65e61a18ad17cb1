#pragma once

#include <cstdint>

#include "render/scene.h"

namespace tess {

// The marker of Bones[boneIndex] in Animation mode: a square of 5 x 5 view units facing
// the viewer at the node's posed pivot (its world matrix applied to PivotPoints[ObjectId],
// the origin when there is no such pivot), under the picking name ObjectId + 5, light grey
// or, for the view's selected node, pink. The selected node also gets the gizmo (its
// vectors go to `gizmo`): turned with the node, or with the move tool in the parent's
// frame (the node's posed rotation undone). A bone the pose does not cover is drawn at
// rest; an index outside Bones draws nothing.
void drawNode(const Scene& scene, std::uint32_t boneIndex, GizmoVectors& gizmo);

}  // namespace tess

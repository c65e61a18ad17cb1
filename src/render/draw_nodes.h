#pragma once

#include <cstdint>

#include "editor/app_state.h"
#include "model/model.h"
#include "render/texture_table.h"

namespace tess {

// The marker of Bones[boneIndex] in Animation mode: a square of 5 x 5 view units facing
// the viewer at the node's posed pivot (worldMatrix applied to PivotPoints[ObjectId], the
// origin when there is no such pivot), under the picking name ObjectId + 5, light grey or,
// for the selected node, pink. The selected node also gets the gizmo: turned with the node,
// or with the move tool in the parent's frame (the node's cached rotation undone).
// worldMatrix and the rotation cache must hold a pose (evaluateModel). An index outside
// Bones draws nothing.
void drawNode(const Model& model, AppState& state, std::uint32_t boneIndex, const TextureTable& table);

}  // namespace tess

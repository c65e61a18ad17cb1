#pragma once

#include <cstdint>
#include <vector>

#include "model/model.h"

namespace tess {

// Poses the model at `time`: for every node of `model.nodeOrder` (computeNodeOrder must
// have run since bones or helpers were last added or removed) evaluates Rotation, then
// Translation, and sets
//   worldMatrix = Parent * T * Translate(pivot) * R * Translate(-pivot)
// (a node without a pivot point pivots about the origin), then skins every geoset, hidden
// ones included. Scaling, inheritance and billboard flags take no part.
void evaluateModel(Model& model, std::int32_t time);

// Sets every vertex's animated position to its rest position transformed by the mean of
// the world matrices of the bones its matrix group names (entries index Bones; entries
// outside Bones are skipped; a vertex whose group has no usable entry, or whose group
// index is out of range, keeps its rest position), and its current texture coordinate to
// its first set ((0, 0) without one). Animated normals are not touched.
void skinGeoset(Geoset& geoset, const std::vector<Bone>& bones);

}  // namespace tess

#pragma once

#include "editor/app_state.h"
#include "editor/document.h"
#include "editor/host.h"
#include "editor/primitive_parameters.h"

namespace tess {

enum class PrimitiveKind { Plane, Box, Geosphere, Cylinder, Tube, Sphere };

// Refills `parameters` with the shape's dialog title and its fields (labels, default texts,
// kinds and limits) in dialog order.
void fillPrimitiveParameters(PrimitiveKind kind, PrimitiveParameters& parameters);

// The "Primitive" command for one shape: asks for the parameters through
// Host::runPrimitiveDialog and, on OK (1), appends a new geoset holding the generated mesh
// (material 0, one matrix group naming one bone; bounds from its vertices, see
// computeGeosetBounds), shown with every triangle selected (the plane's vertices too), then
// resets the pose. Any other dialog result changes nothing. Returns whether a geoset was
// added.
//
// The new geoset always refers to a material and a bone that exist:
// - Without any material, the start document's material is added (one layer showing texture
//   0), and with it the texture "Textures\white.blp" when there is no texture either.
// - Without any bone, the start document's bone "Root" is added (ObjectId 0, no parent; a
//   pivot at the origin is added when there is no pivot point at all, else pivot 0 serves),
//   the node order is rebuilt, `state.view.allNodes` is refilled and the new bone selected.
// - The matrix group names the bone whose ObjectId is 0, or bone 0 when none has it.
bool createPrimitive(PrimitiveKind kind, Document& document, AppState& state, Host& host);

}  // namespace tess

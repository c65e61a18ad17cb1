#pragma once

#include "editor/app_state.h"
#include "model/model.h"
#include "render/texture_table.h"

namespace tess {

// Draws one frame of the 3D view into the current framebuffer with the viewport and
// projection set by resizeScene: clears, applies the camera's view transform, draws every
// geoset (drawGeoset) and the grid, then over the model, by edit mode: Animation, the node
// markers of allNodes with the selected node's gizmo; Vertex, the selection rectangle and
// the gizmo at the selected vertices; Triangle, the same or the extrude arrow with the
// extrude tool. Refreshes the vertices' screen positions (while showOverlay is on), the gizmo
// axis vectors and extrudeNormal. The modelview matrix is left holding the view transform,
// as picking expects. Always returns true.
bool drawScene(Model& model, AppState& state, const TextureTable& table);

}  // namespace tess

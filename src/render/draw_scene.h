#pragma once

#include "render/scene.h"
#include "view/view.h"

namespace tess {

// Draws one frame of the 3D view into the current framebuffer with the viewport and
// projection set by resizeScene: clears, applies the camera's view transform, draws every
// geoset (drawGeoset) and, with showGrid, the grid, then over the model, by edit mode: Animation, the node
// markers of allNodes with the selected node's gizmo; Vertex, the selection rectangle and
// the gizmo at the selected vertices; Triangle, the same or the extrude arrow with the
// extrude tool.
// While showOverlay is on, refreshes the drawn geosets' entries of `screenPositions`, which
// is first sized to the model (per geoset, per vertex; existing entries keep their values).
// Returns `previous` with what this frame's gizmo or extrude arrow computed put in; values
// a frame cannot compute (no gizmo shown, a point that cannot be projected) stay as they
// were. The modelview matrix is left holding the view transform, as picking expects.
GizmoVectors drawScene(const Scene& scene, ScreenPositions& screenPositions, const GizmoVectors& previous);

}  // namespace tess

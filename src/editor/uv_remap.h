#pragma once

#include "editor/app_state.h"
#include "editor/document.h"
#include "editor/host.h"

namespace tess {

// Remap: gives the selected triangles of the shown geosets new first texture coordinates,
// projected from the screen positions cached by the last drawn frame onto the texture
// square. Hidden geosets take no part.
//
// Per shown geoset, the selected triangles are first detached from the unselected ones:
// each vertex used by both kinds is copied (appendVertexCopy: everything it stores and its
// screen position; unselected, animated position at rest) and the selected triangles take
// the copy. Then the vertices used only by selected triangles and the copies are welded
// where their positions are exactly equal, each onto the lowest index at that position, and
// the welded-away vertices are removed.
//
// The square is the bounding box of the viewport-selected vertices' screen (x, y), grown
// along its shorter side to a square. The corners of the selected triangles then become
// the viewport selection and the UV-editor selection, and each gets (u, v) = (screen
// position - box corner) / box size; a box without extent (all at one point) maps them to
// (0.5, 0.5). A geoset without texture sets keeps none. The model is finally re-posed at
// the current time (refreshTime); repainting the UV editor is the caller's.
//
// With no viewport-selected vertex in any shown geoset nothing at all changes.
void remapSelection(Document& document, AppState& state, Host& host);

}  // namespace tess

#pragma once

#include "editor/document.h"

namespace tess {

// Extrudes the selected triangles of the shown geosets, run when the extrude arrow is
// grabbed; the drag that follows (extrudeMove) pulls them out.
//
// An edge of a selected triangle is a boundary edge unless another selected triangle has an
// edge between the same two rest positions (exact equality, either direction, across
// geosets too). Every selected vertex at the end of a boundary edge is copied: the copy
// takes its place in the selected triangles and its viewport selection, and the original
// stays behind, joined to the copy by two unselected side-wall triangles per boundary edge
// (appended to the edge's geoset). Selected vertices inside the selection simply stay in
// it. Afterwards the vertex selection is rebuilt from the selected triangles and the pose
// is reset.
//
// A copy carries everything its original stores (position, normal, every texture-coordinate
// set, vertex group) and its screen position; it is not UV-selected and its animated
// position is its rest position (appendVertexCopy). The routine expects the selected
// vertices to be the corners of the selected triangles; where they are not, a boundary edge
// whose end was not selected gets no side wall. Triangles with a corner outside their
// geoset's vertices take no part.
void extrudeSelection(Document& document);

}  // namespace tess

#pragma once

#include <cstdint>

#include "editor/app_state.h"
#include "editor/document.h"
#include "editor/host.h"
#include "view/view.h"

namespace tess {

// The mouse movement `movement` (pixels, y downward) projected onto the on-screen axis
// vector `axis`, as model units: |p| / |axis| * 15, where `axis` is the screen image of 15
// units. Negative when the projection points against the axis (some component's sign
// differs from the axis's). A zero-length or non-finite axis gives 0.
float axisDragAmount(Vec2 axis, Vec2 movement);

// The vertex tools of Vertex and Triangle mode. Each takes the drag state and the mouse
// movement (dx, dy) in pixels since the last move, uses the state's on-screen axis
// (state.gizmo.axisScreenX, Y or Z for its X, Y or Z) and edits the rest positions of the
// vertices selected in `document.selection`, in every geoset, hidden ones included. Another
// tool's drag state, an empty selection or a zero-length axis vector (the gizmo not drawn
// yet) changes nothing. None of them resets the pose: the caller runs resetPose afterwards.
// Rotate and scale work about the centroid G of the selected vertices' animated positions
// (document.pose), where the gizmo is drawn: the rest positions in Vertex mode, the last
// pose in Triangle mode, which does not reset it.

// MoveX..MoveZ: adds axisDragAmount to the axis's coordinate, then recomputes the normals of
// every geoset.
void moveSelection(Document& document, const AppState& state, DragState drag, std::int32_t dx,
                   std::int32_t dy);

// RotateX..RotateZ: turns the selection about the axis through G by axisDragAmount / 3
// radians. Normals are left as they were.
void rotateSelection(Document& document, const AppState& state, DragState drag, std::int32_t dx,
                     std::int32_t dy);

// ScaleX..ScaleZ: scales the axis's coordinate about G by f = |p| / 20 + 1 (p the movement
// projected onto the axis, in pixels), or by 1 / f when p points against the axis. Normals
// are left as they were.
void scaleSelection(Document& document, const AppState& state, DragState drag, std::int32_t dx,
                    std::int32_t dy);

// The Extrude drag, after extrudeSelection: moves the selected vertices by
// state.gizmo.extrudeNormal times axisDragAmount(state.gizmo.axisScreenZ, movement)
// (axisScreenZ then holds the extrude arrow's vector), then recomputes the normals of every
// geoset.
void extrudeMove(Document& document, const AppState& state, std::int32_t dx, std::int32_t dy);

// The Animation-mode drags of the selected bone (state.view.selectedNode); nothing happens
// when it names no bone, for another tool's drag state, or with a zero-length axis vector.
// Both write the key at state.currentTime (found or inserted) and end with refreshTime.

// RotateX..RotateZ: the Rotation key's quaternion q becomes q * r, r the turn about the
// axis by |p| / 20 radians (p in pixels; negative when p points against the axis), so the
// bone turns about its own already rotated axis.
void rotateNodeKey(Document& document, AppState& state, Host& host, DragState drag, std::int32_t dx,
                   std::int32_t dy);

// MoveX..MoveZ: adds axisDragAmount to the Translation key's value on the axis.
void moveNodeKey(Document& document, AppState& state, Host& host, DragState drag, std::int32_t dx,
                 std::int32_t dy);

}  // namespace tess

#pragma once

#include <cstdint>

#include "editor/app_state.h"
#include "editor/host.h"
#include "model/model.h"

namespace tess {

// Drag codes of AppState::dragState that the tools below act on; the X, Y and Z variants of
// each tool are consecutive.
inline constexpr std::int32_t kDragRotateX = 4;
inline constexpr std::int32_t kDragMoveX = 7;
inline constexpr std::int32_t kDragScaleX = 10;
inline constexpr std::int32_t kDragExtrude = 13;

// The mouse movement `movement` (pixels, y downward) projected onto the on-screen axis
// vector `axis`, as model units: |p| / |axis| * 15, where `axis` is the screen image of 15
// units. Negative when the projection points against the axis (some component's sign
// differs from the axis's). A zero-length or non-finite axis gives 0.
float axisDragAmount(Vec2 axis, Vec2 movement);

// The vertex tools of Vertex and Triangle mode. Each takes the drag code and the mouse
// movement (dx, dy) in pixels since the last move, uses the code's on-screen axis
// (state.axisScreenX, Y or Z for the code's X, Y or Z) and edits the rest positions of the
// selected vertices of every geoset, hidden ones included. A code of another tool, an empty
// selection or a zero-length axis vector (the gizmo not drawn yet) changes nothing. None of
// them resets the pose: the caller runs resetPose afterwards.

// Codes 7-9: adds axisDragAmount to the code's coordinate, then recomputes the normals of
// every geoset.
void moveSelection(Model& model, const AppState& state, std::int32_t dragCode, std::int32_t dx,
                   std::int32_t dy);

// Codes 4-6: turns the selection about the code's axis through its centroid by
// axisDragAmount / 3 radians. Normals are left as they were.
void rotateSelection(Model& model, const AppState& state, std::int32_t dragCode, std::int32_t dx,
                     std::int32_t dy);

// Codes 10-12: scales the code's coordinate about the selection's centroid by
// f = |p| / 20 + 1 (p the movement projected onto the axis, in pixels), or by 1 / f when p
// points against the axis. Normals are left as they were.
void scaleSelection(Model& model, const AppState& state, std::int32_t dragCode, std::int32_t dx,
                    std::int32_t dy);

// Code 13, after extrudeSelection: moves the selected vertices by state.extrudeNormal times
// axisDragAmount(state.axisScreenZ, movement) (axisScreenZ then holds the extrude arrow's
// vector), then recomputes the normals of every geoset.
void extrudeMove(Model& model, const AppState& state, std::int32_t dx, std::int32_t dy);

// The Animation-mode drags of the selected bone (state.selectedNode); nothing happens when
// it names no bone, for another tool's code, or with a zero-length axis vector. Both write
// the key at state.currentTime (found or inserted) and end with refreshTime.

// Codes 4-6: the Rotation key's quaternion q becomes q * r, r the turn about the code's unit
// axis by |p| / 20 radians (p in pixels; negative when p points against the axis), so the
// bone turns about its own already rotated axis.
void rotateNodeKey(Model& model, AppState& state, Host& host, std::int32_t dragCode, std::int32_t dx,
                   std::int32_t dy);

// Codes 7-9: adds axisDragAmount to the Translation key's value on the code's axis.
void moveNodeKey(Model& model, AppState& state, Host& host, std::int32_t dragCode, std::int32_t dx,
                 std::int32_t dy);

}  // namespace tess

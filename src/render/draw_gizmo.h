#pragma once

#include "editor/app_state.h"
#include "model/model.h"

namespace tess {

// Picking names pushed by the drawers (in selection mode only; ignored while rendering).
inline constexpr std::uint32_t kGizmoXName = 1;
inline constexpr std::uint32_t kGizmoYName = 2;
inline constexpr std::uint32_t kGizmoZName = 3;
inline constexpr std::uint32_t kExtrudeArrowName = 4;
inline constexpr std::uint32_t kFirstNodeName = 5;  // a node marker's name is ObjectId + 5

// The transform gizmo at the current origin: axes 15 units long in red, green, blue with
// cones reaching to 22, each cone under its picking name, drawn without face culling.
// Then stores in axisScreenX/Y/Z the window vectors (x right, y down, pixels) from the
// origin to the axis ends (15, 0, 0), (0, 15, 0), (0, 0, 15); they keep their old values
// if a point cannot be projected.
void drawGizmo(AppState& state);

// drawGizmo at the centroid of the animated positions of the selected vertices of all
// geosets, hidden ones included; nothing when no vertex is selected.
void drawCentroidGizmo(const Model& model, AppState& state);

// The extrude arrow (blue, picking name 4) at the selected vertices' centroid, pointing
// along the sum N of the face normals of the selected triangles of the shown geosets;
// nothing when no vertex is selected. Stores N / |N| in extrudeNormal (the arrow's own
// direction (1, 0, 0) when N is zero) and in axisScreenZ the window vector of the first
// 10 units of the arrow.
void drawExtrudeGizmo(const Model& model, AppState& state);

}  // namespace tess

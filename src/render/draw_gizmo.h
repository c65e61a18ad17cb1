#pragma once

#include <cstdint>

#include "render/scene.h"
#include "view/view.h"

namespace tess {

// Picking names pushed by the drawers (in selection mode only; ignored while rendering).
inline constexpr std::uint32_t kGizmoXName = 1;
inline constexpr std::uint32_t kGizmoYName = 2;
inline constexpr std::uint32_t kGizmoZName = 3;
inline constexpr std::uint32_t kExtrudeArrowName = 4;
inline constexpr std::uint32_t kFirstNodeName = 5;  // a node marker's name is ObjectId + 5

// The transform gizmo at the current origin: axes 15 units long in red, green, blue with
// cones reaching to 22, each cone under its picking name, drawn without face culling.
// Then sets gizmo.axisScreenX/Y/Z to the window vectors (x right, y down, pixels) from the
// origin to the axis ends (15, 0, 0), (0, 15, 0), (0, 0, 15); all three keep their values
// if a point cannot be projected.
void drawGizmo(GizmoVectors& gizmo);

// drawGizmo at the centroid of the posed positions of the selected vertices of all
// geosets, hidden ones included; nothing when no vertex is selected.
void drawCentroidGizmo(const Scene& scene, GizmoVectors& gizmo);

// The extrude arrow (blue, picking name 4) at the selected vertices' centroid, pointing
// along the sum N of the face normals of the selected triangles of the shown geosets;
// nothing when no vertex is selected. Sets gizmo.extrudeNormal to N / |N| (the arrow's own
// direction (1, 0, 0) when N is zero) and gizmo.axisScreenZ to the window vector of the
// first 10 units of the arrow (kept if it cannot be projected).
void drawExtrudeGizmo(const Scene& scene, GizmoVectors& gizmo);

}  // namespace tess

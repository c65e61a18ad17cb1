#pragma once

#include <span>
#include <vector>

#include "model/model.h"
#include "view/selection.h"
#include "view/view.h"

namespace tess {

// Framing: moving the camera so that a set of points fills the view.

// The points to frame, at `posed[g]` where that covers geoset g's vertices, else at the
// rest positions: the selected vertices of every geoset (hidden ones included, as the
// transform tools move them), or every vertex of the shown geosets when `wholeModel` is
// set or no vertex is selected.
std::vector<Vec3> framingPoints(const Model& model, const Selection& selection,
                                const std::vector<std::vector<Vec3>>& posed, bool wholeModel);

// Sets cameraTarget and cameraDistance, keeping the angles, so that the middle of the
// points' extent lies in the middle of the view and the points fill 90% of its width or
// height, whichever they reach first, without any point coming nearer than the near
// plane (the projection's near plane, a little more in front; so points closer together
// than that plane allows stay smaller). In the orthographic views the distance is the
// half-width of the view, so it is chosen to fit the points' extent across the view.
// Points that are not finite are ignored; false, with the view unchanged, when no point
// is left.
bool frameView(View& view, std::span<const Vec3> points);

}  // namespace tess

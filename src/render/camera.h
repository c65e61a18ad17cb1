#pragma once

#include "view/view.h"

namespace tess {

// Loads the projection of `view.viewType`: perspective (45 degree vertical field of view,
// near 10, far 5000) for Perspective, otherwise orthographic with half-width cameraDistance
// (near 1, far 5000). The aspect ratio is windowWidth / windowHeight, a size of 0 counting
// as 1. With `keep` false the projection matrix is replaced and the matrix mode restored;
// with `keep` true the projection is multiplied onto the current matrix (picking puts it
// on top of its pick matrix).
void setProjection(const View& view, bool keep);

// Multiplies the camera's view transform onto the current matrix: back by cameraDistance,
// pitch about X, yaw about Y, roll about Z, pan by cameraTarget, then the Z-up model turned
// to the Y-up view.
void applyViewTransform(const View& view);

}  // namespace tess

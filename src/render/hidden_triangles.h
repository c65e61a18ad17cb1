#pragma once

#include <cstddef>

#include "render/scene.h"
#include "render/window_projection.h"

namespace tess {

// Removes from the shown geosets' corner lists the triangles that cannot show in a picture
// drawn by drawScene from `projection`, so that a picture drawn once (a thumbnail) skips
// the rasteriser's work on them. The picture stays exactly the same:
//  - A triangle is removed only when, in every cell of pixels its bounds touch, it lies
//    wholly behind some front-facing triangle that covers the whole cell and that no
//    blending can see through; so it is never the nearest fragment anywhere.
//  - Nothing is removed when any shown geoset has a blending layer, since what lies behind
//    a blended fragment shows through it.
//  - Triangles with a corner outside the depth range or behind the eye are kept.
// Triangles that name a missing vertex (never drawn) and a trailing partial triangle are
// removed too. Returns the number of triangles removed.
std::size_t removeHiddenTriangles(Model& model, const Pose& pose, const Selection& selection,
                                  const WindowProjection& projection);

}  // namespace tess

#pragma once

#include <cstddef>

#include "render/scene.h"
#include "render/window_projection.h"

namespace tess {

// Removes from the shown geosets' corner lists the triangles that cannot show in a picture
// drawn by drawScene from `projection` (into a depth buffer of 24 bits or more), so that a
// picture drawn once, such as a thumbnail, skips the rasteriser's work on them. The picture
// stays exactly the same:
//  - A triangle is removed when it faces away even allowing for the rasteriser's rounding,
//    or when, in every cell of pixels it may reach, it lies wholly and clearly behind a
//    front-facing triangle that covers the whole cell; so it is never the nearest fragment.
//  - Nothing is removed when any shown geoset has a blending layer, since what lies behind
//    a blended fragment shows through it.
//  - Triangles with a corner behind the eye, outside the depth range or far off the
//    viewport are kept.
// Triangles that name a missing vertex (never drawn) and a trailing partial triangle are
// removed too. Returns the number of whole triangles removed.
std::size_t removeHiddenTriangles(Model& model, const Pose& pose, const Selection& selection,
                                  const WindowProjection& projection);

}  // namespace tess

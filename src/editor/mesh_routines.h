#pragma once

#include <cmath>

#include "model/track.h"

namespace tess {

// Geometry shared by the mesh edits and the primitive generators.

// `v` scaled to unit length; (0, 0, 1) when it has no usable length.
inline Vec3 normalisedOrUp(const Vec3& v) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (!(length > 0) || !std::isfinite(length)) return {0, 0, 1};
    const float inverse = 1 / length;
    return {v[0] * inverse, v[1] * inverse, v[2] * inverse};
}

}  // namespace tess

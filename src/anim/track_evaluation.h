#pragma once

#include <cstdint>

#include "model/track.h"

namespace tess {

// Evaluates a vector track (Translation, and Scaling for key insertion) at `time` and
// stores the value and its translation matrix in the track's cache. Before the first key,
// or without keys, the value is (0, 0, 0); from the last key on, the last key's value.
// Between keys the track's interpolation applies: Linear, Hermite and Bezier with the keys'
// tangents as stored; DontInterp and any unknown code hold the earlier key's value until
// the next key's time. Keys sharing one time: the later key applies from that time on.
void evaluateTranslation(VectorTrack& track, std::int32_t time);

// Evaluates a rotation track at `time` into its cache (quaternion and rotation matrix).
// The rest value is (0, 0, 0, 1); between keys the value is always the slerp of the two
// keys, whatever the interpolation type.
void evaluateRotation(QuatTrack& track, std::int32_t time);

// Spherical interpolation from `a` (u = 0) to `b` (u = 1) along the shorter arc; the
// result is not renormalised. Nearly equal or opposite inputs give `a`.
Quat quaternionSlerp(const Quat& a, const Quat& b, float u);

}  // namespace tess

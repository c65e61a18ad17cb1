#pragma once

#include <cstdint>

#include "model/track.h"

namespace tess {

// The value of a vector track (Translation, and Scaling for key insertion) at `time`.
// Before the first key, or without keys, (0, 0, 0); from the last key on, the last key's
// value. Otherwise the bracketing pair is found by a scan from the first key, keys taken in
// stored order (a file may hold them out of time order): the first i >= 1 with
// time <= time(i), moving on past later keys only while key i's own time equals `time`.
// Between the pair the track's interpolation applies: Linear, Hermite and Bezier with the
// keys' tangents as stored; DontInterp and any unknown code hold the earlier key's value
// until the next key's time (decided on the integer times).
Vec3 evaluateTranslation(const VectorTrack& track, std::int32_t time);

// The value of a rotation track at `time`. The rest value is (0, 0, 0, 1); between keys
// the value is always the slerp of the two keys, whatever the interpolation type.
Quat evaluateRotation(const QuatTrack& track, std::int32_t time);

// Spherical interpolation from `a` (u = 0) to `b` (u = 1) along the shorter arc; the
// result is not renormalised. Nearly equal or opposite inputs give `a`.
Quat quaternionSlerp(const Quat& a, const Quat& b, float u);

}  // namespace tess

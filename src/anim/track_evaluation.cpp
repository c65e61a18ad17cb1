#include "anim/track_evaluation.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tess {
namespace {

// Where `time` falls among a track's keys: before them (or no keys), at or after the last,
// or between keys `next - 1` and `next` at fraction `u`. `reached` says, on the integer
// times, whether `time` has arrived at key `next` (a float u rounds to 1 early on spans
// beyond 2^24 ms).
struct KeyBracket {
    enum Where { Rest, Last, Between } where = Rest;
    std::size_t next = 0;
    float u = 0;
    bool reached = false;
};

template <class Key>
KeyBracket bracketKeys(const std::vector<Key>& keys, std::int32_t time) {
    const std::size_t n = keys.size();
    if (n == 0 || time < keys[0].time) return {};
    if (time >= keys[n - 1].time) return {KeyBracket::Last, n - 1, 1.0f, true};
    std::size_t i = 1;
    while (time > keys[i].time) ++i;
    // Of several keys at exactly this time the last one applies. Only a run of keys at `time`
    // moves the pair on: with keys out of time order, key i may lie later than `time` while a
    // following key sits exactly on it, and the pair still ends at key i.
    while (keys[i].time == time && i + 1 < n && keys[i + 1].time == time) ++i;
    const std::int64_t span = std::int64_t{keys[i].time} - keys[i - 1].time;
    const std::int64_t into = std::int64_t{time} - keys[i - 1].time;
    // A zero (or, for unordered keys, negative) span has no inside: the later key applies.
    if (span <= 0) return {KeyBracket::Between, i, 1.0f, true};
    return {KeyBracket::Between, i, static_cast<float>(into) / static_cast<float>(span), into >= span};
}

float interpolate(std::int32_t type, float p0, float o0, float i1, float p1, const KeyBracket& b) {
    const float u = b.u;
    switch (type) {
        case Linear:
            return p0 * (1 - u) + p1 * u;
        case Hermite: {
            const float u2 = u * u, u3 = u2 * u;
            return (2 * u3 - 3 * u2 + 1) * p0 + (u3 - 2 * u2 + u) * o0 + (u3 - u2) * i1 +
                   (-2 * u3 + 3 * u2) * p1;
        }
        case Bezier: {
            const float v = 1 - u;
            return v * v * v * p0 + 3 * u * v * v * o0 + 3 * u * u * v * i1 + u * u * u * p1;
        }
        default:
            return b.reached ? p1 : p0;
    }
}

}  // namespace

Vec3 evaluateTranslation(const VectorTrack& track, std::int32_t time) {
    const KeyBracket b = bracketKeys(track.keys, time);
    if (b.where == KeyBracket::Rest) return {0, 0, 0};
    if (b.where == KeyBracket::Last) return track.keys[b.next].value;
    const auto& k0 = track.keys[b.next - 1];
    const auto& k1 = track.keys[b.next];
    Vec3 value{};
    for (int c = 0; c < 3; ++c)
        value[c] =
            interpolate(track.interpolationType, k0.value[c], k0.OutTan[c], k1.InTan[c], k1.value[c], b);
    return value;
}

Quat evaluateRotation(const QuatTrack& track, std::int32_t time) {
    const KeyBracket b = bracketKeys(track.keys, time);
    if (b.where == KeyBracket::Rest) return {0, 0, 0, 1};
    if (b.where == KeyBracket::Last) return track.keys[b.next].value;
    return quaternionSlerp(track.keys[b.next - 1].value, track.keys[b.next].value, b.u);
}

Quat quaternionSlerp(const Quat& a, const Quat& b, float u) {
    double d = double{a[0]} * b[0] + double{a[1]} * b[1] + double{a[2]} * b[2] + double{a[3]} * b[3];
    const bool flip = d < 0;
    if (flip) d = -d;
    // Rounding can push the dot product of unit quaternions just above 1, where arccos has
    // no value; such inputs are parallel.
    const double theta = std::acos(std::min(d, 1.0));
    const double s = std::sin(theta);
    double w0 = 1, w1 = 0;
    if (s > 0) {
        w0 = std::sin((1 - u) * theta) / s;
        w1 = std::sin(u * theta) / s;
    }
    if (flip) w1 = -w1;
    Quat r{};
    for (int c = 0; c < 4; ++c) r[c] = static_cast<float>(w0 * a[c] + w1 * b[c]);
    return r;
}

}  // namespace tess

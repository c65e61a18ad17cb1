#include "anim/track_evaluation.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "anim/matrix.h"

namespace tess {
namespace {

// Where `time` falls among a track's keys: before them (or no keys), at or after the last,
// or between keys `next - 1` and `next` at fraction `u`.
struct KeyBracket {
    enum Where { Rest, Last, Between } where = Rest;
    std::size_t next = 0;
    float u = 0;
};

template <class Key>
KeyBracket bracketKeys(const std::vector<Key>& keys, std::int32_t time) {
    const std::size_t n = keys.size();
    if (n == 0 || time < keys[0].time) return {};
    if (time >= keys[n - 1].time) return {KeyBracket::Last, n - 1, 1.0f};
    std::size_t i = 1;
    while (time > keys[i].time) ++i;
    // Of several keys at exactly this time the last one applies.
    while (i + 1 < n && keys[i + 1].time == time) ++i;
    const std::int64_t span = std::int64_t{keys[i].time} - keys[i - 1].time;
    const std::int64_t into = std::int64_t{time} - keys[i - 1].time;
    // A zero (or, for unordered keys, negative) span has no inside: the later key applies.
    const float u = span > 0 ? static_cast<float>(into) / static_cast<float>(span) : 1.0f;
    return {KeyBracket::Between, i, u};
}

float interpolate(std::int32_t type, float p0, float o0, float i1, float p1, float u) {
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
            return u >= 1 ? p1 : p0;
    }
}

}  // namespace

void evaluateTranslation(VectorTrack& track, std::int32_t time) {
    const KeyBracket b = bracketKeys(track.keys, time);
    Vec3 value{};
    if (b.where == KeyBracket::Last) {
        value = track.keys[b.next].value;
    } else if (b.where == KeyBracket::Between) {
        const auto& k0 = track.keys[b.next - 1];
        const auto& k1 = track.keys[b.next];
        for (int c = 0; c < 3; ++c)
            value[c] = interpolate(track.interpolationType, k0.value[c], k0.OutTan[c], k1.InTan[c],
                                   k1.value[c], b.u);
    }
    track.cache.cachedValue = value;
    track.cache.cachedMatrix = translationMatrix(value);
}

void evaluateRotation(QuatTrack& track, std::int32_t time) {
    const KeyBracket b = bracketKeys(track.keys, time);
    Quat value{0, 0, 0, 1};
    if (b.where == KeyBracket::Last)
        value = track.keys[b.next].value;
    else if (b.where == KeyBracket::Between)
        value = quaternionSlerp(track.keys[b.next - 1].value, track.keys[b.next].value, b.u);
    track.cache.cachedValue = value;
    track.cache.cachedMatrix = rotationMatrix(value);
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

#include "anim/track_evaluation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>
#include <vector>

namespace tess {
namespace {

const float kH = std::sqrt(0.5f);

TEST(TranslationEvaluation, InterpolatesByTypeBetweenKeysAndHoldsOutsideThem) {
    // x runs from 0 at time 0 to 10 at time 1000. Hermite at u = 0.25 is 0.140625 * OutTan -
    // 0.046875 * InTan + 0.15625 * 10; Bezier tangents are absolute control points:
    // 0.421875 * OutTan + 0.140625 * InTan + 0.015625 * 10. Unknown codes step like DontInterp.
    const std::tuple<std::int32_t, float, float, std::int32_t, float> cases[] = {
        {Linear, 0, 0, 250, 2.5f},     {Linear, 0, 0, 5000, 10},      {Linear, 0, 0, -1, 0},
        {Hermite, 8, 0, 250, 2.6875f}, {Hermite, 0, 8, 250, 1.1875f}, {Bezier, 4, 12, 250, 3.53125f},
        {DontInterp, 0, 0, 999, 0},    {DontInterp, 0, 0, 1000, 10},  {-1, 4, 12, 500, 0}};
    for (const auto& [type, outTan, inTan, time, x] : cases) {
        // The tangents that take no part (first InTan, last OutTan) and the static value hold
        // junk, so using them shows.
        VectorTrack track;
        track.interpolationType = type;
        track.staticValue = {7, 7, 7};
        track.keys = {{0, {0, 0, 0}, {99, 99, 99}, {outTan, 0, 0}},
                      {1000, {10, 0, 0}, {inTan, 0, 0}, {99, 99, 99}}};
        EXPECT_FLOAT_EQ(evaluateTranslation(track, time)[0], x) << "type " << type << " at " << time;
    }
}

// Keys in any order, times repeated, spans up to 2^31: rest value before key 0, the last key's
// value from its time on, else the pair (i - 1, i) with i the first key from 1 up not before t,
// moved on only through a run of keys exactly at t. A step holds key i - 1 until t reaches
// time(i) exactly, whatever the float fraction rounds to; equal times never divide.
TEST(TranslationEvaluation, FollowsTheFirstBracketingKeyOnShuffledTracksWithRepeatedTimes) {
    std::mt19937 random(11);
    const auto pick = [&](std::int64_t count) { return static_cast<std::int64_t>(random() % count); };
    for (int round = 0; round < 4000; ++round) {
        const std::int64_t scale = round % 3 ? 100 : (1 << 30) - 1;
        std::vector<std::int64_t> times(1 + pick(6));
        for (std::int64_t& time : times) time = (pick(5) - 2) * scale;
        std::shuffle(times.begin(), times.end(), random);
        VectorTrack track;
        track.interpolationType = round % 2 ? Linear : DontInterp;
        for (std::size_t k = 0; k < times.size(); ++k)
            track.keys.push_back({static_cast<std::int32_t>(times[k]), {float(k + 1), 0, 0}, {}, {}});
        const std::int64_t t = std::clamp<std::int64_t>(
            (pick(5) - 2) * scale + pick(3) - 1 + (round % 5 == 1 ? scale / 2 : 0), INT32_MIN, INT32_MAX);
        const std::size_t n = times.size();
        const auto expected = [&]() -> float {
            if (t < times[0]) return 0;
            if (t >= times[n - 1]) return float(n);
            std::size_t i = 1;
            while (t > times[i]) ++i;
            while (times[i] == t && i + 1 < n && times[i + 1] == t) ++i;
            const std::int64_t span = times[i] - times[i - 1];
            if (track.interpolationType == DontInterp)
                return t >= times[i] || span <= 0 ? float(i + 1) : float(i);
            const float u = span > 0 ? float(t - times[i - 1]) / float(span) : 1;
            return float(i) * (1 - u) + float(i + 1) * u;
        };
        ASSERT_EQ(evaluateTranslation(track, static_cast<std::int32_t>(t))[0], expected())
            << "round " << round << " at " << t;
    }
}

TEST(RotationEvaluation, SlerpsBetweenKeysWhateverTheTypeAlongTheShorterArc) {
    QuatTrack linear;
    linear.keys = {{0, {0, 0, 0, 1}, {}, {}}, {1000, {0, 0, kH, kH}, {}, {}}};
    QuatTrack bezier = linear;
    bezier.interpolationType = Bezier;
    for (auto& key : bezier.keys) key.InTan = key.OutTan = {1, 2, 3, 4};
    EXPECT_NEAR(evaluateRotation(linear, 500)[2], 0.3826834f, 1e-6);
    EXPECT_EQ(evaluateRotation(bezier, 500), evaluateRotation(linear, 500));
    EXPECT_EQ(evaluateRotation(linear, -5), (Quat{0, 0, 0, 1}));
    EXPECT_EQ(evaluateRotation(linear, 1000), (Quat{0, 0, kH, kH}));
    // Slerp takes the shorter arc (-b is the same turn as b) and keeps parallel inputs.
    const std::tuple<Quat, float, Quat> cases[] = {{{0, 0, -kH, -kH}, 0.5f, {0, 0, 0.3826834f, 0.9238795f}},
                                                   {{0, 0, kH, kH}, 0.25f, {0, 0, 0.1950903f, 0.9807853f}}};
    for (const auto& [to, u, expected] : cases) {
        const Quat r = quaternionSlerp({0, 0, 0, 1}, to, u);
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(r[k], expected[k], 1e-6) << "u " << u;
    }
    const Quat p{0.5f, 0.5f, 0.5f, 0.5f};
    EXPECT_EQ(quaternionSlerp(p, {-0.5f, -0.5f, -0.5f, -0.5f}, 0.7f), p);
}

}  // namespace
}  // namespace tess

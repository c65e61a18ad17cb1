#include "anim/track_evaluation.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>

namespace tess {
namespace {

const float kH = std::sqrt(0.5f);

float xAt(VectorTrack& track, std::int32_t time) {
    evaluateTranslation(track, time);
    return track.cache.cachedValue[0];
}

TEST(TranslationEvaluation, InterpolatesByTypeBetweenKeysAndHoldsOutsideThem) {
    // x runs from 0 at time 0 to 10 at time 1000. Hermite at u = 0.25 is 0.140625 * OutTan -
    // 0.046875 * InTan + 0.15625 * 10; Bezier tangents are absolute control points:
    // 0.421875 * OutTan + 0.140625 * InTan + 0.015625 * 10. Unknown codes step like DontInterp.
    const std::tuple<std::int32_t, float, float, std::int32_t, float> cases[] = {
        {Linear, 0, 0, 250, 2.5f},     {Linear, 0, 0, 5000, 10},      {Linear, 0, 0, -1, 0},
        {Hermite, 8, 0, 250, 2.6875f}, {Hermite, 0, 8, 250, 1.1875f}, {Bezier, 4, 12, 250, 3.53125f},
        {DontInterp, 0, 0, 999, 0},    {DontInterp, 0, 0, 1000, 10},  {-1, 4, 12, 500, 0}};
    for (const auto& [type, outTan, inTan, time, x] : cases) {
        // The tangents that take no part (first InTan, last OutTan) hold junk, so using them shows.
        VectorTrack track;
        track.interpolationType = type;
        track.keys = {{0, {0, 0, 0}, {99, 99, 99}, {outTan, 0, 0}},
                      {1000, {10, 0, 0}, {inTan, 0, 0}, {99, 99, 99}}};
        EXPECT_FLOAT_EQ(xAt(track, time), x) << "type " << type << " at " << time;
    }
}

TEST(TranslationEvaluation, OneKeyHoldsFromItsTimeAndTheLaterOfEqualTimesApplies) {
    VectorTrack track;
    track.staticValue = {7, 7, 7};  // never used
    track.keys = {{100, {4, 5, 6}, {}, {}}};
    EXPECT_FLOAT_EQ(xAt(track, 99), 0);
    EXPECT_FLOAT_EQ(xAt(track, 100), 4);
    const Mat4& m = track.cache.cachedMatrix;
    EXPECT_EQ((std::array{m[3], m[7], m[11]}), (std::array{4.0f, 5.0f, 6.0f}));

    // Keys sharing a time must not divide by zero.
    track.keys = {
        {0, {1, 0, 0}, {}, {}}, {100, {2, 0, 0}, {}, {}}, {100, {3, 0, 0}, {}, {}}, {200, {5, 0, 0}, {}, {}}};
    EXPECT_FLOAT_EQ(xAt(track, 100), 3);
    EXPECT_FLOAT_EQ(xAt(track, 150), 4);
}

TEST(RotationEvaluation, SlerpsBetweenKeysWhateverTheTypeAndBuildsTheMatrix) {
    QuatTrack linear;
    linear.keys = {{0, {0, 0, 0, 1}, {}, {}}, {1000, {0, 0, kH, kH}, {}, {}}};
    QuatTrack bezier = linear;
    bezier.interpolationType = Bezier;
    for (auto& key : bezier.keys) key.InTan = key.OutTan = {1, 2, 3, 4};
    evaluateRotation(linear, 500);
    evaluateRotation(bezier, 500);
    EXPECT_NEAR(linear.cache.cachedValue[2], 0.3826834f, 1e-6);
    EXPECT_EQ(bezier.cache.cachedValue, linear.cache.cachedValue);

    evaluateRotation(linear, -5);
    EXPECT_EQ(linear.cache.cachedValue, (Quat{0, 0, 0, 1}));
    evaluateRotation(linear, 1000);
    // 90 degrees about Z: the X axis turns into the Y axis.
    const Mat4 turn = {0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (int e = 0; e < 16; ++e) EXPECT_NEAR(linear.cache.cachedMatrix[e], turn[e], 1e-6) << e;
}

TEST(RotationEvaluation, SlerpTakesTheShorterArcAndKeepsParallelInputs) {
    // -b is the same 90 degree turn about Z as b: halfway is the 45 degree turn, not 135.
    const std::tuple<Quat, float, Quat> cases[] = {{{0, 0, -kH, -kH}, 0.5f, {0, 0, 0.3826834f, 0.9238795f}},
                                                   {{0, 0, kH, kH}, 0.25f, {0, 0, 0.1950903f, 0.9807853f}}};
    for (const auto& [to, u, expected] : cases) {
        const Quat r = quaternionSlerp({0, 0, 0, 1}, to, u);
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(r[k], expected[k], 1e-6) << "u " << u;
    }
    const Quat q{0.5f, 0.5f, 0.5f, 0.5f};
    EXPECT_EQ(quaternionSlerp(q, {-0.5f, -0.5f, -0.5f, -0.5f}, 0.7f), q);
}

}  // namespace
}  // namespace tess

#include "anim/track_evaluation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tess {
namespace {

VectorTrack twoKeys(std::int32_t type) {
    VectorTrack track;
    track.interpolationType = type;
    track.keys = {{0, {0, 0, 0}, {}, {}}, {1000, {10, 0, 0}, {}, {}}};
    return track;
}

float xAt(VectorTrack& track, std::int32_t time) {
    evaluateTranslation(track, time);
    return track.cache.cachedValue[0];
}

TEST(TranslationEvaluation, BracketsKeysAndHoldsOutsideThem) {
    VectorTrack linear = twoKeys(Linear);
    EXPECT_FLOAT_EQ(xAt(linear, 250), 2.5f);
    EXPECT_FLOAT_EQ(xAt(linear, 1000), 10);
    EXPECT_FLOAT_EQ(xAt(linear, 5000), 10);
    EXPECT_FLOAT_EQ(xAt(linear, -1), 0);
    EXPECT_FLOAT_EQ(linear.cache.cachedMatrix[3], 0);
    xAt(linear, 500);
    EXPECT_FLOAT_EQ(linear.cache.cachedMatrix[3], 5);

    VectorTrack hermite = twoKeys(Hermite);
    EXPECT_FLOAT_EQ(xAt(hermite, 500), 5);
}

TEST(TranslationEvaluation, DontInterpStepsAndEqualTimesDoNotDivideByZero) {
    VectorTrack step = twoKeys(DontInterp);
    EXPECT_FLOAT_EQ(xAt(step, 999), 0);
    EXPECT_FLOAT_EQ(xAt(step, 1000), 10);

    VectorTrack same;
    same.keys = {
        {0, {1, 0, 0}, {}, {}}, {100, {2, 0, 0}, {}, {}}, {100, {3, 0, 0}, {}, {}}, {200, {5, 0, 0}, {}, {}}};
    EXPECT_FLOAT_EQ(xAt(same, 100), 3);
    EXPECT_FLOAT_EQ(xAt(same, 150), 4);
}

TEST(TranslationEvaluation, OneKeyHoldsFromItsTimeAndTheStaticValueIsNeverUsed) {
    VectorTrack track;
    track.staticValue = {7, 7, 7};
    EXPECT_FLOAT_EQ(xAt(track, 0), 0);
    track.keys = {{100, {4, 5, 6}, {}, {}}};
    EXPECT_FLOAT_EQ(xAt(track, 99), 0);
    EXPECT_FLOAT_EQ(xAt(track, 100), 4);
    EXPECT_FLOAT_EQ(xAt(track, 100000), 4);
    EXPECT_EQ(track.cache.cachedValue, (Vec3{4, 5, 6}));
    EXPECT_FLOAT_EQ(track.cache.cachedMatrix[7], 5);
    EXPECT_FLOAT_EQ(track.cache.cachedMatrix[11], 6);
}

// Tangents that must not take part (the first key's InTan, the last key's OutTan) hold
// junk, so using the wrong ones shows.
VectorTrack tangentKeys(std::int32_t type, float outTan, float inTan) {
    VectorTrack track;
    track.interpolationType = type;
    track.keys = {{0, {0, 0, 0}, {99, 99, 99}, {outTan, 0, 0}},
                  {1000, {10, 0, 0}, {inTan, 0, 0}, {99, 99, 99}}};
    return track;
}

TEST(TranslationEvaluation, HermiteAndBezierUseTheStoredTangentsAsGiven) {
    // Hermite at u = 0.25: 0.140625 * OutTan - 0.046875 * InTan + 0.15625 * 10.
    VectorTrack hermite = tangentKeys(Hermite, 8, 0);
    EXPECT_FLOAT_EQ(xAt(hermite, 250), 2.6875f);
    hermite = tangentKeys(Hermite, 0, 8);
    EXPECT_FLOAT_EQ(xAt(hermite, 250), 1.1875f);

    // Bezier tangents are absolute control points: 0.421875 * 4 + 0.140625 * 12 + 0.015625 * 10.
    VectorTrack bezier = tangentKeys(Bezier, 4, 12);
    EXPECT_FLOAT_EQ(xAt(bezier, 250), 3.53125f);
    EXPECT_FLOAT_EQ(xAt(bezier, 0), 0);

    // An unknown code steps like DontInterp.
    VectorTrack unknown = tangentKeys(-1, 4, 12);
    EXPECT_FLOAT_EQ(xAt(unknown, 500), 0);
}

TEST(RotationEvaluation, SlerpsHalfwayAndStaysOnOppositeKeys) {
    QuatTrack track;
    track.keys = {{0, {0, 0, 0, 1}, {}, {}}, {1000, {0, 0, 1, 0}, {}, {}}};
    evaluateRotation(track, 500);
    const float h = std::sqrt(0.5f);
    EXPECT_NEAR(track.cache.cachedValue[2], h, 1e-6);
    EXPECT_NEAR(track.cache.cachedValue[3], h, 1e-6);

    const Quat q{0.5f, 0.5f, 0.5f, 0.5f};
    const Quat r = quaternionSlerp(q, {-0.5f, -0.5f, -0.5f, -0.5f}, 0.7f);
    for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(r[c], q[c]);
}

TEST(RotationEvaluation, TakesTheShorterArcAcrossTheHemisphereFlip) {
    const float h = std::sqrt(0.5f);
    // -b is the same 90 degree turn about Z as b: halfway is the 45 degree turn, not 135.
    const Quat r = quaternionSlerp({0, 0, 0, 1}, {0, 0, -h, -h}, 0.5f);
    EXPECT_NEAR(r[0], 0, 1e-6);
    EXPECT_NEAR(r[1], 0, 1e-6);
    EXPECT_NEAR(r[2], 0.3826834f, 1e-6);
    EXPECT_NEAR(r[3], 0.9238795f, 1e-6);

    const Quat quarter = quaternionSlerp({0, 0, 0, 1}, {0, 0, h, h}, 0.25f);
    EXPECT_NEAR(quarter[2], 0.1950903f, 1e-6);
    EXPECT_NEAR(quarter[3], 0.9807853f, 1e-6);
}

TEST(RotationEvaluation, IgnoresTypeAndTangentsAndBuildsTheRotationMatrix) {
    const float h = std::sqrt(0.5f);
    QuatTrack linear;
    linear.keys = {{0, {0, 0, 0, 1}, {}, {}}, {1000, {0, 0, h, h}, {}, {}}};
    QuatTrack bezier = linear;
    bezier.interpolationType = Bezier;
    for (auto& key : bezier.keys) key.InTan = key.OutTan = {1, 2, 3, 4};
    evaluateRotation(linear, 300);
    evaluateRotation(bezier, 300);
    EXPECT_EQ(linear.cache.cachedValue, bezier.cache.cachedValue);

    evaluateRotation(linear, -5);
    EXPECT_EQ(linear.cache.cachedValue, (Quat{0, 0, 0, 1}));
    evaluateRotation(linear, 1000);
    // 90 degrees about Z: the X axis turns into the Y axis.
    const Mat4& m = linear.cache.cachedMatrix;
    EXPECT_NEAR(m[0], 0, 1e-6);
    EXPECT_NEAR(m[4], 1, 1e-6);
    EXPECT_NEAR(m[1], -1, 1e-6);
    EXPECT_NEAR(m[10], 1, 1e-6);
    EXPECT_FLOAT_EQ(m[15], 1);
}

}  // namespace
}  // namespace tess

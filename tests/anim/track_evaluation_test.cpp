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

}  // namespace
}  // namespace tess

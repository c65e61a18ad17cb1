#include "editor/camera_steps.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tess {
namespace {

TEST(OrbitStep, ClampsPitchAndWrapsYawOnce) {
    AppState state;
    state.cameraPitch = 80;
    const std::pair<int, float> pitchSteps[] = {{15, 90}, {5, 90}, {-200, -90}};
    for (const auto& [dy, pitch] : pitchSteps) {
        orbitStep(state, 0, dy);
        EXPECT_EQ(state.cameraPitch, pitch) << dy;
    }
    const std::tuple<float, int, float> yawSteps[] = {{355, 10, 5}, {0, -1, 359}, {350, 10, 360}};
    for (const auto& [from, dx, yaw] : yawSteps) {
        state.cameraYaw = from;
        orbitStep(state, dx, 0);
        EXPECT_EQ(state.cameraYaw, yaw) << from << " + " << dx;
    }
}

TEST(PanStep, TurnsHalfTheMouseMovementBackThroughPitchAndYaw) {
    const struct {
        float pitch, yaw, roll;
        int dx, dy;
        Vec3 moved;
    } cases[] = {{0, 0, 0, 10, 0, {5, 0, 0}},
                 {0, 0, 0, 0, -10, {0, 5, 0}},
                 {0, 90, 0, 10, 0, {0, 0, 5}},
                 {90, 0, 0, 0, -10, {0, 0, -5}},
                 {90, 0, 45, 0, -10, {0, 0, -5}}};  // the roll plays no part
    for (const auto& c : cases) {
        AppState state;
        state.cameraPitch = c.pitch;
        state.cameraYaw = c.yaw;
        state.cameraRoll = c.roll;
        state.cameraTarget = {1, 1, 1};
        panStep(state, c.dx, c.dy);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(state.cameraTarget[i], 1 + c.moved[i], 1e-5) << c.pitch << " " << c.yaw;
    }
}

TEST(ZoomStep, ForwardWordsMoveInAndEverythingElseMovesOutWithinLimits) {
    AppState state;
    for (int i = 0; i < 10; ++i) zoomStep(state, 120);
    EXPECT_NEAR(state.cameraDistance, 21.47, 0.01);
    for (const int word : {0, 999, 1000, 65416}) {  // 65416: a backward turn of -120
        state.cameraDistance = 100;
        zoomStep(state, static_cast<std::uint16_t>(word));
        EXPECT_FLOAT_EQ(state.cameraDistance, word == 999 ? 80 : 125) << word;
    }
    for (int i = 0; i < 2000; ++i) zoomStep(state, 120);
    EXPECT_EQ(state.cameraDistance, kMinCameraDistance);
    zoomStep(state, 0);
    EXPECT_GT(state.cameraDistance, kMinCameraDistance);  // zooming back out still works
    for (int i = 0; i < 2000; ++i) zoomStep(state, 0);
    EXPECT_EQ(state.cameraDistance, kMaxCameraDistance);
}

TEST(ViewPreset, SetsEachViewsAnglesAndKeepsDistanceAndTarget) {
    AppState state;
    state.cameraDistance = 77;
    state.cameraTarget = {1, 2, 3};
    const float angles[7][2] = {{0, 0}, {0, 180}, {0, 0}, {0, 270}, {0, 90}, {90, -90}, {-90, 90}};
    for (int view = 1; view <= 6; ++view) {
        orbitStep(state, 13, 7);
        state.cameraRoll = 5;
        applyViewPreset(state, view);
        EXPECT_EQ(state.viewType, view);
        EXPECT_EQ((std::array{state.cameraPitch, state.cameraYaw, state.cameraRoll}),
                  (std::array{angles[view][0], angles[view][1], 0.0f}));
    }
    EXPECT_EQ(state.cameraDistance, 77);
    EXPECT_EQ(state.cameraTarget, (Vec3{1, 2, 3}));

    applyViewPreset(state, 5);  // Top, then orbiting turns on from the preset
    orbitStep(state, 10, -5);
    applyViewPreset(state, 0);  // Perspective keeps the angles
    applyViewPreset(state, 7);  // not a view: nothing changes
    EXPECT_EQ((std::array{state.cameraPitch, state.cameraYaw}), (std::array{85.0f, 280.0f}));
    EXPECT_EQ(state.viewType, 0);
}

}  // namespace
}  // namespace tess

#include "editor/camera_steps.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tess {
namespace {

TEST(OrbitStep, ClampsPitchAndWrapsYawOnce) {
    const std::tuple<Vec2, int, int, Vec2> cases[] = {
        {{80, 355}, 10, 15, {90, 5}}, {{90, 0}, -1, 5, {90, 359}}, {{0, 350}, 10, -200, {-90, 360}}};
    for (const auto& [from, dx, dy, to] : cases) {
        AppState state;
        state.cameraPitch = from[0];
        state.cameraYaw = from[1];
        orbitStep(state, dx, dy);
        EXPECT_EQ((Vec2{state.cameraPitch, state.cameraYaw}), to) << dx << " " << dy;
    }
}

TEST(PanStep, TurnsHalfTheMouseMovementBackThroughPitchAndYawButNotRoll) {
    const std::tuple<float, float, int, int, Vec3> cases[] = {{0, 0, 10, 0, {5, 0, 0}},
                                                              {0, 0, 0, -10, {0, 5, 0}},
                                                              {0, 90, 10, 0, {0, 0, 5}},
                                                              {90, 0, 0, -10, {0, 0, -5}}};
    for (const auto& [pitch, yaw, dx, dy, moved] : cases) {
        AppState state;
        state.cameraPitch = pitch;
        state.cameraYaw = yaw;
        state.cameraRoll = 45;
        state.cameraTarget = {1, 1, 1};
        panStep(state, dx, dy);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(state.cameraTarget[i], 1 + moved[i], 1e-5) << pitch << " " << yaw;
    }
}

TEST(ZoomStep, ForwardWordsMoveInAndEverythingElseMovesOutWithinLimits) {
    AppState state;
    for (const int word : {0, 1, 120, 999, 1000, 65416}) {  // 65416: a backward turn of -120
        state.cameraDistance = 100;
        zoomStep(state, static_cast<std::uint16_t>(word));
        EXPECT_FLOAT_EQ(state.cameraDistance, word >= 1 && word <= 999 ? 80 : 125) << word;
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
    const float angles[6][2] = {{0, 180}, {0, 0}, {0, 270}, {0, 90}, {90, -90}, {-90, 90}};
    for (int view = 1; view <= 6; ++view) {
        orbitStep(state, 13, 7);
        state.cameraRoll = 5;
        applyViewPreset(state, view);
        EXPECT_EQ(state.viewType, view);
        EXPECT_EQ((Vec3{state.cameraPitch, state.cameraYaw, state.cameraRoll}),
                  (Vec3{angles[view - 1][0], angles[view - 1][1], 0}));
    }
    EXPECT_EQ(state.cameraDistance, 77);
    EXPECT_EQ(state.cameraTarget, (Vec3{1, 2, 3}));

    applyViewPreset(state, 5);  // Top, then orbiting turns on from the preset
    orbitStep(state, 10, -5);
    applyViewPreset(state, 0);  // Perspective keeps the angles
    applyViewPreset(state, 7);  // not a view: nothing changes
    EXPECT_EQ((Vec2{state.cameraPitch, state.cameraYaw}), (Vec2{85, 280}));
    EXPECT_EQ(state.viewType, 0);
}

}  // namespace
}  // namespace tess

#include "editor/camera_steps.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tess {
namespace {

TEST(CameraSteps, OrbitClampsPitchAndWrapsYawOncePanTurnsHalfTheMovementBackButNotTheRoll) {
    const std::tuple<Vec2, int, int, Vec2> orbits[] = {
        {{80, 355}, 10, 15, {90, 5}}, {{90, 0}, -1, 5, {90, 359}}, {{0, 350}, 10, -200, {-90, 360}}};
    for (const auto& [from, dx, dy, to] : orbits) {
        View view;
        std::tie(view.cameraPitch, view.cameraYaw) = std::tuple(from[0], from[1]);
        orbitStep(view, dx, dy);
        EXPECT_EQ((Vec2{view.cameraPitch, view.cameraYaw}), to) << dx << " " << dy;
    }
    // Pitch, yaw, movement, then how far the target moves.
    const float pans[][7] = {{0, 0, 10, 0, 5, 0, 0},    {0, 0, 0, -10, 0, 5, 0},   {0, 90, 10, 0, 0, 0, 5},
                             {90, 0, 0, -10, 0, 0, -5}, {0, 180, 10, 0, -5, 0, 0}, {-90, 0, 0, -10, 0, 0, 5}};
    for (const auto& pan : pans) {
        View view;
        std::tie(view.cameraPitch, view.cameraYaw, view.cameraRoll, view.cameraTarget) =
            std::tuple(pan[0], pan[1], 45.0f, Vec3{1, 1, 1});
        panStep(view, static_cast<int>(pan[2]), static_cast<int>(pan[3]));
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(view.cameraTarget[i], 1 + pan[4 + i], 1e-5) << pan[0] << " " << pan[1];
    }
}

TEST(CameraSteps, ZoomMovesInOnForwardWordsOnlyWithinLimits) {
    View view;
    for (const int word : {0, 1, 120, 999, 1000, 65416}) {  // 65416: a backward turn of -120
        view.cameraDistance = 100;
        zoomStep(view, static_cast<std::uint16_t>(word));
        EXPECT_FLOAT_EQ(view.cameraDistance, word >= 1 && word <= 999 ? 80 : 125) << word;
    }
    for (int i = 0; i < 2000; ++i) zoomStep(view, 120);
    EXPECT_EQ(view.cameraDistance, kMinCameraDistance);
    zoomStep(view, 0);
    EXPECT_GT(view.cameraDistance, kMinCameraDistance);  // zooming back out still works
    for (int i = 0; i < 2000; ++i) zoomStep(view, 0);
    EXPECT_EQ(view.cameraDistance, kMaxCameraDistance);
}

}  // namespace
}  // namespace tess

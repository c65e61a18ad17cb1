#include "view/framing.h"

#include <cmath>

#include "render/camera.h"
#include "render_fixture.h"

namespace tess::testing {
namespace {

using Framing = RenderTest;

TEST_F(Framing, TheSelectionOrTheWholeModelFillsTheViewFromAnyAngle) {
    const std::vector<Vec3> near = {{40, -30, 10}, {70, -30, 10}, {55, 0, 40}}, far = {{-60, 60, -5}};
    addTriangles({near[0], near[1], near[2], far[0], far[0], far[0]}, {});
    selection.fit(model);
    selection.geosets[0].vertices = {1, 1, 1};
    const std::tuple<ViewType, float, float, float, int> cameras[] = {
        {ViewType::Perspective, 45, 45, 0, kSize},
        {ViewType::Perspective, -20, 300, 15, 64},
        {ViewType::Top, 90, -90, 0, 64}};
    for (const auto& [type, pitch, yaw, roll, height] : cameras)
        for (const bool whole : {false, true}) {
            std::tie(view.cameraRoll, view.windowHeight) = std::tuple(roll, height);
            setView(type, pitch, yaw, 500);
            const std::vector<Vec3> points = framingPoints(model, selection, pose.animatedPositions, whole);
            ASSERT_EQ(points.size(), whole ? 6u : 3u);
            ASSERT_TRUE(frameView(view, points));
            resizeScene(view);
            applyViewTransform(view);
            double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
            for (const Vec3& p : points) {
                const std::array<double, 3> w = windowOf(p);
                std::tie(x0, y0, x1, y1) = std::tuple(std::min(x0, w[0]), std::min(y0, w[1]),
                                                      std::max(x1, w[0]), std::max(y1, w[1]));
                EXPECT_TRUE(w[2] > 0 && w[2] < 1) << "between the near and far planes";
            }
            EXPECT_TRUE(x0 >= 0 && y0 >= 0 && x1 <= kSize && y1 <= height) << viewTypeName(type) << whole;
            EXPECT_GT(std::max((x1 - x0) / kSize, (y1 - y0) / height), 0.85) << viewTypeName(type) << whole;
        }
    // One point lands in the middle; no finite point leaves the camera as it was.
    ASSERT_TRUE(frameView(view, std::vector<Vec3>{{7, 8, 9}}));
    resizeScene(view);
    applyViewTransform(view);
    EXPECT_NEAR(windowOf({7, 8, 9})[0], kSize / 2.0, 1e-3);
    const View before = view;
    EXPECT_FALSE(frameView(view, {}) || frameView(view, std::vector<Vec3>{Vec3{std::nanf(""), 0, 0}}));
    EXPECT_TRUE(view.cameraTarget == before.cameraTarget && view.cameraDistance == before.cameraDistance);
}

}  // namespace
}  // namespace tess::testing

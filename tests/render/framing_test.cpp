#include "view/framing.h"

#include <algorithm>
#include <cmath>

#include "render/camera.h"
#include "render_fixture.h"

namespace tess::testing {
namespace {

using Framing = RenderTest;

// The window rectangle (x0, y0, x1, y1) the points project into with the current matrices.
std::array<double, 4> projectedBounds(const std::vector<Vec3>& points) {
    std::array<double, 4> b{1e9, 1e9, -1e9, -1e9};
    for (const Vec3& p : points) {
        const std::array<double, 3> w = windowOf(p);
        b = {std::min(b[0], w[0]), std::min(b[1], w[1]), std::max(b[2], w[0]), std::max(b[3], w[1])};
    }
    return b;
}

TEST_F(Framing, TheSelectionOrTheWholeModelFillsTheViewFromAnyAngle) {
    const std::vector<Vec3> near = {{40, -30, 10}, {70, -30, 10}, {55, 0, 40}};
    const std::vector<Vec3> far = {{-60, 60, -5}, {-50, 60, -5}, {-55, 70, 0}};
    addTriangles(near, {});
    addTriangles(far, {});
    selection.fit(model);
    selection.geosets[0].vertices = {1, 1, 1};
    std::vector<Vec3> all = near;
    all.insert(all.end(), far.begin(), far.end());

    const struct {
        ViewType type;
        float pitch, yaw, roll;
        int height;
    } cameras[] = {{ViewType::Perspective, 45, 45, 0, kSize},
                   {ViewType::Perspective, -20, 300, 15, kSize / 2},
                   {ViewType::Front, 0, 270, 0, kSize},
                   {ViewType::Top, 90, -90, 0, kSize / 2}};
    for (const auto& c : cameras)
        for (const bool wholeModel : {false, true}) {
            setView(c.type, c.pitch, c.yaw, 500);
            view.cameraRoll = c.roll;
            view.windowHeight = c.height;
            const std::vector<Vec3> points =
                framingPoints(model, selection, pose.animatedPositions, wholeModel);
            ASSERT_EQ(points, wholeModel ? all : near);
            ASSERT_TRUE(frameView(view, points));
            resizeScene(view);
            applyViewTransform(view);
            const std::array<double, 4> b = projectedBounds(points);
            const std::string label =
                std::string(viewTypeName(c.type)) + (wholeModel ? " whole" : " selected");
            EXPECT_TRUE(b[0] >= 0 && b[1] >= 0 && b[2] <= kSize && b[3] <= c.height) << label;
            EXPECT_GT(std::max((b[2] - b[0]) / kSize, (b[3] - b[1]) / c.height), 0.75) << label;
            for (const Vec3& p : points)
                EXPECT_LT(windowOf(p)[2], 1.0) << label;  // in front of the far plane
        }

    // One point lands in the middle; no point (or none finite) leaves the camera as it was.
    setView(ViewType::Perspective, 30, 60, 200);
    view.windowHeight = kSize;
    ASSERT_TRUE(frameView(view, std::vector<Vec3>{{7, 8, 9}}));
    resizeScene(view);
    applyViewTransform(view);
    const std::array<double, 3> middle = windowOf({7, 8, 9});
    EXPECT_NEAR(middle[0], kSize / 2.0, 1e-3);
    EXPECT_NEAR(middle[1], kSize / 2.0, 1e-3);
    EXPECT_GT(middle[2], 0.0);  // beyond the near plane
    const View before = view;
    EXPECT_FALSE(frameView(view, {}) || frameView(view, std::vector<Vec3>{Vec3{std::nanf(""), 0, 0}}));
    EXPECT_TRUE(view.cameraTarget == before.cameraTarget && view.cameraDistance == before.cameraDistance);
}

}  // namespace
}  // namespace tess::testing

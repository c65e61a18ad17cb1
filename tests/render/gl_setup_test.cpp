#include "render/gl_setup.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "render/camera.h"
#include "render_fixture.h"

namespace tess::testing {
namespace {

class GlSetup : public RenderTest {
protected:
    // The window position of a model point under a fresh projection and view.
    std::array<double, 3> viewed(const Vec3& point) {
        resizeScene(state);
        applyViewTransform(state);
        return windowOf(point);
    }
    void expectWindow(const Vec3& point, double x, double y) {
        const std::array<double, 3> w = viewed(point);
        EXPECT_NEAR(w[0], x, 1e-3) << point[0] << ", " << point[1] << ", " << point[2];
        EXPECT_NEAR(w[1], y, 1e-3) << point[0] << ", " << point[1] << ", " << point[2];
    }
};

TEST_F(GlSetup, ZeroHeightWindowGetsOnePixelAndAFiniteProjection) {
    state.windowHeight = 0;
    for (const int view : {0, 3}) {
        state.viewType = view;
        resizeScene(state);
        std::array<GLint, 4> viewport{};
        glGetIntegerv(GL_VIEWPORT, viewport.data());
        EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, kSize, 1}));
        std::array<double, 16> projection{};
        glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
        for (double e : projection) EXPECT_TRUE(std::isfinite(e)) << "view " << view;
    }
}

TEST_F(GlSetup, SetProjectionReplacesOrMultiplies) {
    state.viewType = 2;
    state.cameraDistance = 50;
    setProjection(state, false);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    std::array<double, 16> ortho{}, kept{};
    glGetDoublev(GL_PROJECTION_MATRIX, ortho.data());
    EXPECT_NEAR(ortho[0], 1.0 / 50, 1e-9);  // the half-width is the camera distance
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glScaled(2, 3, 1);
    setProjection(state, true);
    glGetDoublev(GL_PROJECTION_MATRIX, kept.data());
    EXPECT_NEAR(kept[0], 2 * ortho[0], 1e-9);
    EXPECT_NEAR(kept[5], 3 * ortho[5], 1e-9);
    glMatrixMode(GL_MODELVIEW);
}

TEST_F(GlSetup, ViewTransformAndProjectionPlaceTheModel) {
    state.viewType = 2;  // Right: model X to the right, Z up
    state.cameraPitch = state.cameraYaw = 0;
    state.cameraDistance = 60;
    state.windowHeight = 64;
    expectWindow({60, 0, 0}, 128, 32);
    expectWindow({0, 0, 30}, 64, 64);  // the visible height is 60 x 64 / 128 either way
    state.cameraTarget = {10, 0, 0};
    expectWindow({0, 0, 0}, 64 + 10 * 64.0 / 60, 32);

    state.viewType = 5;  // Top: model +Y to the right, +X down
    state.cameraPitch = 90;
    state.cameraYaw = -90;
    state.cameraTarget = {0, 0, 0};
    state.windowHeight = kSize;
    expectWindow({30, 0, 0}, 64, 32);
    expectWindow({0, 30, 0}, 96, 64);

    state.viewType = 0;  // perspective: 45 degrees high, as wide as the window's aspect
    state.cameraPitch = state.cameraYaw = 0;
    state.cameraDistance = 200;
    state.windowHeight = 64;
    const auto edge = static_cast<float>(200 * std::tan(22.5 * M_PI / 180));
    expectWindow({0, 0, edge}, 64, 64);
    expectWindow({2 * edge, 0, 0}, 128, 32);
    EXPECT_LT(viewed({0, -195, 0})[2], 0.0);  // nearer than the near plane at 10
}

}  // namespace
}  // namespace tess::testing

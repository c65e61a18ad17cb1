#include "render/vertex_markers.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <random>

#include "render/camera.h"
#include "render_fixture.h"

namespace tess::testing {
namespace {

using VertexMarkers = RenderTest;

// A clear frame with a dark blue square at depth 0.5 in the middle.
void clearToSquare() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(32, 32, 64, 64);
    glClearColor(0, 0, 76 / 255.0f, 0);
    glClearDepth(0.5);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0, 0, 0, 0.5f);
    glClearDepth(1);
    glDisable(GL_SCISSOR_TEST);
}

// A marker the long way: the corner unprojected into the raster position, then a 5 x 5
// block of pixels.
void drawBlock(const WindowPoint& p, const std::array<std::uint8_t, 4>& rgba) {
    std::array<double, 16> modelview{}, projection{};
    std::array<GLint, 4> viewport{};
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    std::array<double, 3> corner{};
    gluUnProject(p.x - 2, p.y - 2, p.z, modelview.data(), projection.data(), viewport.data(), &corner[0],
                 &corner[1], &corner[2]);
    glRasterPos3dv(corner.data());
    const std::vector<std::array<std::uint8_t, 4>> block(25, rgba);
    glDrawPixels(5, 5, GL_RGBA, GL_UNSIGNED_BYTE, block.data());
}

TEST_F(VertexMarkers, CoverExactlyThePixelsOfRasterBlocks) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-4.0, kSize + 4.0), depth(0.2, 0.8);
    // Ties at exactly half a pixel may round either way, and depths next to the square's.
    auto nearHalf = [](double v) { return std::abs(v - std::floor(v) - 0.5) < 0.02; };
    std::vector<WindowPoint> points;
    while (points.size() < 400) {
        const WindowPoint p{coordinate(random), coordinate(random), depth(random)};
        if (!nearHalf(p.x) && !nearHalf(p.y) && std::abs(p.z - 0.5) > 0.01) points.push_back(p);
    }
    const std::array<std::uint8_t, 4> white{255, 255, 255, 0}, red{255, 0, 0, 0};
    glLoadIdentity();
    applyViewTransform(state);  // the blocks are placed through the ordinary perspective view
    glBindTexture(GL_TEXTURE_2D, table.slots[kWhiteSlot]);

    clearToSquare();
    for (std::size_t i = 0; i < points.size(); ++i) drawBlock(points[i], i % 3 == 0 ? red : white);
    grab();
    const std::vector<std::uint8_t> blocks = frame;

    clearToSquare();
    MarkerBatch batch;
    batch.reset({0, 0, kSize, kSize});
    for (std::size_t i = 0; i < points.size(); ++i) batch.add(points[i], i % 3 == 0 ? red : white);
    batch.draw();
    grab();
    EXPECT_TRUE(frame == blocks);
    EXPECT_GT(countColour({255, 0, 0}), 500);
    EXPECT_GT(countColour({0, 0, 76}), 1000);  // markers behind the square stay hidden
    EXPECT_LT(batch.size(), points.size());    // corners outside the viewport draw nothing
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, kSize, kSize}));
}

TEST_F(VertexMarkers, ScreenPositionsMatchGluProjectWhileTheOverlayIsOn) {
    state.windowHeight = 96;  // not square: y is counted from the top of the viewport
    state.showOverlay = true;
    state.editMode = EditMode::Triangle;
    std::mt19937 random(11);
    std::uniform_real_distribution<float> coordinate(-90, 90);
    std::vector<Vertex>& vertices = model.Geosets.emplace_back().Vertices;
    for (int i = 0; i < 500; ++i)
        vertices.emplace_back().animatedPosition = {coordinate(random), coordinate(random),
                                                    coordinate(random)};
    drawFrame();
    for (const Vertex& v : vertices) {
        const std::array<double, 3> w = windowOf(v.animatedPosition);
        EXPECT_NEAR(v.screenPosition[0], w[0], 1e-3);
        EXPECT_NEAR(v.screenPosition[1], 96 - w[1], 1e-3);
        EXPECT_NEAR(v.screenPosition[2], w[2], 1e-6);
    }
    const Vec3 kept = vertices[0].screenPosition;
    state.showOverlay = false;
    state.cameraYaw = 100;
    drawFrame();
    EXPECT_EQ(vertices[0].screenPosition, kept);
}

}  // namespace
}  // namespace tess::testing

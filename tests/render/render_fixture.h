#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/app_state.h"
#include "model/model.h"
#include "offscreen_context.h"
#include "render/texture_table.h"

namespace tess::testing {

using Rgb = std::array<int, 3>;

// Draws into a kSize x kSize offscreen framebuffer set up as the window does (initGL, then
// resizeScene). The GL context is shared by all tests, so state they change is reset here.
// A failing test that grabbed a frame writes it to render_failures/<suite>.<test>.ppm.
class RenderTest : public ::testing::Test {
protected:
    static constexpr int kSize = 128;

    void SetUp() override;
    void TearDown() override;
    void initialise();  // initGL for the model and currentFileName, then resizeScene
    void drawFrame();   // resizeScene, drawScene, grab
    void grab() { frame = context.readPixels(); }

    // The grabbed pixel at window (x, y), y up; (-1, -1, -1) outside the frame.
    Rgb pixel(int x, int y) const;
    // gluProject of a model point with the matrices in force (after drawFrame: the view).
    std::array<double, 3> windowOf(const Vec3& point) const;
    Rgb pixelAt(const Vec3& point) const;
    int countColour(const Rgb& colour) const;

    OffscreenContext context;
    Model model;
    AppState state;
    std::string currentFileName;
    TextureTable table;
    std::vector<std::uint8_t> frame;
};

::testing::AssertionResult colourNear(const Rgb& actual, const Rgb& expected, int tolerance = 2);

std::string renderTestData(const std::string& name);

// An uncompressed 32-bit TGA file's bytes: the 18-byte header, then `body` as it is.
std::vector<std::uint8_t> tgaBytes(int width, int height, const std::vector<std::uint8_t>& body);

}  // namespace tess::testing

#include "render_fixture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "render/draw_scene.h"
#include "render/gl_setup.h"

namespace tess::testing {

void RenderTest::SetUp() {
    ASSERT_TRUE(context.open(kSize, kSize)) << context.error();
    state.windowWidth = state.windowHeight = kSize;
    glBlendFunc(GL_ONE, GL_ZERO);
    glDisable(GL_BLEND);
    initialise();
}

void RenderTest::TearDown() {
    releaseTextures(table);
    if (!HasFailure() || frame.empty()) return;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::create_directories("render_failures");
    const std::string path =
        std::string("render_failures/") + info->test_suite_name() + "." + info->name() + ".ppm";
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << kSize << " " << kSize << "\n255\n";
    for (int y = kSize - 1; y >= 0; --y)
        for (int x = 0; x < kSize; ++x)
            out.write(reinterpret_cast<const char*>(&frame[(static_cast<std::size_t>(y) * kSize + x) * 4]),
                      3);
    ADD_FAILURE() << "actual frame written to " << std::filesystem::absolute(path).string();
}

void RenderTest::initialise() {
    ASSERT_TRUE(initGL(table, model, currentFileName));
    resizeScene(state);
}

void RenderTest::drawFrame() {
    resizeScene(state);
    ASSERT_TRUE(drawScene(model, state, table));
    grab();
}

Rgb RenderTest::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= kSize || y >= kSize) return {-1, -1, -1};
    const std::uint8_t* p = &frame[(static_cast<std::size_t>(y) * kSize + x) * 4];
    return {p[0], p[1], p[2]};
}

std::array<double, 3> RenderTest::windowOf(const Vec3& point) const {
    std::array<double, 16> modelview{}, projection{};
    std::array<GLint, 4> viewport{};
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    std::array<double, 3> w{};
    gluProject(point[0], point[1], point[2], modelview.data(), projection.data(), viewport.data(), &w[0],
               &w[1], &w[2]);
    return w;
}

Rgb RenderTest::pixelAt(const Vec3& point) const {
    const std::array<double, 3> w = windowOf(point);
    return pixel(static_cast<int>(w[0]), static_cast<int>(w[1]));
}

int RenderTest::countColour(const Rgb& colour) const {
    int count = 0;
    for (std::size_t i = 0; i < frame.size(); i += 4)
        count += frame[i] == colour[0] && frame[i + 1] == colour[1] && frame[i + 2] == colour[2];
    return count;
}

::testing::AssertionResult colourNear(const Rgb& actual, const Rgb& expected, int tolerance) {
    for (int c = 0; c < 3; ++c)
        if (std::abs(actual[c] - expected[c]) > tolerance)
            return ::testing::AssertionFailure()
                   << "colour (" << actual[0] << ", " << actual[1] << ", " << actual[2] << "), expected ("
                   << expected[0] << ", " << expected[1] << ", " << expected[2] << ")";
    return ::testing::AssertionSuccess();
}

std::string renderTestData(const std::string& name) {
    return std::string(TESS_RENDER_TEST_DATA) + "/" + name;
}

std::vector<std::uint8_t> tgaBytes(int width, int height, const std::vector<std::uint8_t>& body) {
    std::vector<std::uint8_t> bytes(18 + body.size(), 0);
    bytes[2] = 2;  // uncompressed true colour
    bytes[12] = static_cast<std::uint8_t>(width & 0xFF);
    bytes[13] = static_cast<std::uint8_t>(width >> 8);
    bytes[14] = static_cast<std::uint8_t>(height & 0xFF);
    bytes[15] = static_cast<std::uint8_t>(height >> 8);
    bytes[16] = 32;
    std::copy(body.begin(), body.end(), bytes.begin() + 18);
    return bytes;
}

}  // namespace tess::testing

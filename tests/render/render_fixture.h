#pragma once

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "render/draw_scene.h"
#include "render/gl_setup.h"
#include "render/offscreen_context.h"

namespace tess::testing {

using Rgb = std::array<int, 3>;
using Layers = std::vector<std::pair<std::uint32_t, std::uint32_t>>;  // (texture, filter mode)
constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kGrey{204, 204, 204};

inline Material material(const Layers& layers) {
    Material m;
    for (const auto& [texture, filterMode] : layers) {
        m.Layers.emplace_back().TextureID.staticValue = texture;
        m.Layers.back().FilterMode = filterMode;
    }
    return m;
}

inline bool near(const Rgb& a, const Rgb& b, int tolerance = 2) {
    return std::abs(a[0] - b[0]) <= tolerance && std::abs(a[1] - b[1]) <= tolerance &&
           std::abs(a[2] - b[2]) <= tolerance;
}

// The matrices and viewport in force (after drawFrame: the view's), for gluProject and gluUnProject.
struct GlTransform {
    GlTransform() {
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview.data());
        glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
        glGetIntegerv(GL_VIEWPORT, viewport.data());
    }
    std::array<double, 16> modelview{}, projection{};
    std::array<GLint, 4> viewport{};
};

inline std::array<double, 3> windowOf(const Vec3& point) {
    const GlTransform t;
    std::array<double, 3> w{};
    gluProject(point[0], point[1], point[2], t.modelview.data(), t.projection.data(), t.viewport.data(),
               &w[0], &w[1], &w[2]);
    return w;
}

// A document drawn as the window draws it (initGL, resizeScene, drawScene) into a kSize x kSize
// offscreen framebuffer; by default in the Top view (looking down -Z, model +Y to the right, +X
// down, +-60 units across) without overlays. The GL context is shared by all tests, so the state
// they change is reset here.
class RenderTest : public ::testing::Test {
protected:
    static constexpr int kSize = 128;

    void SetUp() override {
        ASSERT_TRUE(context.open(kSize, kSize)) << context.error();
        view.windowWidth = view.windowHeight = kSize;
        setView(ViewType::Top, 90, -90, 60);
        view.editMode = EditMode::None;
        view.showOverlay = false;
        glBlendFunc(GL_ONE, GL_ZERO);
        initialise();
    }
    void TearDown() override { releaseTextures(table); }
    void initialise() {
        initGL(table, model, currentFileName);
        resizeScene(view);
    }
    // Fits the selection to the model, draws a frame and grabs it.
    void drawFrame() {
        selection.fit(model);
        resizeScene(view);
        gizmo = drawScene(Scene{model, pose, selection, view, table}, screens, gizmo);
        grab();
    }
    void grab() { frame = context.readPixels(); }
    void setView(ViewType type, float pitch, float yaw, float distance) {
        view.viewType = type;
        view.cameraPitch = pitch;
        view.cameraYaw = yaw;
        view.cameraDistance = distance;
    }
    // Independent triangles posed at `corners` (resting at the origin) with one texture set:
    // `uv` as given, or every vertex at uv[0] when it has one entry (none when it is empty).
    Geoset& addTriangles(const std::vector<Vec3>& corners, const std::vector<Vec2>& uv,
                         std::uint32_t material = 0) {
        Geoset& geoset = model.Geosets.emplace_back();
        geoset.resizeVertices(corners.size());
        for (std::uint32_t i = 0; i < corners.size(); ++i) geoset.corners.push_back(i);
        if (!uv.empty()) geoset.uvSets = {uv.size() == 1 ? std::vector<Vec2>(corners.size(), uv[0]) : uv};
        geoset.MaterialID = material;
        pose.animatedPositions.resize(model.Geosets.size());
        pose.animatedPositions.back() = corners;
        return geoset;
    }
    // ReplaceableIds 0, 1, 2 on the committed 2 x 2 image (found through the .blp and letter-case rules).
    void useQuadrants() {
        model.Textures = {{0, "Quadrants.BLP", 0}, {1, "Quadrants.BLP", 0}, {2, "Quadrants.BLP", 0}};
        currentFileName = std::string(TESS_RENDER_TEST_DATA) + "/model.mdx";
        initialise();
    }

    // The grabbed pixel at window (x, y), y up; (-1, -1, -1) outside the frame.
    Rgb pixel(int x, int y) const {
        if (x < 0 || y < 0 || x >= kSize || y >= kSize) return {-1, -1, -1};
        const std::uint8_t* p = &frame[(static_cast<std::size_t>(y) * kSize + x) * 4];
        return {p[0], p[1], p[2]};
    }
    Rgb pixelAt(const Vec3& point, int dx = 0, int dy = 0) const {
        const std::array<double, 3> w = windowOf(point);
        return pixel(static_cast<int>(w[0]) + dx, static_cast<int>(w[1]) + dy);
    }
    int countColour(const Rgb& colour) const {
        int count = 0;
        for (int i = 0; i < kSize * kSize; ++i) count += pixel(i % kSize, i / kSize) == colour;
        return count;
    }
    // Pixels of `colour` within `radius` pixels of a model point's window position.
    int countNear(const Vec3& point, const Rgb& colour, int radius = 4) const {
        int count = 0;
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx) count += pixelAt(point, dx, dy) == colour;
        return count;
    }

    OffscreenContext context;
    Model model;
    Pose pose;
    Selection selection;
    View view;
    ScreenPositions screens;
    GizmoVectors gizmo;
    std::string currentFileName;
    TextureTable table;
    std::vector<std::uint8_t> frame;
};

}  // namespace tess::testing

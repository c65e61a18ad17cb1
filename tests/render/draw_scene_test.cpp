#include "render/draw_scene.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "anim/node_order.h"
#include "anim/pose.h"
#include "render/camera.h"
#include "render/draw_overlay.h"
#include "render_fixture.h"

namespace tess::testing {
namespace {

// Front-facing in the Top view, 10 units above the grid; the sample points lie off the grid.
const std::vector<Vec3> kCentreTriangle = {{-30, -30, 10}, {30, -30, 10}, {0, 30, 10}};
const std::vector<Vec3> kCornerTriangle = {{30, 30, 10}, {50, 30, 10}, {40, 50, 10}};
constexpr Vec3 kInsideCentre{3, 3, 10};
constexpr Vec3 kInsideCorner{45, 35, 10};
constexpr Rgb kTexel{200, 40, 30};  // the committed image's first pixel
constexpr Rgb kWhite{255, 255, 255}, kRed{255, 0, 0};

class DrawScene : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        useTopView(state);
    }
    // Texture 0 is the committed 2 x 2 image, found through the .blp and letter-case rules.
    void useQuadrants(std::vector<Texture> more = {}) {
        model.Textures = {Texture{0, "Quadrants.BLP", 0}};
        model.Textures.insert(model.Textures.end(), more.begin(), more.end());
        currentFileName = renderTestData("model.mdx");
        initialise();
    }
    bool whiteNear(const Vec3& point) const {
        const std::array<double, 3> w = windowOf(point);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (pixel(static_cast<int>(w[0]) + dx, static_cast<int>(w[1]) + dy) == kWhite) return true;
        return false;
    }
};

TEST_F(DrawScene, GridCoversFiftyUnitsEachWayInStepsOfTen) {
    drawFrame();
    for (float c = -50; c <= 50; c += 10) {
        EXPECT_TRUE(whiteNear({c, 25, 0})) << "line x = " << c;
        EXPECT_TRUE(whiteNear({25, c, 0})) << "line y = " << c;
    }
    for (const Vec3& off : {Vec3{5, 5, 0}, Vec3{-45, 35, 0}, Vec3{0, 55, 0}, Vec3{55, 0, 0}})
        EXPECT_TRUE(colourNear(pixelAt(off), {0, 0, 0}));
}

TEST_F(DrawScene, TexturedTriangleShowsTheTexelItsCoordinatesName) {
    useQuadrants();
    model.Materials = {layeredMaterial({{0, 0}})};
    // (u, v) samples the image at (u, 1 - v); the file's rows in stored order.
    const std::pair<Vec2, Rgb> cases[] = {{{0.25f, 0.75f}, kTexel},
                                          {{0.75f, 0.75f}, {20, 180, 60}},
                                          {{0.25f, 0.25f}, {30, 60, 210}},
                                          {{0.75f, 0.25f}, {230, 220, 20}}};
    for (const auto& [uv, expected] : cases) {
        model.Geosets = {triangleGeoset(kCentreTriangle, uv)};
        drawFrame();
        EXPECT_TRUE(colourNear(pixelAt(kInsideCentre), expected)) << uv[0] << ", " << uv[1];
    }
}

TEST_F(DrawScene, LayersBlendByFilterModeAndReplaceableId) {
    useQuadrants({Texture{1, "Quadrants.BLP", 0}, Texture{2, "Quadrants.BLP", 0}});
    const Vec2 texel{0.25f, 0.75f}, glowCentre{0.5f, 0.5f};
    const struct {
        std::vector<std::pair<std::uint32_t, std::uint32_t>> layers;
        Vec2 uv;
        Rgb expected;
    } cases[] = {
        {{{0, 0}, {0, 3}}, texel, {255, 80, 60}},  // an Additive second layer doubles the first
        {{{0, 0}, {0, 0}}, texel, kTexel},
        {{{0, 3}, {0, 2}}, texel, kTexel},               // Blend mixes by the texture's alpha, opaque here
        {{{1, 0}}, texel, kRed},                         // ReplaceableId 1: plain red whatever the image
        {{{0, 0}, {2, 0}}, glowCentre, {246, 125, 80}},  // ReplaceableId 2: the glow's 126 red, added
    };
    for (const auto& c : cases) {
        model.Materials = {layeredMaterial(c.layers)};
        model.Geosets = {triangleGeoset(kCentreTriangle, c.uv)};
        drawFrame();
        EXPECT_TRUE(colourNear(pixelAt(kInsideCentre), c.expected, 3)) << c.layers.size() << " layers";
    }
}

TEST_F(DrawScene, HiddenGeosetDrawsNothingAndKeepsItsScreenPositions) {
    state.showOverlay = true;
    state.editMode = EditMode::Vertex;
    model.Materials = {layeredMaterial({{0, 0}})};
    drawFrame();
    const std::vector<std::uint8_t> empty = frame;
    model.Geosets = {triangleGeoset(kCentreTriangle, {0, 0})};
    model.Geosets[0].shown = 0;
    for (Vertex& v : model.Geosets[0].Vertices) v.screenPosition = {-7, -7, -7};
    drawFrame();
    EXPECT_TRUE(frame == empty);
    EXPECT_EQ(model.Geosets[0].Vertices[0].screenPosition, (Vec3{-7, -7, -7}));

    model.Geosets[0].shown = 1;
    drawFrame();
    EXPECT_FALSE(frame == empty);
    EXPECT_NE(model.Geosets[0].Vertices[0].screenPosition, (Vec3{-7, -7, -7}));
}

TEST_F(DrawScene, SelectedTrianglesAreTintedInTriangleModeOnly) {
    useQuadrants();
    model.Materials = {layeredMaterial({{0, 2}})};  // leaves the alpha blend function in force
    std::vector<Vec3> both = kCentreTriangle;
    both.insert(both.end(), kCornerTriangle.begin(), kCornerTriangle.end());
    model.Geosets = {triangleGeoset(both, {0.25f, 0.75f})};
    model.Geosets[0].triangleSelected = {1, 0};
    state.editMode = EditMode::Triangle;
    drawFrame();
    // (1, 0.6, 0.6) x grey 136 at alpha 136/255 over the texel.
    EXPECT_TRUE(colourNear(pixelAt(kInsideCentre), {166, 62, 58}));
    EXPECT_TRUE(colourNear(pixelAt(kInsideCorner), kTexel));
    state.editMode = EditMode::Vertex;
    drawFrame();
    EXPECT_TRUE(colourNear(pixelAt(kInsideCentre), kTexel));
}

TEST_F(DrawScene, OverlayDrawsTheWireframeAndVertexModesFiveByFiveMarkers) {
    model.Materials = {layeredMaterial({{0, 0}})};
    // Edges and markers away from the grid's lines and from the gizmo at the selection's
    // centroid (0, 0, 10).
    std::vector<Vec3> corners = {{-27, -23, 10}, {33, -23, 10}, {3, 37, 10}};
    const Vec3 plain{-35, 25, 10}, selectedA{-25, -35, 10}, selectedB{25, 35, 10};
    corners.insert(corners.end(), {plain, selectedA, selectedB});
    model.Geosets = {triangleGeoset(corners, {0, 0})};
    model.Geosets[0].corners.resize(3);
    model.Geosets[0].resetTriangleRecords();
    model.Geosets[0].Vertices[4].selected = model.Geosets[0].Vertices[5].selected = 1;
    const Vec3 edgeMiddles[] = {{3, -23, 10}, {18, 7, 10}, {-12, 7, 10}};

    state.editMode = EditMode::Vertex;
    drawFrame();
    EXPECT_EQ(squareAround(plain, {0, 0, 0}), "81 9x9");
    for (const Vec3& middle : edgeMiddles) EXPECT_FALSE(whiteNear(middle));

    state.showOverlay = true;
    drawFrame();
    for (const Vec3& middle : edgeMiddles) EXPECT_TRUE(whiteNear(middle));
    EXPECT_EQ(squareAround(plain, kWhite), "25 5x5");
    EXPECT_EQ(squareAround(selectedA, kRed), "25 5x5");
    EXPECT_EQ(squareAround(selectedB, kRed), "25 5x5");

    for (const EditMode mode : {EditMode::Triangle, EditMode::Animation}) {
        state.editMode = mode;
        drawFrame();
        EXPECT_EQ(squareAround(plain, kWhite), "0");
        EXPECT_EQ(squareAround(selectedA, kRed), "0");
        EXPECT_TRUE(whiteNear(edgeMiddles[0]));
    }
}

// The frame the long way: an opaque and an additive layer, the wireframe and the tint,
// corner by corner in immediate mode, then the grid.
void drawCornerByCorner(const Geoset& g, const AppState& state, const TextureTable& table) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    applyViewTransform(state);
    auto corners = [&g](std::size_t first, std::size_t end) {
        for (std::size_t c = first; c < end; ++c) {
            const Vertex& v = g.Vertices[g.corners[c]];
            glTexCoord2f(v.currentUV[0], 1 - v.currentUV[1]);
            glVertex3fv(v.animatedPosition.data());
        }
    };
    glColor3f(1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, modelTextureName(table, 0));
    for (const bool additive : {false, true}) {
        additive ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        glBegin(GL_TRIANGLES);
        corners(0, g.corners.size());
        glEnd();
    }
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, table.slots[kWhiteSlot]);
    glBegin(GL_LINES);
    for (std::size_t t = 0; t < g.corners.size(); t += 3)
        for (std::size_t k = 0; k < 3; ++k) {
            glVertex3fv(g.Vertices[g.corners[t + k]].animatedPosition.data());
            glVertex3fv(g.Vertices[g.corners[t + (k + 1) % 3]].animatedPosition.data());
        }
    glEnd();
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, table.slots[kSelectionTintSlot]);
    glColor3f(1.0f, 0.6f, 0.6f);
    glBegin(GL_TRIANGLES);
    for (std::size_t t = 0; t < g.triangleCount(); ++t)
        if (g.triangleSelected[t] != 0) corners(3 * t, 3 * t + 3);
    glEnd();
    glDisable(GL_BLEND);
    drawGrid(5, 10, table);
}

TEST_F(DrawScene, VertexArraysDrawTheSameImageAsCornerByCornerDrawing) {
    useQuadrants();
    model.Materials = {layeredMaterial({{0, 0}, {0, 3}})};
    Geoset sheet;
    for (float r = 0; r <= 6; ++r)
        for (float c = 0; c <= 6; ++c) {
            Vertex v;
            v.animatedPosition = {-40 + 80 * c / 6, -40 + 80 * r / 6, std::fmod(r * c, 5.0f)};
            v.currentUV = {c / 6, r / 6};
            sheet.Vertices.push_back(v);
        }
    for (std::uint32_t a = 0; a < 41; ++a)
        if (a % 7 != 6) sheet.corners.insert(sheet.corners.end(), {a, a + 1, a + 8, a, a + 8, a + 7});
    sheet.resetTriangleRecords();
    for (const std::size_t t : {3, 10, 11, 40}) sheet.triangleSelected[t] = 1;
    model.Geosets = {sheet};
    state.viewType = 0;
    state.cameraPitch = 45;
    state.cameraYaw = 30;
    state.cameraDistance = 150;
    state.showOverlay = true;
    state.editMode = EditMode::Triangle;
    drawFrame();
    const std::vector<std::uint8_t> arrays = frame;
    drawCornerByCorner(model.Geosets[0], state, table);
    grab();
    EXPECT_TRUE(frame == arrays);
    EXPECT_GT(countColour(kWhite), 200);
}

TEST_F(DrawScene, SelectionRectangleOutlinesTheDrag) {
    state.editMode = EditMode::Vertex;
    state.dragState = 3;
    state.dragStartX = 70;
    state.dragStartY = 90;  // y from the top
    state.lastMouseX = 20;
    state.lastMouseY = 30;
    drawFrame();
    const Rgb outline{232, 179, 17};
    const int top = kSize - 1;
    for (const auto& [x, y] : {std::pair{20, 50}, {70, 50}, {45, 89}, {45, 29}})
        EXPECT_EQ(pixel(x, top - y), outline);
    EXPECT_EQ(countColour(outline), 2 * 60 + 2 * 50 - 1);  // the bottom row meets the left side
    state.dragState = 1;
    drawFrame();
    EXPECT_EQ(countColour(outline), 0);
}

TEST_F(DrawScene, BrokenReferencesDrawWhatIsWhole) {
    model.Materials = {layeredMaterial({{7, 0}})};  // no texture 7: the placeholder grey
    model.Geosets = {triangleGeoset(kCentreTriangle, {0, 0}), triangleGeoset(kCornerTriangle, {0, 0}, 5)};
    model.Geosets[0].corners.insert(model.Geosets[0].corners.end(), {0, 1, 99, 2});
    model.Geosets[0].triangleSelected = {1, 1};
    state.editMode = EditMode::Triangle;
    drawFrame();
    // Tinted with GL's initial blend function (one, zero): no layer has set one.
    EXPECT_TRUE(colourNear(pixelAt({3, -3, 10}), {136, 82, 82}));
    EXPECT_TRUE(colourNear(pixelAt(kInsideCorner), {0, 0, 0}));
}

class DrawNodes : public DrawScene {
protected:
    void SetUp() override {
        DrawScene::SetUp();
        model.Bones.resize(1);
        model.Bones[0].node.Translation.keys = {{0, {10, 0, 0}, {}, {}}};
        model.PivotPoints = {{-15, 25, 5}};
        state.allNodes = {0};
        state.editMode = EditMode::Animation;
    }
    void pose() {
        computeNodeOrder(model);
        evaluateModel(model, 0);
    }
    void expectAxis(const Vec2& actual, const Vec3& from, const Vec3& to) const {
        const std::array<double, 3> a = windowOf(from), b = windowOf(to);
        EXPECT_NEAR(actual[0], b[0] - a[0], 1e-3);
        EXPECT_NEAR(actual[1], a[1] - b[1], 1e-3);
    }
};

TEST_F(DrawNodes, MarkersSitAtThePosedPivotInAnimationModeOnly) {
    pose();
    const Vec3 posed{-5, 25, 5};
    drawFrame();
    EXPECT_TRUE(colourNear(pixelAt(posed), {204, 204, 204}));
    EXPECT_TRUE(colourNear(pixelAt({-15, 25, 5}), {0, 0, 0}));
    state.selectedNode = 0;
    drawFrame();
    const std::array<double, 3> w = windowOf(posed);  // off the gizmo's screen-aligned axes:
    EXPECT_TRUE(colourNear(pixel(static_cast<int>(w[0]) + 2, static_cast<int>(w[1]) + 2), {255, 128, 128}));
    state.editMode = EditMode::Vertex;
    drawFrame();
    EXPECT_TRUE(colourNear(pixelAt(posed), {0, 0, 0}));
}

TEST_F(DrawNodes, GizmoTurnsWithTheNodeExceptForTheMoveTool) {
    const float h = std::sqrt(0.5f);
    model.Bones[0].node.Rotation.keys = {{0, {0, 0, h, h}, {}, {}}};  // 90 degrees about Z
    pose();
    state.selectedNode = 0;
    const Vec3 origin{-5, 25, 5};
    drawFrame();
    expectAxis(state.axisScreenX, origin, {-5, 40, 5});  // X turned onto +Y
    state.currentTool = MoveTool;
    drawFrame();
    expectAxis(state.axisScreenX, origin, {10, 25, 5});
    expectAxis(state.axisScreenY, origin, {-5, 40, 5});
}

TEST_F(DrawNodes, CentroidGizmoAndExtrudeArrowReportTheirScreenVectors) {
    state.viewType = 0;  // the default perspective, where every axis shows
    state.cameraPitch = state.cameraYaw = 45;
    state.cameraDistance = 200;
    state.editMode = EditMode::Vertex;
    model.Geosets = {triangleGeoset({{0, 0, 0}, {20, -10, 6}, {10, -5, 3}}, {0, 0})};
    model.Geosets[0].shown = 0;  // selections in hidden geosets count too
    model.Geosets[0].Vertices[0].selected = model.Geosets[0].Vertices[1].selected = 1;
    drawFrame();
    const Vec3 c{10, -5, 3};
    expectAxis(state.axisScreenX, c, {25, -5, 3});
    expectAxis(state.axisScreenY, c, {10, 10, 3});
    expectAxis(state.axisScreenZ, c, {10, -5, 18});

    model.Geosets = {triangleGeoset({{10, 0, 0}, {0, 10, 0}, {0, 0, 10}}, {0, 0})};
    for (Vertex& v : model.Geosets[0].Vertices) v.selected = 1;
    model.Geosets[0].triangleSelected = {1};
    state.editMode = EditMode::Triangle;
    state.currentTool = ExtrudeTool;
    drawFrame();
    const float k = 1 / std::sqrt(3.0f), m = 10.0f / 3;
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(state.extrudeNormal[i], k, 1e-6);
    expectAxis(state.axisScreenZ, {m, m, m}, {m + 10 * k, m + 10 * k, m + 10 * k});
    // Selected vertices without a selected face: the arrow keeps its own +X direction.
    model.Geosets[0].triangleSelected = {0};
    drawFrame();
    EXPECT_EQ(state.extrudeNormal, (Vec3{1, 0, 0}));
    expectAxis(state.axisScreenZ, {m, m, m}, {m + 10, m, m});
    // No selected vertex: no gizmo, and the vectors keep their values.
    for (Vertex& v : model.Geosets[0].Vertices) v.selected = 0;
    state.axisScreenZ = {99, 99};
    drawFrame();
    EXPECT_EQ(state.axisScreenZ, (Vec2{99, 99}));
}

}  // namespace
}  // namespace tess::testing

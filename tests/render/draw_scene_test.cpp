#include <cmath>

#include "anim/node_order.h"
#include "render/camera.h"
#include "render/draw_overlay.h"
#include "render_fixture.h"

namespace tess::testing {
namespace {

// Front-facing in the Top view, 10 units above the grid; the sample points lie off the grid.
const std::vector<Vec3> kCentreTriangle = {{-30, -30, 10}, {30, -30, 10}, {0, 30, 10}};
const std::vector<Vec3> kCornerTriangle = {{30, 30, 10}, {50, 30, 10}, {40, 50, 10}};
constexpr Vec3 kInsideCentre{3, 3, 10}, kInsideCorner{45, 35, 10};
constexpr Rgb kTexel{200, 40, 30}, kTint{166, 62, 58};  // the image's first pixel, and tinted

using DrawScene = RenderTest;

// A gizmo vector (window pixels, y down) against the model points it should join.
void expectAxis(const Vec2& actual, const Vec3& from, const Vec3& to) {
    const std::array<double, 3> a = windowOf(from), b = windowOf(to);
    EXPECT_NEAR(actual[0], b[0] - a[0], 1e-3);
    EXPECT_NEAR(actual[1], a[1] - b[1], 1e-3);
}

TEST_F(DrawScene, ProjectionAndViewTransformPlaceTheModel) {
    const float edge = 200 * std::tan(22.5f * 3.14159265f / 180);  // perspective: 45 degrees high
    const struct {
        ViewType type;
        float pitch, yaw, distance;
        Vec3 target, point;
        double x, y;
    } cases[] = {
        {ViewType::Right, 0, 0, 60, {0, 0, 0}, {60, 0, 30}, 128, 64},  // model X to the right, Z up,
        {ViewType::Right, 0, 0, 60, {10, 0, 0}, {0, 0, 0}, 64 + 10 * 64.0 / 60, 32},  // 60 x 64 / 128 high
        {ViewType::Top, 90, -90, 60, {0, 0, 0}, {30, 30, 0}, 96, 0},                  // +Y right, +X down
        {ViewType::Perspective, 0, 0, 200, {0, 0, 0}, {2 * edge, 0, edge}, 128, 64},
    };
    view.windowHeight = 64;
    for (const auto& c : cases) {
        setView(c.type, c.pitch, c.yaw, c.distance);
        view.cameraTarget = c.target;
        resizeScene(view);
        applyViewTransform(view);
        const std::array<double, 3> w = windowOf(c.point);
        EXPECT_NEAR(w[0], c.x, 1e-3) << viewTypeName(c.type);
        EXPECT_NEAR(w[1], c.y, 1e-3) << viewTypeName(c.type);
    }
    view.windowHeight = 0;  // one pixel high, and a projection GL accepts
    resizeScene(view);
    EXPECT_EQ(GlTransform().viewport, (std::array<GLint, 4>{0, 0, kSize, 1}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(DrawScene, LayersShowTheirTexelsBlendedByFilterModeAndReplaceableIdOverTheGrid) {
    useQuadrants();
    const Vec2 texel{0.25f, 0.75f};
    // (u, v) samples the image at (u, 1 - v); the file's rows in stored order.
    const std::tuple<Layers, std::vector<Vec2>, Rgb> cases[] = {
        {{{0, 0}}, {texel}, kTexel},
        {{{0, 0}}, {{0.75f, 0.25f}}, {230, 220, 20}},
        {{{0, 0}}, {}, {120, 125, 80}},                      // no texture set: (0, 0), between all four
        {{{0, 0}}, {texel, texel}, {120, 125, 80}},          // so for a set shorter than the vertices
        {{{0, 0}, {0, 3}}, {texel}, {255, 80, 60}},          // an Additive second layer doubles the first
        {{{0, 0}, {0, 0}}, {texel}, kTexel},                 // an opaque one replaces it
        {{{1, 0}}, {texel}, kRed},                           // ReplaceableId 1: plain red whatever the image
        {{{0, 0}, {2, 0}}, {{0.5f, 0.5f}}, {246, 125, 80}},  // ReplaceableId 2: the glow's 126 red, added
    };
    for (const auto& [layers, uv, expected] : cases) {
        model.Materials = {material(layers)};
        model.Geosets.clear();
        addTriangles(kCentreTriangle, uv);
        drawFrame();
        EXPECT_TRUE(near(pixelAt(kInsideCentre), expected, 3)) << layers.size() << " layers";
    }
}

TEST_F(DrawScene, SelectedTrianglesTintedHiddenGeosetsSkippedBrokenReferencesSurvived) {
    useQuadrants();
    model.Materials = {material({{0, 2}}), material({{7, 0}})};  // Blend; no texture 7: the placeholder
    std::vector<Vec3> both = kCentreTriangle;
    both.insert(both.end(), kCornerTriangle.begin(), kCornerTriangle.end());
    addTriangles(both, {{0.25f, 0.75f}});
    selection.fit(model);
    selection.geosets[0].triangles = {1, 0};
    view.editMode = EditMode::Triangle;
    drawFrame();  // (1, 0.6, 0.6) x grey 136 at alpha 136/255 over the texel, by the layer's blending
    EXPECT_TRUE(near(pixelAt(kInsideCentre), kTint) && near(pixelAt(kInsideCorner), kTexel));
    selection.shown[0] = 0;  // hidden: nothing drawn
    drawFrame();
    EXPECT_EQ(countColour(kTexel) + countColour(kTint), 0);

    // A corner past the vertices, a material naming nothing, a pose without the geoset.
    model.Geosets.clear();
    glBlendFunc(GL_ONE, GL_ZERO);  // GL's initial blend function: no layer below sets one
    addTriangles(kCentreTriangle, {}, 1).corners.insert(model.Geosets[0].corners.end(), {0, 1, 99, 2});
    addTriangles(kCornerTriangle, {}, 5);
    model.Geosets.push_back(model.Geosets[0]);
    model.Geosets[2].positions = {{-50, -10, 10}, {-10, -10, 10}, {-30, 10, 10}};
    pose.animatedPositions.resize(3);
    selection.reset(model);
    selection.geosets[0].triangles = {1, 1};
    drawFrame();
    EXPECT_TRUE(near(pixelAt({3, -3, 10}), {136, 82, 82}));
    EXPECT_EQ(pixelAt(kInsideCorner), kBlack);
    EXPECT_EQ(pixelAt({-40, -5, 10}), kGrey);  // at rest
}

TEST_F(DrawScene, OverlayDrawsTheWireframeAndVertexModesMarkersTheDragRectangleOutlinedOutsideAnimation) {
    model.Materials = {material({{0, 0}})};
    // Edges and markers away from the grid's lines, the rectangle and the gizmo at the centroid.
    const Vec3 plain{-35, 25, 10}, selectedA{-25, -35, 10}, selectedB{25, 35, 10};
    addTriangles({{-27, -23, 10}, {33, -23, 10}, {3, 37, 10}, plain, selectedA, selectedB}, {})
        .corners.resize(3);
    selection.fit(model);
    selection.geosets[0].vertices = {0, 0, 0, 0, 1, 1};
    view.dragState = DragState::Rectangle;
    std::tie(view.dragStartX, view.dragStartY, view.lastMouseX, view.lastMouseY) =
        std::tuple(35, 120, 5, 100);
    const Rgb outline{232, 179, 17};
    const std::tuple<EditMode, bool, int, bool> cases[] = {{EditMode::Vertex, false, 0, true},
                                                           {EditMode::Vertex, true, 25, true},
                                                           {EditMode::Triangle, true, 0, true},
                                                           {EditMode::Animation, true, 0, false}};
    for (const auto& [mode, overlay, markers, rectangle] : cases) {
        view.editMode = mode;
        view.showOverlay = overlay;
        drawFrame();
        EXPECT_EQ(countNear({3, -23, 10}, kWhite, 1) > 0, overlay);  // an edge
        EXPECT_EQ(countNear(plain, kWhite), markers);
        EXPECT_EQ(countNear(selectedA, kRed) + countNear(selectedB, kRed), 2 * markers);
        EXPECT_EQ(countColour(outline), rectangle ? 2 * 30 + 2 * 20 - 1 : 0);  // bottom row meets left
        for (const auto& [x, y] : {std::pair{5, 110}, {35, 110}, {20, 119}, {20, 99}})  // y from the top
            EXPECT_EQ(pixel(x, kSize - 1 - y) == outline, rectangle);
    }
}

TEST_F(DrawScene, NodeMarkerAtThePosedPivotAndGizmoTurnedWithTheNodeExceptForTheMoveTool) {
    // Bone 0 pivots at (-15, 25, 5), turned 90 degrees about Z there and moved by (10, 0, 0).
    model.Bones.resize(1);
    model.Bones[0].node.Translation.keys = {{0, {10, 0, 0}, {}, {}}};
    model.Bones[0].node.Rotation.keys = {{0, {0, 0, std::sqrt(0.5f), std::sqrt(0.5f)}, {}, {}}};
    model.PivotPoints = {{-15, 25, 5}};
    view.allNodes = {0};
    view.editMode = EditMode::Animation;
    const Vec3 posed{-5, 25, 5};
    computeNodeOrder(model, pose);
    evaluateModel(model, pose, 0);
    drawFrame();
    EXPECT_TRUE(near(pixelAt(posed), kGrey));
    EXPECT_EQ(pixelAt({-15, 25, 5}), kBlack);
    view.selectedNode = 0;
    drawFrame();
    EXPECT_TRUE(near(pixelAt(posed, 2, 2), {255, 128, 128}));  // off the gizmo's screen-aligned axes
    expectAxis(gizmo.axisScreenX, posed, {-5, 40, 5});         // X turned onto +Y
    view.currentTool = Tool::Move;
    drawFrame();
    expectAxis(gizmo.axisScreenX, posed, {10, 25, 5});
    expectAxis(gizmo.axisScreenY, posed, {-5, 40, 5});
}

TEST_F(DrawScene, CentroidGizmoAndExtrudeArrowReportTheirScreenVectors) {
    addTriangles({{10, 0, 0}, {0, 10, 0}, {0, 0, 10}}, {});
    addTriangles({{0, 0, 0}, {0, 0, 10}, {10, 0, 0}}, {});
    for (std::size_t g = 0; g < 2; ++g) model.Geosets[g].positions = pose.animatedPositions[g];
    selection.fit(model);
    selection.geosets[0] = {{1, 1, 1}, {}, {1}};
    selection.geosets[1].triangles = {1};
    selection.shown[1] = 0;  // its face does not turn the arrow
    view.editMode = EditMode::Triangle;
    view.currentTool = Tool::Extrude;
    drawFrame();
    const float k = 1 / std::sqrt(3.0f), m = 10.0f / 3;
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(gizmo.extrudeNormal[i], k, 1e-6);
    expectAxis(gizmo.axisScreenZ, {m, m, m}, {m + 10 * k, m + 10 * k, m + 10 * k});
    selection.geosets[0].triangles = {0};  // vertices without a face: the arrow's own +X
    drawFrame();
    EXPECT_EQ(gizmo.extrudeNormal, (Vec3{1, 0, 0}));
    expectAxis(gizmo.axisScreenZ, {m, m, m}, {m + 10, m, m});
}

TEST_F(DrawScene, LayersWireframeAndMarkersDrawTheSameImageAsTheLongWayAndScreenPositionsFollowTheView) {
    // A textured sheet on a 10-unit grid at z = 2; seen from the top at one pixel per unit every
    // marker's corner lies within rounding of a half pixel. Beside it vertices off the grid, at
    // and beyond the view's edges, and a triangle over some of them.
    ASSERT_TRUE(context.open(161, 121));
    view.windowWidth = 161;
    view.windowHeight = 121;
    view.editMode = EditMode::Vertex;
    useQuadrants();
    model.Materials = {material({{0, 0}, {0, 3}})};
    Geoset& sheet = model.Geosets.emplace_back();
    sheet.uvSets.resize(1);
    for (float r = 0; r <= 6; ++r)
        for (float c = 0; c <= 6; ++c) {
            sheet.positions.push_back({10 * r - 30, 10 * c - 30, 2});
            sheet.uvSets[0].push_back({c / 6, r / 6});
        }
    for (std::uint32_t a = 0; a < 41; ++a)
        if (a % 7 != 6) sheet.corners.insert(sheet.corners.end(), {a, a + 1, a + 8, a, a + 8, a + 7});
    const Vec3 offGrid[] = {{3.3f, 7.7f, 2}, {0, -79, 2},  {0, 79.2f, 2}, {58.6f, 0, 2},
                            {-45, -45, 12},  {-45, 0, 12}, {0, -45, 12}};
    sheet.positions.insert(sheet.positions.end(), std::begin(offGrid), std::end(offGrid));
    sheet.uvSets[0].resize(sheet.positions.size(), {0.5f, 0.5f});
    sheet.corners.insert(sheet.corners.end(), {53, 54, 55});
    sheet.resizeVertices(sheet.positions.size());
    for (const bool top : {true, false}) {
        top ? setView(ViewType::Top, 90, -90, 80.5f) : setView(ViewType::Perspective, 45, 30, 150);
        view.showOverlay = true;
        drawFrame();
        const std::vector<std::uint8_t> arrays = frame;
        for (std::size_t v = 0; v < sheet.vertexCount(); ++v) {  // window x, y from the top, depth
            const std::array<double, 3> w = windowOf(sheet.positions[v]);
            EXPECT_NEAR(screens[0][v][0], w[0], 1e-3);
            EXPECT_NEAR(screens[0][v][1], 121 - w[1], 1e-3);
            EXPECT_NEAR(screens[0][v][2], w[2], 1e-6);
        }
        // The long way: each layer and the wireframe corner by corner, each marker a 5 x 5 pixel
        // block at its unprojected corner's raster position, then the grid.
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBindTexture(GL_TEXTURE_2D, modelTextureName(table, 0));
        glBlendFunc(GL_ONE, GL_ONE);
        for (int pass = 0; pass < 3; ++pass) {  // opaque, additive, wireframe
            pass == 1 ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
            if (pass == 2) glBindTexture(GL_TEXTURE_2D, table.slots[kWhiteSlot]);
            glBegin(pass < 2 ? GL_TRIANGLES : GL_LINES);
            for (std::size_t i = 0; i < sheet.corners.size(); ++i) {
                const std::uint32_t v = sheet.corners[i];
                glTexCoord2f(sheet.uvSets[0][v][0], 1 - sheet.uvSets[0][v][1]);
                glVertex3fv(sheet.positions[v].data());
                if (pass == 2) glVertex3fv(sheet.positions[sheet.corners[i % 3 == 2 ? i - 2 : i + 1]].data());
            }
            glEnd();
        }
        const std::vector<std::array<std::uint8_t, 4>> block(25, {255, 255, 255, 0});
        for (const Vec3& p : sheet.positions) {
            const GlTransform t;
            const std::array<double, 3> w = windowOf(p);
            std::array<double, 3> corner{};
            gluUnProject(w[0] - 2, w[1] - 2, w[2], t.modelview.data(), t.projection.data(), t.viewport.data(),
                         &corner[0], &corner[1], &corner[2]);
            glRasterPos3dv(corner.data());
            glDrawPixels(5, 5, GL_RGBA, GL_UNSIGNED_BYTE, block.data());
        }
        drawGrid(5, 10, table);
        grab();
        EXPECT_TRUE(frame == arrays) << (top ? "top" : "perspective");
    }
}

}  // namespace
}  // namespace tess::testing

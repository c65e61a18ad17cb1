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
    EXPECT_LT(windowOf({0, -195, 0})[2], 0.0);  // nearer than the near plane at 10

    setView(ViewType::Front, 0, 0, 50);  // with keep: multiplied onto the matrix in force
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(std::array<double, 16>{2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}.data());
    setProjection(view, true);
    const double kept = GlTransform().projection[0];
    glMatrixMode(GL_MODELVIEW);
    setProjection(view, false);  // otherwise replaced, the matrix mode kept
    EXPECT_NEAR(kept, 2 * GlTransform().projection[0], 1e-9);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    view.windowHeight = 0;  // one pixel high, and a projection GL accepts
    resizeScene(view);
    EXPECT_EQ(GlTransform().viewport, (std::array<GLint, 4>{0, 0, kSize, 1}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(DrawScene, LayersShowTheirTexelsBlendedByFilterModeAndReplaceableIdOverTheGrid) {
    useQuadrants();
    const Vec2 texel{0.25f, 0.75f};
    const struct {
        Layers layers;
        std::vector<Vec2> uv;
        Rgb expected;
    } cases[] = {
        // (u, v) samples the image at (u, 1 - v); the file's rows in stored order.
        {{{0, 0}}, {texel}, kTexel},
        {{{0, 0}}, {{0.75f, 0.75f}}, {20, 180, 60}},
        {{{0, 0}}, {{0.25f, 0.25f}}, {30, 60, 210}},
        {{{0, 0}}, {{0.75f, 0.25f}}, {230, 220, 20}},
        {{{0, 0}}, {}, {120, 125, 80}},              // no texture set: (0, 0), between all four
        {{{0, 0}}, {texel, texel}, {120, 125, 80}},  // so for a set shorter than the vertices
        {{{0, 0}, {0, 3}}, {texel}, {255, 80, 60}},  // an Additive second layer doubles the first
        {{{0, 0}, {0, 0}}, {texel}, kTexel},         // an opaque one replaces it
        {{{0, 3}, {0, 2}}, {texel}, kTexel},         // Blend mixes by the texture's alpha, opaque here
        {{{1, 0}}, {texel}, kRed},                   // ReplaceableId 1: plain red whatever the image
        {{{0, 0}, {2, 0}}, {{0.5f, 0.5f}}, {246, 125, 80}},  // ReplaceableId 2: the glow's 126 red, added
    };
    for (const auto& c : cases) {
        model.Materials = {material(c.layers)};
        model.Geosets.clear();
        addTriangles(kCentreTriangle, c.uv);
        drawFrame();
        EXPECT_TRUE(near(pixelAt(kInsideCentre), c.expected, 3)) << c.layers.size() << " layers";
    }
    for (float c = -50; c <= 50; c += 10)  // grid lines 10 apart to +-50 in X and Y
        EXPECT_TRUE(countNear({c, 45, 0}, kWhite, 1) > 0 && countNear({45, c, 0}, kWhite, 1) > 0) << c;
    for (const Vec3& off : {Vec3{45, 45, 0}, Vec3{0, 55, 0}, Vec3{55, 0, 0}}) EXPECT_EQ(pixelAt(off), kBlack);
}

TEST_F(DrawScene, SelectedTrianglesTintedHiddenGeosetsSkippedBrokenReferencesSurvived) {
    useQuadrants();
    model.Materials = {material({{0, 2}}), material({{7, 0}})};  // Blend; no texture 7: the placeholder
    std::vector<Vec3> both = kCentreTriangle;
    both.insert(both.end(), kCornerTriangle.begin(), kCornerTriangle.end());
    addTriangles(both, {{0.25f, 0.75f}});
    selection.fit(model);
    selection.geosets[0].triangles = {1, 0};
    for (const EditMode mode : {EditMode::Triangle, EditMode::Vertex}) {
        view.editMode = mode;
        drawFrame();  // (1, 0.6, 0.6) x grey 136 at alpha 136/255 over the texel, by the layer's blending
        EXPECT_TRUE(near(pixelAt(kInsideCentre), mode == EditMode::Triangle ? kTint : kTexel));
        EXPECT_TRUE(near(pixelAt(kInsideCorner), kTexel));
    }
    selection.shown[0] = 0;  // hidden: nothing drawn, screen positions kept
    screens = {std::vector<Vec3>(2, Vec3{-7, -7, -7})};
    view.showOverlay = true;
    drawFrame();
    EXPECT_EQ(countColour(kTexel) + countColour(kTint), 0);
    EXPECT_EQ(screens[0], (std::vector<Vec3>{{-7, -7, -7}, {-7, -7, -7}, {}, {}, {}, {}}));  // sized

    // A corner past the vertices, a material naming nothing, a pose without the geoset.
    model.Geosets.clear();
    glBlendFunc(GL_ONE, GL_ZERO);  // GL's initial blend function: no layer below sets one
    addTriangles(kCentreTriangle, {}, 1).corners.insert(model.Geosets[0].corners.end(), {0, 1, 99, 2});
    addTriangles(kCornerTriangle, {}, 5);
    model.Geosets.push_back(model.Geosets[0]);
    model.Geosets[2].positions = {{-50, -10, 10}, {-10, -10, 10}, {-30, 10, 10}};
    pose.animatedPositions.resize(3);
    selection = {};
    selection.fit(model);
    selection.geosets[0].triangles = {1, 1};
    view.editMode = EditMode::Triangle;
    drawFrame();
    EXPECT_TRUE(near(pixelAt({3, -3, 10}), {136, 82, 82}));
    EXPECT_EQ(pixelAt(kInsideCorner), kBlack);
    EXPECT_EQ(pixelAt({-40, -5, 10}), kGrey);  // at rest
}

TEST_F(DrawScene, OverlayDrawsTheWireframeAndVertexModesFiveByFiveMarkers) {
    model.Materials = {material({{0, 0}})};
    // Edges and markers away from the grid's lines and the gizmo at the selection's centroid.
    const Vec3 plain{-35, 25, 10}, selectedA{-25, -35, 10}, selectedB{25, 35, 10};
    addTriangles({{-27, -23, 10}, {33, -23, 10}, {3, 37, 10}, plain, selectedA, selectedB}, {})
        .corners.resize(3);
    selection.fit(model);
    selection.geosets[0].vertices = {0, 0, 0, 0, 1, 1};
    const std::tuple<EditMode, bool, int> cases[] = {// mode, overlay, marker pixels
                                                     {EditMode::Vertex, false, 0},
                                                     {EditMode::Vertex, true, 25},
                                                     {EditMode::Triangle, true, 0},
                                                     {EditMode::Animation, true, 0}};
    for (const auto& [mode, overlay, markers] : cases) {
        view.editMode = mode;
        view.showOverlay = overlay;
        drawFrame();
        for (const Vec3& edge : {Vec3{3, -23, 10}, Vec3{18, 7, 10}, Vec3{-12, 7, 10}})
            EXPECT_EQ(countNear(edge, kWhite, 1) > 0, overlay);
        EXPECT_EQ(countNear(plain, kWhite), markers);
        EXPECT_EQ(countNear(selectedA, kRed) + countNear(selectedB, kRed), 2 * markers);
    }
}

TEST_F(DrawScene, SelectionRectangleOutlinesTheDragInVertexAndTriangleModes) {
    view.dragStartX = 70;
    view.dragStartY = 90;  // y from the top
    view.lastMouseX = 20;
    view.lastMouseY = 30;
    const Rgb outline{232, 179, 17};
    for (const auto drag : {DragState::Rectangle, DragState::Orbit})
        for (const EditMode mode : {EditMode::Vertex, EditMode::Triangle, EditMode::Animation}) {
            view.dragState = drag;
            view.editMode = mode;
            drawFrame();
            const bool shown = drag == DragState::Rectangle && mode != EditMode::Animation;
            EXPECT_EQ(countColour(outline),
                      shown ? 2 * 60 + 2 * 50 - 1 : 0);  // the bottom row meets the left
            for (const auto& [x, y] : {std::pair{20, 50}, {70, 50}, {45, 89}, {45, 29}})
                EXPECT_EQ(pixel(x, kSize - 1 - y) == outline, shown);
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
    view.editMode = EditMode::Vertex;
    drawFrame();
    EXPECT_EQ(pixelAt(posed), kBlack);
}

TEST_F(DrawScene, CentroidGizmoAndExtrudeArrowReportTheirScreenVectors) {
    setView(ViewType::Perspective, 45, 45, 200);  // every axis shows
    view.editMode = EditMode::Vertex;
    addTriangles({{0, 0, 0}, {20, -10, 6}, {10, -5, 3}}, {});
    selection.fit(model);
    selection.shown[0] = 0;  // selections in hidden geosets count too
    selection.geosets[0].vertices = {1, 1, 0};
    drawFrame();
    const Vec3 c{10, -5, 3};
    expectAxis(gizmo.axisScreenX, c, {25, -5, 3});
    expectAxis(gizmo.axisScreenY, c, {10, 10, 3});
    expectAxis(gizmo.axisScreenZ, c, {10, -5, 18});

    model.Geosets.clear();
    addTriangles({{10, 0, 0}, {0, 10, 0}, {0, 0, 10}}, {});
    addTriangles({{0, 0, 0}, {0, 0, 10}, {10, 0, 0}}, {});
    for (std::size_t g = 0; g < 2; ++g) model.Geosets[g].positions = pose.animatedPositions[g];
    selection = {};
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
    selection.geosets[0].vertices = {0, 0, 0};  // no selected vertex: no gizmo, the vectors kept
    gizmo.axisScreenZ = {99, 99};
    drawFrame();
    EXPECT_EQ(gizmo.axisScreenZ, (Vec2{99, 99}));
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

        const ScreenPositions kept = screens;  // refreshed only with the overlay on
        view.showOverlay = false;
        view.cameraYaw += 10;
        drawFrame();
        EXPECT_EQ(screens, kept);
    }
}

}  // namespace
}  // namespace tess::testing

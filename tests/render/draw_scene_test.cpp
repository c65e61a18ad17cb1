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

using Layers = std::vector<std::pair<std::uint32_t, std::uint32_t>>;  // (texture, filter mode)

// Front-facing in the Top view, 10 units above the grid; the sample points lie off the grid.
const std::vector<Vec3> kCentreTriangle = {{-30, -30, 10}, {30, -30, 10}, {0, 30, 10}};
const std::vector<Vec3> kCornerTriangle = {{30, 30, 10}, {50, 30, 10}, {40, 50, 10}};
constexpr Vec3 kInsideCentre{3, 3, 10};
constexpr Vec3 kInsideCorner{45, 35, 10};
constexpr Rgb kTexel{200, 40, 30};  // the committed image's first pixel
constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0};

Material material(const Layers& layers) {
    Material m;
    for (const auto& [texture, filterMode] : layers) {
        Layer& layer = m.Layers.emplace_back();
        layer.TextureID.staticValue = texture;
        layer.FilterMode = filterMode;
    }
    return m;
}

// Independent triangles posed at `corners` (the rest positions stay at the origin), every
// vertex with texture coordinate `uv`.
Geoset triangles(const std::vector<Vec3>& corners, Vec2 uv, std::uint32_t materialId = 0) {
    Geoset geoset;
    for (const Vec3& corner : corners) {
        geoset.corners.push_back(static_cast<std::uint32_t>(geoset.Vertices.size()));
        Vertex& v = geoset.Vertices.emplace_back();
        v.animatedPosition = corner;
        v.currentUV = uv;
    }
    geoset.resetTriangleRecords();
    geoset.MaterialID = materialId;
    return geoset;
}

// The Top view: looking down -Z, model +Y to the right, +X down, +-60 units across.
class DrawScene : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        state.viewType = 5;
        state.cameraPitch = 90;
        state.cameraYaw = -90;
        state.cameraDistance = 60;
        state.showOverlay = false;
        state.editMode = EditMode::None;
    }
    // Textures 0 to 2 are the committed 2 x 2 image, found through the .blp and letter-case
    // rules, with ReplaceableIds 0, 1 and 2.
    void useQuadrants() {
        model.Textures = {Texture{0, "Quadrants.BLP", 0}, Texture{1, "Quadrants.BLP", 0},
                          Texture{2, "Quadrants.BLP", 0}};
        currentFileName = renderTestData("model.mdx");
        initialise();
    }
    // Pixels of `colour` within `radius` pixels of a model point's window position.
    int countNear(const Vec3& point, const Rgb& colour, int radius = 4) const {
        const std::array<double, 3> w = windowOf(point);
        int count = 0;
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                count += pixel(static_cast<int>(w[0]) + dx, static_cast<int>(w[1]) + dy) == colour;
        return count;
    }
    bool whiteNear(const Vec3& point) const { return countNear(point, kWhite, 1) > 0; }
    // A gizmo vector (window pixels, y down) against the model points it should join.
    void expectAxis(const Vec2& actual, const Vec3& from, const Vec3& to) const {
        const std::array<double, 3> a = windowOf(from), b = windowOf(to);
        EXPECT_NEAR(actual[0], b[0] - a[0], 1e-3);
        EXPECT_NEAR(actual[1], a[1] - b[1], 1e-3);
    }
};

TEST_F(DrawScene, GridCoversFiftyUnitsEachWayInStepsOfTen) {
    drawFrame();
    for (float c = -50; c <= 50; c += 10) {
        EXPECT_TRUE(whiteNear({c, 25, 0})) << "line x = " << c;
        EXPECT_TRUE(whiteNear({25, c, 0})) << "line y = " << c;
    }
    for (const Vec3& off : {Vec3{5, 5, 0}, Vec3{-45, 35, 0}, Vec3{0, 55, 0}, Vec3{55, 0, 0}})
        EXPECT_TRUE(colourNear(pixelAt(off), kBlack));
}

TEST_F(DrawScene, LayersShowTheirTexelsBlendedByFilterModeAndReplaceableId) {
    useQuadrants();
    const Vec2 texel{0.25f, 0.75f};
    const struct {
        Layers layers;
        Vec2 uv;
        Rgb expected;
    } cases[] = {
        // (u, v) samples the image at (u, 1 - v); the file's rows in stored order.
        {{{0, 0}}, texel, kTexel},
        {{{0, 0}}, {0.75f, 0.75f}, {20, 180, 60}},
        {{{0, 0}}, {0.25f, 0.25f}, {30, 60, 210}},
        {{{0, 0}}, {0.75f, 0.25f}, {230, 220, 20}},
        {{{0, 0}, {0, 3}}, texel, {255, 80, 60}},          // an Additive second layer doubles the first
        {{{0, 0}, {0, 0}}, texel, kTexel},                 // an opaque one replaces it
        {{{0, 3}, {0, 2}}, texel, kTexel},                 // Blend mixes by the texture's alpha, opaque here
        {{{1, 0}}, texel, kRed},                           // ReplaceableId 1: plain red whatever the image
        {{{0, 0}, {2, 0}}, {0.5f, 0.5f}, {246, 125, 80}},  // ReplaceableId 2: the glow's 126 red, added
    };
    for (const auto& c : cases) {
        model.Materials = {material(c.layers)};
        model.Geosets = {triangles(kCentreTriangle, c.uv)};
        drawFrame();
        EXPECT_TRUE(colourNear(pixelAt(kInsideCentre), c.expected, 3))
            << c.layers.size() << " layers at " << c.uv[0] << ", " << c.uv[1];
    }
}

TEST_F(DrawScene, HiddenGeosetDrawsNothingAndKeepsItsScreenPositions) {
    state.showOverlay = true;
    state.editMode = EditMode::Vertex;
    model.Materials = {material({{0, 0}})};
    drawFrame();
    const std::vector<std::uint8_t> empty = frame;
    model.Geosets = {triangles(kCentreTriangle, {0, 0})};
    model.Geosets[0].shown = 0;
    for (Vertex& v : model.Geosets[0].Vertices) v.screenPosition = {-7, -7, -7};
    drawFrame();
    EXPECT_TRUE(frame == empty);
    EXPECT_EQ(model.Geosets[0].Vertices[0].screenPosition, (Vec3{-7, -7, -7}));
}

TEST_F(DrawScene, SelectedTrianglesAreTintedInTriangleModeOnly) {
    useQuadrants();
    model.Materials = {material({{0, 2}})};  // leaves the alpha blend function in force
    std::vector<Vec3> both = kCentreTriangle;
    both.insert(both.end(), kCornerTriangle.begin(), kCornerTriangle.end());
    model.Geosets = {triangles(both, {0.25f, 0.75f})};
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

TEST_F(DrawScene, BrokenReferencesDrawWhatIsWhole) {
    model.Materials = {material({{7, 0}})};  // no texture 7: the placeholder grey
    model.Geosets = {triangles(kCentreTriangle, {0, 0}), triangles(kCornerTriangle, {0, 0}, 5)};
    model.Geosets[0].corners.insert(model.Geosets[0].corners.end(), {0, 1, 99, 2});
    model.Geosets[0].triangleSelected = {1, 1};
    state.editMode = EditMode::Triangle;
    drawFrame();
    // Tinted with GL's initial blend function (one, zero): no layer has set one.
    EXPECT_TRUE(colourNear(pixelAt({3, -3, 10}), {136, 82, 82}));
    EXPECT_TRUE(colourNear(pixelAt(kInsideCorner), kBlack));
}

TEST_F(DrawScene, OverlayDrawsTheWireframeAndVertexModesFiveByFiveMarkers) {
    model.Materials = {material({{0, 0}})};
    // Edges and markers away from the grid's lines and from the gizmo at the selection's
    // centroid (0, 0, 10).
    std::vector<Vec3> corners = {{-27, -23, 10}, {33, -23, 10}, {3, 37, 10}};
    const Vec3 plain{-35, 25, 10}, selectedA{-25, -35, 10}, selectedB{25, 35, 10};
    corners.insert(corners.end(), {plain, selectedA, selectedB});
    model.Geosets = {triangles(corners, {0, 0})};
    model.Geosets[0].corners.resize(3);
    model.Geosets[0].resetTriangleRecords();
    model.Geosets[0].Vertices[4].selected = model.Geosets[0].Vertices[5].selected = 1;
    const Vec3 edgeMiddles[] = {{3, -23, 10}, {18, 7, 10}, {-12, 7, 10}};

    state.editMode = EditMode::Vertex;
    drawFrame();
    EXPECT_EQ(countNear(plain, kWhite), 0);
    for (const Vec3& middle : edgeMiddles) EXPECT_FALSE(whiteNear(middle));

    state.showOverlay = true;
    drawFrame();
    for (const Vec3& middle : edgeMiddles) EXPECT_TRUE(whiteNear(middle));
    EXPECT_EQ(countNear(plain, kWhite), 25);
    EXPECT_EQ(countNear(selectedA, kRed), 25);
    EXPECT_EQ(countNear(selectedB, kRed), 25);

    for (const EditMode mode : {EditMode::Triangle, EditMode::Animation}) {
        state.editMode = mode;
        drawFrame();
        EXPECT_EQ(countNear(plain, kWhite), 0);
        EXPECT_EQ(countNear(selectedA, kRed), 0);
        EXPECT_TRUE(whiteNear(edgeMiddles[0]));
    }
}

TEST_F(DrawScene, VertexArraysDrawTheSameImageAsCornerByCornerDrawing) {
    useQuadrants();
    model.Materials = {material({{0, 0}, {0, 3}})};
    Geoset sheet;  // 7 x 7 shared vertices, crumpled, each with its own texture coordinate
    for (float r = 0; r <= 6; ++r)
        for (float c = 0; c <= 6; ++c) {
            Vertex& v = sheet.Vertices.emplace_back();
            v.animatedPosition = {-40 + 80 * c / 6, -40 + 80 * r / 6, std::fmod(r * c, 5.0f)};
            v.currentUV = {c / 6, r / 6};
        }
    for (std::uint32_t a = 0; a < 41; ++a)
        if (a % 7 != 6) sheet.corners.insert(sheet.corners.end(), {a, a + 1, a + 8, a, a + 8, a + 7});
    model.Geosets = {sheet};
    state.viewType = 0;
    state.cameraPitch = 45;
    state.cameraYaw = 30;
    state.cameraDistance = 150;
    drawFrame();
    const std::vector<std::uint8_t> arrays = frame;

    // The same frame the long way: the opaque, then the additive layer, then the grid.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    applyViewTransform(state);
    glColor3f(1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, modelTextureName(table, 0));
    glBlendFunc(GL_ONE, GL_ONE);
    for (const bool additive : {false, true}) {
        additive ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
        glBegin(GL_TRIANGLES);
        for (const std::uint32_t corner : sheet.corners) {
            const Vertex& v = sheet.Vertices[corner];
            glTexCoord2f(v.currentUV[0], 1 - v.currentUV[1]);
            glVertex3fv(v.animatedPosition.data());
        }
        glEnd();
    }
    glDisable(GL_BLEND);
    drawGrid(5, 10, table);
    grab();
    EXPECT_TRUE(frame == arrays);
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

TEST_F(DrawScene, NodeMarkerAtThePosedPivotAndGizmoTurnedWithTheNodeExceptForTheMoveTool) {
    // Bone 0 pivots at (-15, 25, 5), turned 90 degrees about Z there and moved by (10, 0, 0).
    const float h = std::sqrt(0.5f);
    model.Bones.resize(1);
    model.Bones[0].node.Translation.keys = {{0, {10, 0, 0}, {}, {}}};
    model.Bones[0].node.Rotation.keys = {{0, {0, 0, h, h}, {}, {}}};
    model.PivotPoints = {{-15, 25, 5}};
    state.allNodes = {0};
    state.editMode = EditMode::Animation;
    const Vec3 posed{-5, 25, 5};
    computeNodeOrder(model);
    evaluateModel(model, 0);
    drawFrame();
    EXPECT_TRUE(colourNear(pixelAt(posed), {204, 204, 204}));
    EXPECT_TRUE(colourNear(pixelAt({-15, 25, 5}), kBlack));

    state.selectedNode = 0;
    drawFrame();
    const std::array<double, 3> w = windowOf(posed);  // off the gizmo's screen-aligned axes:
    EXPECT_TRUE(colourNear(pixel(static_cast<int>(w[0]) + 2, static_cast<int>(w[1]) + 2), {255, 128, 128}));
    expectAxis(state.axisScreenX, posed, {-5, 40, 5});  // X turned onto +Y
    state.currentTool = MoveTool;
    drawFrame();
    expectAxis(state.axisScreenX, posed, {10, 25, 5});
    expectAxis(state.axisScreenY, posed, {-5, 40, 5});

    state.editMode = EditMode::Vertex;
    drawFrame();
    EXPECT_TRUE(colourNear(pixelAt(posed), kBlack));
}

TEST_F(DrawScene, CentroidGizmoAndExtrudeArrowReportTheirScreenVectors) {
    state.viewType = 0;  // the default perspective, where every axis shows
    state.cameraPitch = state.cameraYaw = 45;
    state.cameraDistance = 200;
    state.editMode = EditMode::Vertex;
    model.Geosets = {triangles({{0, 0, 0}, {20, -10, 6}, {10, -5, 3}}, {0, 0})};
    model.Geosets[0].shown = 0;  // selections in hidden geosets count too
    model.Geosets[0].Vertices[0].selected = model.Geosets[0].Vertices[1].selected = 1;
    drawFrame();
    const Vec3 c{10, -5, 3};
    expectAxis(state.axisScreenX, c, {25, -5, 3});
    expectAxis(state.axisScreenY, c, {10, 10, 3});
    expectAxis(state.axisScreenZ, c, {10, -5, 18});

    model.Geosets = {triangles({{10, 0, 0}, {0, 10, 0}, {0, 0, 10}}, {0, 0})};
    for (Vertex& v : model.Geosets[0].Vertices) {
        v.selected = 1;
        v.position = v.animatedPosition;  // face normals come from the rest positions
    }
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

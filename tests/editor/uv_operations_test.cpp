#include "editor/uv_operations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "common/fake_host.h"
#include "editor/mesh_selection.h"
#include "editor/uv_commands.h"
#include "editor/uv_input.h"
#include "editor/uv_remap.h"
#include "mesh_documents.h"

namespace tess {
namespace {

using namespace testing;
using UVs = std::vector<Vec2>;

// A 200 x 100 client, where texture point (u, v) is pixel (200u, 100v).
class Uv : public ::testing::Test {
protected:
    Uv() { state.clientWidth = 200, state.clientHeight = 100; }
    // A geoset with one texture set holding `uvs`, UV-selected as `selected` says.
    Geoset& add(UVs uvs, Flags selected, bool shown = true) {
        Geoset& g = document.model.Geosets.emplace_back();
        g.resizeVertices(uvs.size());
        g.uvSets = {uvs};
        fitDocument(document);
        document.selection.geosets.back().uvs = std::move(selected);
        document.selection.shown.back() = shown;
        return g;
    }
    const UVs& uvs(std::size_t geoset) const { return document.model.Geosets[geoset].uvSets[0]; }
    bool near(std::size_t geoset, std::size_t vertex, float u, float v) const {
        return std::abs(uvs(geoset)[vertex][0] - u) < 1e-6f && std::abs(uvs(geoset)[vertex][1] - v) < 1e-6f;
    }
    const Flags& flags(std::size_t geoset) const { return document.selection.geosets[geoset].uvs; }
    // A drag with the left button (rubber band) or the right one (`tool`).
    void drag(int x0, int y0, int x1, int y1, std::optional<UvTool> tool = {}) {
        uvMouseMove(document, state, host, x0, y0);
        state.uvTool = tool.value_or(state.uvTool);
        tool ? uvRightButtonDown(state, x0, y0) : uvLeftButtonDown(state, x0, y0);
        uvMouseMove(document, state, host, x1, y1);
        uvLeftOrRightButtonUp(document, state, host);
    }
    void rightDrag(UvTool tool, int dx, int dy) { drag(100, 50, 100 + dx, 50 + dy, tool); }
    bool command(int id) { return uvCommand(document, state, host, id, {}); }

    Document document;
    UvEditorState state;
    FakeHost host;
};

// Pixels truncated, clamped, NaN at 0; a degenerate client or zoom keeps every mapping finite.
// The wheel keeps the texture point at the window centre; panning follows the mouse.
TEST_F(Uv, MappingWheelAndPan) {
    const auto pixel = [this](float u, float v) {
        return std::pair{uvToScreen(state, u, v).x, uvToScreen(state, u, v).y};
    };
    EXPECT_TRUE(pixel(-0.004f, 0.019f) == std::pair(0, 1) &&
                pixel(1e30f, -1e30f) == std::pair(INT32_MAX, INT32_MIN) &&
                pixel(std::nanf(""), 0) == std::pair(0, 0));
    state.uvZoom = 2, state.uvPanU = 0.25f, state.uvPanV = -0.5f;
    EXPECT_TRUE(pixel(0.5f, 1.0f) == std::pair(300, 100) &&
                screenToUv(state, 300, 100) == (Vec2{0.5f, 1.0f}));
    const Vec2 centre = screenToUv(state, 100, 50);
    const std::pair<std::uint16_t, float> notches[] = {{0, 2.5f}, {999, 2}, {1000, 2.5f}};
    for (const auto& [word, zoom] : notches) {
        uvWheel(state, host, word);
        const Vec2 now = screenToUv(state, 100, 50);
        EXPECT_TRUE(std::abs(state.uvZoom - zoom) < 1e-5f && std::abs(now[0] - centre[0]) < 1e-5f &&
                    std::abs(now[1] - centre[1]) < 1e-5f)
            << word;
    }
    for (int i = 0; i < 2000; ++i) uvWheel(state, host, 120);
    EXPECT_TRUE(state.uvZoom >= kUvZoomMin && host.uvEditorRepaints > 5);
    state = {}, state.clientWidth = 200, state.clientHeight = 100;
    uvMouseMove(document, state, host, 10, 10);
    uvMiddleButtonDown(state);
    uvMouseMove(document, state, host, 30, 20);
    EXPECT_TRUE(state.uvPanU == 0.1f && state.uvPanV == 0.1f);

    add({{0.5f, 0.5f}}, {1});
    state = {};
    EXPECT_EQ(screenToUv(state, 7, 3), (Vec2{7, 3}));
    state.clientWidth = 200, state.uvZoom = 0;
    rightDrag(UvTool::Move, 30, 20);
    uvMiddleButtonDown(state);
    uvMouseMove(document, state, host, 500, 500);
    EXPECT_TRUE(std::isfinite(uvs(0)[0][0] + uvs(0)[0][1] + state.uvPanU + state.uvPanV));
}

// The band selects inside it either way, Ctrl adds, Alt removes; hidden geosets keep their flags;
// a band edge through a vertex (one row below the cursor) includes it on the low side only.
TEST_F(Uv, RubberBand) {
    add({{0.25f, 0.25f}, {0.75f, 0.25f}, {0.3f, 0.3f}, {0.25f, 0.75f}}, {0, 1, 1, 1});
    add({{0.25f, 0.25f}, {0.26f, 0.26f}}, {0, 1}, false);
    drag(70, 35, 40, 15);  // u 0.2-0.35, v 0.16-0.36
    EXPECT_TRUE(flags(0) == (Flags{1, 0, 1, 0}) && flags(1) == (Flags{0, 1}));
    document.selection.geosets[0].uvs = {0, 1, 1, 0};
    state.uvKeysDown[kKeyControl] = true;
    drag(40, 15, 70, 35);
    EXPECT_EQ(flags(0), (Flags{1, 1, 1, 0}));
    state.uvKeysDown[kKeyControl] = false, host.altDown = true;
    drag(55, 20, 70, 35);  // holds only (0.3, 0.3)
    EXPECT_EQ(flags(0), (Flags{1, 1, 0, 0}));
    host.altDown = false;
    for (const auto& [x1, y1, selected] : {std::tuple{60, 24, 0}, {60, 25, 1}, {50, 30, 0}, {51, 30, 1}}) {
        drag(40, 10, x1, y1);
        EXPECT_EQ(flags(0)[0], selected) << x1 << ' ' << y1;
    }
}

// Transforms act about the centroid; without a selection, or if not finite after, nothing changes.
TEST_F(Uv, MoveRotateMirrorAndScale) {
    add({{0.2f, 0.4f}, {0.4f, 0.6f}, {0.9f, 0.9f}}, {1, 1, 0});
    add({{0.2f, 0.2f}}, {1}, false);
    rightDrag(UvTool::Move, 20, -10);
    EXPECT_TRUE(near(0, 0, 0.3f, 0.3f));
    rightDrag(UvTool::Move, -20, 10);
    rightDrag(UvTool::Rotate, 50, 0);  // one radian about (0.3, 0.5)
    const float c = std::cos(1.0f) * 0.1f, s = std::sin(1.0f) * 0.1f;
    EXPECT_TRUE(near(0, 0, 0.3f - c + s, 0.5f - s - c));
    ASSERT_TRUE(command(kUvCommandMirrorX) && command(kUvCommandMirrorY));  // the two trade places
    EXPECT_TRUE(near(0, 1, 0.3f - c + s, 0.5f - s - c) && near(0, 2, 0.9f, 0.9f) && near(1, 0, 0.2f, 0.2f));
    // Per axis; with Shift by the halved, truncated sum; about the centroid (0.4, 0.3).
    for (const auto& [dx, dy, shift, fu, fv] :
         {std::tuple{40, -80, false, 1.5f, 0.5f}, {41, 0, true, 1.25f, 1.25f}, {-41, 0, true, 0.8f, 0.8f}}) {
        document.model.Geosets[0].uvSets[0] = {{0.2f, 0.2f}, {0.6f, 0.4f}, {0.9f, 0.9f}};
        state.uvKeysDown[kKeyShift] = shift;
        rightDrag(UvTool::Scale, dx, dy);
        EXPECT_TRUE(near(0, 1, 0.4f + 0.2f * fu, 0.3f + 0.1f * fv)) << dx;
    }

    document = {}, host.uvEditorRepaints = 0;
    add({{0.2f, 0.1f}, {0.6f, 0.3f}}, {0, 0});
    add({{0.5f, 0.5f}}, {1}, false);
    Geoset& bare = add(UVs(3), {1, 0, 0});
    bare.uvSets.clear(), bare.corners = {0, 1, 2};
    fitDocument(document);
    const Document before = document;
    for (const int id : {kUvCommandMirrorX, kUvCommandMirrorY, kUvCommandExpandSelection}) command(id);
    rightDrag(UvTool::Rotate, 30, 0);
    rightDrag(UvTool::Scale, 30, 0);
    EXPECT_TRUE(sameDocument(document, before));
    add({{0, 0}, {3e38f, 0.5f}}, {1, 1});
    const Document huge = document;
    rightDrag(UvTool::Scale, 8000, 0);
    EXPECT_TRUE(sameDocument(document, huge) && host.uvEditorRepaints == 1);  // the expand command's only
}

// Expand grows the selection by one ring; Next Texture cycles; keys choose the tools.
TEST_F(Uv, ExpandNextTextureKeysAndCommands) {
    const Corners strip = {0, 1, 2, 1, 2, 3, 2, 3, 4, 3, 4, 5, 0, 6, 99};
    for (const bool shown : {true, false}) add(UVs(7), {1, 0, 0, 0, 0, 0, 0}, shown).corners = strip;
    ASSERT_TRUE(command(kUvCommandExpandSelection));
    EXPECT_TRUE(flags(0) == (Flags{1, 1, 1, 0, 0, 0, 1}) && flags(1) == flags(0));
    const auto next = [this] { return command(kUvCommandNextTexture), state.uvTexture; };
    EXPECT_EQ(next(), -1);
    document.model.Textures.resize(2);
    EXPECT_EQ(std::vector<std::int32_t>({next(), next(), next(), (state.uvTexture = 2, next())}),
              (std::vector<std::int32_t>{0, 1, 0, 0}));
    for (const auto& [key, sent, tool] : {std::tuple{'1', kUvCommandRotate, UvTool::Rotate},
                                          {'2', kUvCommandMove, UvTool::Move},
                                          {char{kKeyShift}, 0, UvTool::Move}})
        EXPECT_TRUE(uvKeyDown(state, host, key) == sent && state.uvTool == tool && state.keyDown(key)) << key;
    EXPECT_EQ(uvKeyDown(state, host, 300), 0);
    EXPECT_TRUE(command(kUvCommandScale) && state.uvTool == UvTool::Scale);
    EXPECT_FALSE(command(40044) || command(kUvCommandRemap));
    const int repaints = host.uvEditorRepaints;
    int remaps = 0;  // repainted after the remap, not before
    EXPECT_TRUE(uvCommand(document, state, host, kUvCommandRemap,
                          [&] { remaps += host.uvEditorRepaints == repaints ? 1 : 100; }));
    EXPECT_TRUE(remaps == 1 && host.uvEditorRepaints == repaints + 1);
}

// Each UV edit of the model is one undo step named by its menu text, restoring the selection it began
// with; the window's Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z walk them (not during a drag) and repaint it.
TEST_F(Uv, EditsAreUndoStepsThatTheWindowsKeysWalk) {
    struct : Viewport {
        bool pickHandle(std::int32_t, std::int32_t, DragState&) override { return false; }
        void projectionChanged() override {}
        void reloadTextures() override {}
    } viewport;
    AppState app;
    Editor editor{document, app, host, viewport};
    add({{0.2f, 0.4f}, {0.4f, 0.6f}, {0.9f, 0.9f}}, {1, 1, 0});
    document.history.reset(document);
    const Document original = document;
    uvEditorRightButtonDown(editor, state, 100, 50);
    uvMouseMove(document, state, host, 120, 50);
    uvEditorButtonUp(editor, state);
    const Document moved = document;
    uvEditorCommand(editor, state, kUvCommandMirrorX);
    const Document mirrored = document;
    uvEditorRightButtonDown(editor, state, 100, 50);  // the first Ctrl+Z comes during this drag
    const int repaints = host.uvEditorRepaints;
    const std::tuple<std::vector<int>, const Document*, const char*> steps[] = {
        {{kKeyControl, 'Z'}, &mirrored, "&Undo Mirror X"},
        {{kKeyControl, 'Z'}, &moved, "&Undo Move"},
        {{kKeyControl, 'Z'}, &original, "&Undo"},
        {{'Y'}, &original, "&Undo"},
        {{kKeyControl, kKeyShift, 'Z'}, &moved, "&Undo Move"},
        {{kKeyControl, 'Y'}, &mirrored, "&Undo Mirror X"}};
    for (const auto& [pressed, expected, undoText] : steps) {
        for (const int key : pressed) uvEditorKeyDown(editor, state, key);
        for (const int key : pressed) uvKeyUp(state, key);
        uvEditorButtonUp(editor, state);
        EXPECT_TRUE(sameDocument(document, *expected) && host.status.undoText == undoText) << undoText;
    }
    EXPECT_EQ(host.uvEditorRepaints, repaints + 4);
}

// Remap's meshes: vertices drawn at 10 times their x and y, texture set (x / 4, y / 4).
class Remap : public Uv {
protected:
    void addMesh(std::vector<Vec3> positions, Corners corners, Flags selected, bool shown = true) {
        Geoset& g = add(UVs(positions.size()), {}, shown);
        for (std::size_t v = 0; v < positions.size(); ++v) {
            g.uvSets[0][v] = {positions[v][0] / 4, positions[v][1] / 4};
            document.screenPositions.back()[v] = {10 * positions[v][0], 10 * positions[v][1], 0.5f};
        }
        g.positions = std::move(positions), g.corners = std::move(corners);
        fitDocument(document);
        document.selection.geosets.back().triangles = std::move(selected);
        selectVerticesOfSelectedFaces(document.model, document.selection);
    }
    void remap() { remapSelection(document, app, host); }
    AppState app;
};

// The screen box grows along its shorter side; a box without extent maps to the centre.
TEST_F(Remap, TheScreenBoxBecomesACentredSquareAndHiddenOrBareGeosetsStaySound) {
    for (const bool wide : {true, false}) {
        document = {};
        const float w = wide ? 4 : 2, h = wide ? 2 : 4, a = wide ? 0.25f : 0.75f, b = 1 - a;
        addMesh({{0, 0, 0}, {w, 0, 0}, {0, h, 0}}, {0, 1, 2}, {1});
        addMesh({{5, 5, 0}, {9, 0, 0}, {0, 9, 0}, {7, 7, 0}}, {0, 1, 2, 0, 2, 3}, {1, 0}, false);
        const Geoset hidden = document.model.Geosets[1];
        remap();
        EXPECT_EQ(uvs(0), (wide ? UVs{{0, a}, {1, a}, {0, b}} : UVs{{b, 0}, {a, 0}, {b, 1}}));
        EXPECT_TRUE(document.model.Geosets[1] == hidden && flags(1) == Flags(4, 0));
        EXPECT_EQ(host.animationBarRepaints, wide ? 1 : 2);
    }
    document = {};
    addMesh({{1, 1, 0}, {2, 1, 0}, {1, 2, 0}}, {0, 1, 2}, {1});
    addMesh({{1, 1, 0}, {2, 1, 0}, {1, 2, 0}}, {0, 1, 2}, {1});
    document.model.Geosets[1].uvSets.clear();
    for (std::vector<Vec3>& screen : document.screenPositions) screen.assign(3, {7, 7, 0});
    remap();
    EXPECT_EQ(uvs(0), UVs(3, {0.5f, 0.5f}));
    EXPECT_TRUE(document.model.Geosets[1].uvSets.empty() && flags(1) == Flags(3, 1));
}

}  // namespace
}  // namespace tess

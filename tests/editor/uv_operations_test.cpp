#include "editor/uv_operations.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>

#include "common/fake_host.h"
#include "editor/app_state.h"
#include "editor/uv_input.h"

namespace tess {
namespace {

using Flags = std::vector<int>;
using Pixel = std::array<std::int32_t, 2>;

Vertex uvVertex(float u, float v, bool selected = false) {
    Vertex vertex;
    vertex.U = {u};
    vertex.V = {v};
    vertex.uvSelected = selected ? 1 : 0;
    return vertex;
}

// A UV editor test bench: a 200 x 100 client, where texture point (u, v) is pixel (200u, 100v).
class Uv : public ::testing::Test {
protected:
    Uv() {
        state.clientWidth = 200;
        state.clientHeight = 100;
    }
    Geoset& add(std::initializer_list<Vertex> vertices, bool shown = true) {
        Geoset& geoset = model.Geosets.emplace_back();
        geoset.Vertices = vertices;
        geoset.shown = shown ? 1 : 0;
        return geoset;
    }
    void expectUv(std::size_t geoset, std::size_t vertex, float u, float v) const {
        const Vertex& x = model.Geosets[geoset].Vertices[vertex];
        EXPECT_NEAR(x.U[0], u, 1e-6f) << geoset << ':' << vertex;
        EXPECT_NEAR(x.V[0], v, 1e-6f) << geoset << ':' << vertex;
    }
    Flags flags(std::size_t geoset) const {
        Flags result;
        for (const Vertex& v : model.Geosets[geoset].Vertices) result.push_back(v.uvSelected);
        return result;
    }
    // A drag with the left button (rubber band) or the right one (`tool`) from (x0, y0).
    void drag(int x0, int y0, int x1, int y1, std::int32_t tool = -1) {
        state.uvTool = tool;
        uvMouseMove(model, state, host, x0, y0);
        if (tool < 0)
            uvLeftButtonDown(state, x0, y0);
        else
            uvRightButtonDown(state, x0, y0);
        uvMouseMove(model, state, host, x1, y1);
        uvLeftOrRightButtonUp(model, state, host);
    }
    void rightDrag(std::int32_t tool, int dx, int dy) { drag(100, 50, 100 + dx, 50 + dy, tool); }

    Model model;
    UvEditorState state;
    testing::FakeHost host;
};

TEST_F(Uv, MappingTruncatesTowardZeroClampsInvertsAndStaysFinite) {
    const auto pixel = [this](float u, float v) {
        const UvScreenPoint p = uvToScreen(state, u, v);
        return Pixel{p.x, p.y};
    };
    EXPECT_EQ(pixel(-0.004f, 0.019f), (Pixel{0, 1}));  // -0.8 and 1.9 px
    EXPECT_EQ(pixel(1e30f, -1e30f), (Pixel{INT32_MAX, INT32_MIN}));
    EXPECT_EQ(pixel(std::nanf(""), 0), (Pixel{0, 0}));
    state.uvZoom = 2;
    state.uvPanU = 0.25f;
    state.uvPanV = -0.5f;
    EXPECT_EQ(pixel(0.5f, 1.0f), (Pixel{300, 100}));
    EXPECT_EQ(screenToUv(state, 300, 100), (Vec2{0.5f, 1.0f}));

    // A degenerate client or zoom keeps everything finite.
    add({uvVertex(0.5f, 0.5f, true)});
    state = {};  // no client area
    EXPECT_EQ(screenToUv(state, 7, 3), (Vec2{7, 3}));
    state.clientWidth = 200;
    state.uvZoom = 0;
    rightDrag(UvMoveTool, 30, 20);
    uvMiddleButtonDown(state);
    uvMouseMove(model, state, host, 500, 500);
    const Vertex& v = model.Geosets[0].Vertices[0];
    EXPECT_TRUE(std::isfinite(v.U[0]) && std::isfinite(v.V[0]));
    EXPECT_TRUE(std::isfinite(state.uvPanU) && std::isfinite(state.uvPanV));
}

TEST_F(Uv, RubberBandSelectsInsideInEitherDirectionWithCtrlAddingAndAltRemoving) {
    add({uvVertex(0.25f, 0.25f), uvVertex(0.75f, 0.25f, true), uvVertex(0.3f, 0.3f, true),
         uvVertex(0.25f, 0.75f, true)});
    add({uvVertex(0.25f, 0.25f), uvVertex(0.26f, 0.26f, true)}, false);
    drag(70, 35, 40, 15);  // u 0.2-0.35, v 0.16-0.36
    EXPECT_EQ(flags(0), (Flags{1, 0, 1, 0}));
    EXPECT_EQ(flags(1), (Flags{0, 1}));  // hidden: untouched

    model.Geosets[0].Vertices[1].uvSelected = 1;
    model.Geosets[0].Vertices[0].uvSelected = 0;
    state.uvKeysDown[kKeyControl] = true;
    drag(40, 15, 70, 35);
    EXPECT_EQ(flags(0), (Flags{1, 1, 1, 0}));
    state.uvKeysDown[kKeyControl] = false;
    host.altDown = true;
    drag(55, 20, 70, 35);  // holds only (0.3, 0.3)
    EXPECT_EQ(flags(0), (Flags{1, 1, 0, 0}));
    EXPECT_EQ(state.uvDragState, UvIdle);
}

TEST_F(Uv, PositionsAreRecordedOneRowBelowTheCursor) {
    add({uvVertex(0.25f, 0.25f)});
    drag(40, 10, 60, 24);  // recorded row 25 is v = 0.25 exactly: an edge, not inside
    EXPECT_EQ(flags(0), (Flags{0}));
    drag(40, 10, 60, 25);
    EXPECT_EQ(flags(0), (Flags{1}));
}

TEST_F(Uv, MoveRotateAndMirrorChangeSelectedShownVerticesOnly) {
    add({uvVertex(0.2f, 0.5f, true), uvVertex(0.4f, 0.5f, true), uvVertex(0.9f, 0.9f)});
    add({uvVertex(0.2f, 0.2f, true)}, false);
    rightDrag(UvMoveTool, 20, -10);
    expectUv(0, 0, 0.3f, 0.4f);
    rightDrag(UvMoveTool, -20, 10);
    rightDrag(UvRotateTool, 50, 0);  // one radian about (0.3, 0.5)
    const float c = std::cos(1.0f) * 0.1f;
    const float s = std::sin(1.0f) * 0.1f;
    expectUv(0, 0, 0.3f - c, 0.5f - s);
    expectUv(0, 1, 0.3f + c, 0.5f + s);
    // Mirrored across both lines through the centroid, the two vertices trade places.
    ASSERT_TRUE(uvCommand(model, state, host, kUvCommandMirrorX, {}));
    ASSERT_TRUE(uvCommand(model, state, host, kUvCommandMirrorY, {}));
    expectUv(0, 0, 0.3f + c, 0.5f + s);
    expectUv(0, 1, 0.3f - c, 0.5f - s);
    expectUv(0, 2, 0.9f, 0.9f);
    expectUv(1, 0, 0.2f, 0.2f);
}

TEST_F(Uv, ScaleUsesPerAxisFactorsAndShiftAHalvedTruncatedSum) {
    const struct {
        int dx, dy;
        bool shift;
        float fu, fv;
    } cases[] = {{40, -80, false, 1.5f, 0.5f}, {41, 0, true, 1.25f, 1.25f}, {-41, 0, true, 0.8f, 0.8f}};
    add({});
    for (const auto& c : cases) {
        model.Geosets[0].Vertices = {uvVertex(0.2f, 0.2f, true), uvVertex(0.6f, 0.4f, true)};
        state.uvKeysDown[kKeyShift] = c.shift;
        rightDrag(UvScaleTool, c.dx, c.dy);
        expectUv(0, 1, 0.4f + 0.2f * c.fu, 0.3f + 0.1f * c.fv);  // about the centroid (0.4, 0.3)
    }
}

TEST_F(Uv, EditsWithoutSelectionOrThatWouldOverflowChangeNothing) {
    add({uvVertex(0.2f, 0.1f), uvVertex(0.6f, 0.3f)});
    add({uvVertex(0.5f, 0.5f, true)}, false);  // a hidden selection does not count
    const Model before = model;
    uvCommand(model, state, host, kUvCommandMirrorX, {});
    uvCommand(model, state, host, kUvCommandMirrorY, {});
    rightDrag(UvRotateTool, 30, 0);
    rightDrag(UvScaleTool, 30, 0);
    EXPECT_EQ(model, before);

    add({uvVertex(0, 0, true), uvVertex(3e38f, 0.5f, true)});
    const Model huge = model;
    rightDrag(UvScaleTool, 8000, 0);
    EXPECT_EQ(model, huge);
    EXPECT_EQ(host.uvEditorRepaints, 0);
}

TEST_F(Uv, WheelKeepsTheTexturePointAtTheWindowCentreFixed) {
    const Vec2 centre = screenToUv(state, 100, 50);
    const std::uint16_t words[] = {0, 65416, 120, 120, 120, 999, 1000};
    const float zooms[] = {1.25f, 1.5625f, 1.25f, 1.0f, 0.8f, 0.64f, 0.8f};
    for (std::size_t i = 0; i < std::size(words); ++i) {
        uvWheel(state, host, words[i]);
        EXPECT_NEAR(state.uvZoom, zooms[i], 1e-5f);
        EXPECT_NEAR(screenToUv(state, 100, 50)[0], centre[0], 1e-5f);
        EXPECT_NEAR(screenToUv(state, 100, 50)[1], centre[1], 1e-5f);
    }
    EXPECT_EQ(host.uvEditorRepaints, 7);
    for (int i = 0; i < 2000; ++i) uvWheel(state, host, 120);
    EXPECT_GE(state.uvZoom, kUvZoomMin);
}

TEST_F(Uv, PanFollowsTheMouseAndDragsStartOnlyWhenIdle) {
    uvMouseMove(model, state, host, 10, 10);
    uvMiddleButtonDown(state);
    uvLeftButtonDown(state, 30, 30);
    uvRightButtonDown(state, 30, 30);
    uvMouseMove(model, state, host, 30, 20);
    EXPECT_FLOAT_EQ(state.uvPanU, 0.1f);
    EXPECT_FLOAT_EQ(state.uvPanV, 0.1f);
    uvMiddleButtonUp(state);
    EXPECT_EQ(state.uvDragState, UvIdle);
    uvRightButtonDown(state, 5, 6);
    uvMiddleButtonUp(state);  // ends only a pan
    EXPECT_EQ(state.uvDragState, UvMoving);
    EXPECT_EQ(state.dragStartY, 7);
}

TEST_F(Uv, VerticesWithoutTextureSetsAreNeitherReadNorWritten) {
    Geoset& g = add({uvVertex(0.5f, 0.5f, true), uvVertex(0.1f, 0.1f, true), uvVertex(0.1f, 0.1f)});
    g.corners = {0, 1, 2};
    for (std::size_t i = 1; i < 3; ++i) {  // emptied sets keep their old values in place
        g.Vertices[i].U.clear();
        g.Vertices[i].V.clear();
    }
    uvCommand(model, state, host, kUvCommandExpandSelection, {});
    drag(0, 0, 60, 40);  // around (0.1, 0.1)
    EXPECT_EQ(flags(0), (Flags{0, 1, 0}));
    model.Geosets[0].Vertices[0].uvSelected = 1;
    rightDrag(UvMoveTool, 20, 0);
    expectUv(0, 0, 0.6f, 0.5f);
    EXPECT_EQ(model.Geosets[0].Vertices[1].U.data()[0], 0.1f);
}

TEST_F(Uv, ExpandSelectionGrowsByOneRingInEveryGeoset) {
    Geoset& strip = add({uvVertex(0, 0, true), uvVertex(0, 1), uvVertex(1, 0), uvVertex(1, 1), uvVertex(2, 0),
                         uvVertex(2, 1), uvVertex(3, 3)});
    strip.corners = {0, 1, 2, 1, 2, 3, 2, 3, 4, 3, 4, 5, 0, 6, 99};
    Geoset hidden = strip;
    hidden.shown = 0;
    model.Geosets.push_back(hidden);
    ASSERT_TRUE(uvCommand(model, state, host, kUvCommandExpandSelection, {}));
    EXPECT_EQ(flags(0), (Flags{1, 1, 1, 0, 0, 0, 1}));
    EXPECT_EQ(flags(1), (Flags{1, 1, 1, 0, 0, 0, 1}));
}

TEST_F(Uv, CommandsAndToolKeys) {
    const auto next = [this] {
        uvCommand(model, state, host, kUvCommandNextTexture, {});
        return state.uvTexture;
    };
    EXPECT_EQ(next(), -1);
    model.Textures.resize(2);
    EXPECT_EQ(std::vector<std::int32_t>({next(), next(), next()}), (std::vector<std::int32_t>{0, 1, 0}));
    state.uvTexture = 2;  // stale index from an earlier model
    EXPECT_EQ(next(), 0);
    const int keys[] = {'1', '3', '2', kKeyShift};
    const int sent[] = {kUvCommandRotate, kUvCommandScale, kUvCommandMove, 0};
    const std::int32_t tools[] = {UvRotateTool, UvScaleTool, UvMoveTool, UvMoveTool};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(uvKeyDown(state, host, keys[i]), sent[i]);
        EXPECT_EQ(state.uvTool, tools[i]);
        EXPECT_TRUE(state.uvKeysDown[keys[i]]);
    }
    EXPECT_EQ(uvKeyDown(state, host, 300), 0);
    EXPECT_TRUE(uvCommand(model, state, host, kUvCommandScale, {}));
    EXPECT_EQ(state.uvTool, UvScaleTool);
    EXPECT_FALSE(uvCommand(model, state, host, 40044, {}));
    EXPECT_FALSE(uvCommand(model, state, host, kUvCommandRemap, {}));
    const int repaints = host.uvEditorRepaints;
    int remaps = 0;
    EXPECT_TRUE(uvCommand(model, state, host, kUvCommandRemap, [&] {
        remaps += host.uvEditorRepaints == repaints ? 1 : 100;  // repainted after, not before
    }));
    EXPECT_EQ(remaps, 1);
    EXPECT_EQ(host.uvEditorRepaints, repaints + 1);
}

}  // namespace
}  // namespace tess

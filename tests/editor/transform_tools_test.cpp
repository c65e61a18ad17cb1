#include "editor/transform_tools.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "common/fake_host.h"

namespace tess {
namespace {

TEST(AxisDragAmount, ProjectsPixelsOntoTheAxisInUnitsOfFifteenPerAxisLength) {
    const std::tuple<Vec2, Vec2, float> cases[] = {{{60, 0}, {30, 25}, 7.5f},    {{60, 0}, {-30, 0}, -7.5f},
                                                   {{10, 10}, {-1, 20}, 14.25f}, {{30, -40}, {30, -40}, 15},
                                                   {{30, -40}, {40, 30}, 0},     {{0, 0}, {30, 0}, 0}};
    for (const auto& [axis, movement, amount] : cases)
        EXPECT_FLOAT_EQ(axisDragAmount(axis, movement), amount);
}

// Geoset 0 (shown): selected A (0, 0, 0), B (2, 0, 0), unselected C (5, 5, 5); geoset 1 (hidden):
// selected D (1, 3, 0). Normals (1, 0, 0). One selected bone keyed to (10, 0, 0), posed: the
// animated centroid is (11, 1, 0). Gizmo axes X (60, 0), Y (0, -60), Z (60, 0).
struct TransformTools : ::testing::Test {
    TransformTools() {
        Model& model = document.model;
        model.Geosets.resize(2);
        model.Geosets[0].positions = {{0, 0, 0}, {2, 0, 0}, {5, 5, 5}};
        model.Geosets[0].corners = {0, 1, 2};
        model.Geosets[1].positions = {{1, 3, 0}};
        for (Geoset& g : model.Geosets) {
            g.resizeVertices(g.positions.size());
            g.normals.assign(g.vertexCount(), {1, 0, 0});
            g.matrixGroups = {{0}};
        }
        model.Bones.emplace_back().node.Translation.keys = {{0, {10, 0, 0}, {}, {}}};
        model.PivotPoints.push_back({});
        document.selection = {{{{1, 1, 0}, {0, 0, 0}, {0}}, {{1}, {0}, {}}}, {1, 0}};
        state.view.selectedNode = 0;
        state.gizmo = {{60, 0}, {0, -60}, {60, 0}, {0, 0.6f, 0.8f}};
        setCurrentTime(document, state, host, 0);
    }
    Document document;
    AppState state;
    testing::FakeHost host;
};

TEST_F(TransformTools, EachToolMovesTheSelectionOfEveryGeosetAboutTheAnimatedCentroid) {
    // 12 pixels along a 60-pixel axis turn one radian; scaling doubles per 20 pixels. Each row: the
    // drag, then A, B and D afterwards and whether normals were rebuilt.
    using enum DragState;
    const std::tuple<DragState, int, int, std::array<float, 9>, bool> cases[] = {
        {MoveX, 30, 25, {7.5f, 0, 0, 9.5f, 0, 0, 8.5f, 3, 0}, true},
        {MoveY, 0, 30, {0, -7.5f, 0, 2, -7.5f, 0, 1, -4.5f, 0}, true},
        {ScaleX, -20, 0, {5.5f, 0, 0, 6.5f, 0, 0, 6, 3, 0}, false},
        {ScaleY, 0, -20, {0, -1, 0, 2, -1, 0, 1, 5, 0}, false},
        {RotateZ, 12, 0, {4.2152f, 9.7159f, 0, 5.2958f, 8.0329f, 0, 7.2799f, 10.4953f, 0}, false},
        {Extrude, 12, 0, {0, 1.8f, 2.4f, 2, 1.8f, 2.4f, 1, 4.8f, 2.4f}, true}};
    const Document posed = document;
    for (const auto& [drag, dx, dy, expected, normalsRebuilt] : cases) {
        document = posed;
        if (drag == Extrude) extrudeMove(document, state, dx, dy);
        moveSelection(document, state, drag, dx, dy);
        rotateSelection(document, state, drag, dx, dy);
        scaleSelection(document, state, drag, dx, dy);
        const std::vector<Vec3>& g0 = document.model.Geosets[0].positions;
        const Vec3 d = document.model.Geosets[1].positions[0];
        const float actual[] = {g0[0][0], g0[0][1], g0[0][2], g0[1][0], g0[1][1], g0[1][2], d[0], d[1], d[2]};
        for (int k = 0; k < 9; ++k)
            EXPECT_NEAR(actual[k], expected[k], 1e-4f) << dragStateName(drag) << " " << k;
        EXPECT_EQ(g0[2], (Vec3{5, 5, 5}));
        EXPECT_EQ(document.model.Geosets[1].normals[0], (normalsRebuilt ? Vec3{0, 0, 1} : Vec3{1, 0, 0}));
        EXPECT_EQ(document.pose.animatedPositions, posed.pose.animatedPositions);  // the caller resets it
    }
}

TEST_F(TransformTools, NodeKeysAreInsertedFromTheEvaluatedValueThenModifiedAndReposed) {
    state.currentTime = 500;
    moveNodeKey(document, state, host, DragState::MoveX, 30, 0);
    moveNodeKey(document, state, host, DragState::MoveX, 30, 0);
    const auto& keys = document.model.Bones[0].node.Translation.keys;
    EXPECT_EQ(std::tuple(keys.size(), keys[1].time, keys[1].value), std::tuple(2u, 500, Vec3{25, 0, 0}));
    EXPECT_EQ(document.pose.bones[0].translation, (Vec3{25, 0, 0}));
    // A key at 500 from the key at 0, turned by -1 radian about Z, then 1 about Y and X, on the right.
    auto& turns = document.model.Bones[0].node.Rotation.keys;
    turns = {{0, {0.1f, 0.2f, 0.3f, 0.9273618f}, {}, {}}};
    rotateNodeKey(document, state, host, DragState::RotateZ, -20, 0);
    rotateNodeKey(document, state, host, DragState::RotateY, 0, -20);
    rotateNodeKey(document, state, host, DragState::RotateX, 20, 0);
    ASSERT_EQ(std::tuple(turns.size(), turns[1].time), std::tuple(2u, 500));
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(turns[1].value[k], (Quat{0.421593f, 0.4968623f, -0.457203f, 0.6052707f})[k], 1e-6f);
    EXPECT_EQ(std::tuple(document.pose.bones[0].rotation, host.animationBarRepaints),
              std::tuple(turns[1].value, 6));
}

TEST_F(TransformTools, ZeroAxisNoSelectionNoBoneOrAnotherToolsStateChangeNothing) {
    const Model original = document.model;
    const GizmoVectors drawn = state.gizmo;
    for (int code = 0; code <= 13; ++code) {
        const auto drag = static_cast<DragState>(code);
        state.gizmo = {};  // not drawn yet
        state.view.selectedNode = 0;
        rotateSelection(document, state, drag, 30, 10);
        moveSelection(document, state, drag, 30, 10);
        scaleSelection(document, state, drag, 30, 10);
        extrudeMove(document, state, 30, 10);
        for (int round = 0; round < 3; ++round) {  // the axis not drawn, another tool's state, no bone
            if (round != 1 || code < 4 || code > 6) rotateNodeKey(document, state, host, drag, 30, 10);
            if (round != 1 || code < 7 || code > 9) moveNodeKey(document, state, host, drag, 30, 10);
            state.gizmo = drawn;
            state.view.selectedNode = round == 1 ? code % 2 * 2 - 1 : 0;
        }
    }
    document.selection.reset(document.model);
    moveSelection(document, state, DragState::MoveX, 30, 0);
    extrudeMove(document, state, 30, 0);
    EXPECT_EQ(document.model, original);      // the normals were not rebuilt either
    EXPECT_EQ(host.animationBarRepaints, 1);  // the fixture's pose
}

}  // namespace
}  // namespace tess

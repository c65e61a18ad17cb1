#include "editor/transform_tools.h"

#include <gtest/gtest.h>

#include <cmath>

#include "anim/node_order.h"
#include "common/fake_host.h"
#include "model/validate.h"

namespace tess {
namespace {

Vertex vertexAt(Vec3 p, bool selected) {
    Vertex v;
    v.position = p;
    v.animatedPosition = p;
    v.normal = {1, 0, 0};  // not what recomputeNormals would give, so a recompute shows
    v.U = {0};
    v.V = {0};
    v.selected = selected ? 1 : 0;
    return v;
}

// One shown geoset with a selected triangle and an unselected vertex, one hidden geoset with
// a selected vertex; a bone for the matrix groups.
Model makeModel() {
    Model model;
    Geoset shown;
    shown.Vertices = {vertexAt({0, 1, 0}, true), vertexAt({0, -1, 0}, true), vertexAt({2, 0, 0}, true),
                      vertexAt({5, 5, 5}, false)};
    shown.corners = {0, 1, 2};
    shown.resetTriangleRecords();
    shown.matrixGroups = {{0}};
    Geoset hidden;
    hidden.shown = 0;
    hidden.Vertices = {vertexAt({-2, 0, 0}, true)};
    hidden.matrixGroups = {{0}};
    model.Geosets = {shown, hidden};
    model.Bones.emplace_back();
    model.PivotPoints.push_back({0, 0, 0});
    model.Materials.emplace_back();
    return model;
}

void expectNear(const Vec3& actual, const Vec3& expected) {
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(actual[k], expected[k], 1e-5f) << "component " << k;
}

TEST(AxisDragAmount, ConvertsPixelsAlongTheAxisIntoModelUnits) {
    EXPECT_FLOAT_EQ(axisDragAmount({60, 0}, {30, 0}), 7.5f);
    EXPECT_FLOAT_EQ(axisDragAmount({60, 0}, {-30, 0}), -7.5f);
    EXPECT_FLOAT_EQ(axisDragAmount({60, 0}, {30, 25}), 7.5f);  // the off-axis part does not count
    EXPECT_FLOAT_EQ(axisDragAmount({30, -40}, {30, -40}), 15.0f);
    EXPECT_FLOAT_EQ(axisDragAmount({10, 10}, {-1, 20}), 14.25f);
    EXPECT_FLOAT_EQ(axisDragAmount({30, -40}, {40, 30}), 0.0f);
}

TEST(AxisDragAmount, ZeroLengthAxisGivesZero) {
    EXPECT_EQ(axisDragAmount({0, 0}, {30, 0}), 0.0f);
    EXPECT_EQ(axisDragAmount({0, 0}, {0, 0}), 0.0f);
}

TEST(MoveSelection, MovesEverySelectedVertexAlongTheCodesAxisAndRebuildsNormals) {
    Model model = makeModel();
    AppState state;
    state.axisScreenX = {60, 0};
    state.axisScreenY = {0, -60};
    moveSelection(model, state, kDragMoveX, 30, 0);
    expectNear(model.Geosets[0].Vertices[0].position, {7.5f, 1, 0});
    expectNear(model.Geosets[0].Vertices[3].position, {5, 5, 5});
    expectNear(model.Geosets[1].Vertices[0].position, {5.5f, 0, 0});  // hidden geosets move too
    expectNear(model.Geosets[0].Vertices[0].normal, {0, 0, 1});

    moveSelection(model, state, kDragMoveX + 1, 0, 30);  // y grows downward: against the Y axis
    expectNear(model.Geosets[0].Vertices[2].position, {9.5f, -7.5f, 0});
    EXPECT_EQ(validateModel(model), std::vector<std::string>{});
}

TEST(ScaleSelection, TwentyPixelsAlongDoublesAndAgainstHalvesDistancesFromTheCentroid) {
    Model model = makeModel();
    model.Geosets.pop_back();
    AppState state;
    state.axisScreenX = {40, 0};
    // Selected x: 0, 0, 2; centroid x = 2/3.
    scaleSelection(model, state, kDragScaleX, 20, 0);
    const float c = 2.0f / 3;
    EXPECT_NEAR(model.Geosets[0].Vertices[2].position[0], c + 2 * (2 - c), 1e-5f);
    EXPECT_NEAR(model.Geosets[0].Vertices[0].position[0], c - 2 * c, 1e-5f);
    EXPECT_EQ(model.Geosets[0].Vertices[0].position[1], 1.0f);
    EXPECT_EQ(model.Geosets[0].Vertices[3].position[0], 5.0f);
    scaleSelection(model, state, kDragScaleX, -20, 0);
    EXPECT_NEAR(model.Geosets[0].Vertices[2].position[0], 2, 1e-5f);
    EXPECT_NEAR(model.Geosets[0].Vertices[0].position[0], 0, 1e-5f);
    EXPECT_EQ(model.Geosets[0].Vertices[0].normal, (Vec3{1, 0, 0}));  // scaling keeps normals
}

TEST(RotateSelection, TurnsAboutTheCentroidByAmountOverThreeRadians) {
    Model model = makeModel();
    model.Geosets[0].Vertices[2].selected = 0;
    model.Geosets.pop_back();
    AppState state;
    state.axisScreenZ = {15, 0};
    state.axisScreenX = {15, 0};
    // |p| / |a| * 15 = 3: one radian. The two selected vertices sit at (0, +-1, 0).
    rotateSelection(model, state, kDragRotateX + 2, 3, 0);
    const float s = std::sin(1.0f), c = std::cos(1.0f);
    expectNear(model.Geosets[0].Vertices[0].position, {s, c, 0});
    expectNear(model.Geosets[0].Vertices[1].position, {-s, -c, 0});
    rotateSelection(model, state, kDragRotateX + 2, -3, 0);
    rotateSelection(model, state, kDragRotateX, 3, 0);  // about X: z turns towards y
    expectNear(model.Geosets[0].Vertices[0].position, {0, c, s});
    EXPECT_EQ(model.Geosets[0].Vertices[0].normal, (Vec3{1, 0, 0}));
}

TEST(VertexTools, ZeroAxisEmptySelectionOrAnotherToolsCodeChangeNothing) {
    const Model original = makeModel();
    AppState state;  // every axis vector still (0, 0)
    Model model = original;
    for (int code = kDragRotateX; code <= kDragScaleX + 2; ++code) {
        rotateSelection(model, state, code, 30, 10);
        moveSelection(model, state, code, 30, 10);
        scaleSelection(model, state, code, 30, 10);
    }
    extrudeMove(model, state, 30, 10);
    EXPECT_EQ(model, original);

    state.axisScreenX = state.axisScreenY = state.axisScreenZ = {60, 0};
    state.extrudeNormal = {0, 0, 1};
    rotateSelection(model, state, kDragMoveX, 30, 0);
    moveSelection(model, state, kDragScaleX, 30, 0);
    scaleSelection(model, state, kDragExtrude, 30, 0);
    EXPECT_EQ(model, original);

    for (Geoset& g : model.Geosets)
        for (Vertex& v : g.Vertices) v.selected = 0;
    const Model unselected = model;
    rotateSelection(model, state, kDragRotateX, 30, 0);
    moveSelection(model, state, kDragMoveX, 30, 0);
    scaleSelection(model, state, kDragScaleX, 30, 0);
    extrudeMove(model, state, 30, 0);
    EXPECT_EQ(model, unselected);  // the normals were not rebuilt either
}

TEST(ExtrudeMove, MovesTheSelectionAlongTheExtrudeNormal) {
    Model model = makeModel();
    AppState state;
    state.axisScreenZ = {0, -10};
    state.extrudeNormal = {0, 0.6f, 0.8f};
    extrudeMove(model, state, 0, -10);  // 10 px along a 10 px arrow: 15 units
    expectNear(model.Geosets[0].Vertices[0].position, {0, 10, 12});
    expectNear(model.Geosets[1].Vertices[0].position, {-2, 9, 12});
    expectNear(model.Geosets[0].Vertices[3].position, {5, 5, 5});
}

// A bone with linear Translation keys (0, 0, 0) at 0 and (10, 0, 0) at 1000, posed at 500.
struct NodeKeyFixture : ::testing::Test {
    NodeKeyFixture() {
        model = makeModel();
        VectorTrack& t = model.Bones[0].node.Translation;
        t.keys.resize(2);
        t.keys[1].time = 1000;
        t.keys[1].value = {10, 0, 0};
        computeNodeOrder(model);
        state.selectedNode = 0;
        state.currentTime = 500;
    }
    Model model;
    AppState state;
    testing::FakeHost host;
};

TEST_F(NodeKeyFixture, MoveInsertsAKeyFromTheEvaluatedValueAndThenModifiesIt) {
    state.axisScreenX = {60, 0};
    moveNodeKey(model, state, host, kDragMoveX, 30, 0);
    const VectorTrack& t = model.Bones[0].node.Translation;
    ASSERT_EQ(t.keys.size(), 3u);
    EXPECT_EQ(t.keys[1].time, 500);
    expectNear(t.keys[1].value, {12.5f, 0, 0});
    EXPECT_NEAR(model.Bones[0].node.worldMatrix[3], 12.5f, 1e-5f);  // re-posed at once
    EXPECT_EQ(host.animationBarRepaints, 1);

    moveNodeKey(model, state, host, kDragMoveX, 30, 0);
    ASSERT_EQ(t.keys.size(), 3u);
    expectNear(t.keys[1].value, {20, 0, 0});
}

TEST_F(NodeKeyFixture, RotateComposesTheTurnOnTheRightOfTheKeysQuaternion) {
    state.axisScreenZ = {20, 0};
    rotateNodeKey(model, state, host, kDragRotateX + 2, 20, 0);  // 20 px: one radian about Z
    QuatTrack& r = model.Bones[0].node.Rotation;
    ASSERT_EQ(r.keys.size(), 1u);
    EXPECT_EQ(r.keys[0].time, 500);
    const float s = std::sin(0.5f), c = std::cos(0.5f);
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(r.keys[0].value[k], (Quat{0, 0, s, c})[k], 1e-6f);
    EXPECT_EQ(host.animationBarRepaints, 1);

    r.keys[0].value = {s, 0, 0, c};  // one radian about X, then one about the turned Z
    rotateNodeKey(model, state, host, kDragRotateX + 2, 20, 0);
    const Quat expected{s * c, -s * s, s * c, c * c};
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(r.keys[0].value[k], expected[k], 1e-6f);

    r.keys[0].value = {0, 0, 0, 1};
    rotateNodeKey(model, state, host, kDragRotateX + 2, -20, 0);
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(r.keys[0].value[k], (Quat{0, 0, -s, c})[k], 1e-6f);
}

TEST_F(NodeKeyFixture, NoBoneOrNoAxisInsertsNoKey) {
    const Model original = model;
    moveNodeKey(model, state, host, kDragMoveX, 30, 0);  // axis vectors still zero
    rotateNodeKey(model, state, host, kDragRotateX, 30, 0);
    state.axisScreenX = {60, 0};
    moveNodeKey(model, state, host, kDragRotateX, 30, 0);
    rotateNodeKey(model, state, host, kDragMoveX, 30, 0);
    state.selectedNode = -1;
    moveNodeKey(model, state, host, kDragMoveX, 30, 0);
    state.selectedNode = 1;
    rotateNodeKey(model, state, host, kDragRotateX, 30, 0);
    EXPECT_EQ(model, original);
    EXPECT_EQ(host.animationBarRepaints, 0);
}

}  // namespace
}  // namespace tess

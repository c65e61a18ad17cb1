#include "editor/transform_tools.h"

#include <gtest/gtest.h>

#include <cmath>

#include "anim/node_order.h"
#include "common/fake_host.h"

namespace tess {
namespace {

void expectNear(const Vec3& actual, const Vec3& expected) {
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(actual[k], expected[k], 1e-5f) << "component " << k;
}

TEST(AxisDragAmount, ProjectsPixelsOntoTheAxisInUnitsOfFifteenPerAxisLength) {
    const struct {
        Vec2 axis, movement;
        float amount;
    } cases[] = {{{60, 0}, {30, 25}, 7.5f},  {{60, 0}, {-30, 0}, -7.5f}, {{10, 10}, {-1, 20}, 14.25f},
                 {{30, -40}, {30, -40}, 15}, {{30, -40}, {40, 30}, 0},   {{0, 0}, {30, 0}, 0}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(axisDragAmount(c.axis, c.movement), c.amount) << "case " << &c - cases;
}

// Geoset 0 (shown): a selected triangle and an unselected vertex (5, 5, 5); geoset 1 (hidden): one
// selected vertex (-2, 0, 0). Every normal is (1, 0, 0), which a recompute would not give. One bone,
// selected, with linear Translation keys (0, 0, 0) at 0 and (10, 0, 0) at 1000, posed at 500.
struct TransformTools : ::testing::Test {
    TransformTools() {
        model.Geosets.resize(2);
        const Vec3 positions[] = {{0, 1, 0}, {0, -1, 0}, {2, 0, 0}, {5, 5, 5}, {-2, 0, 0}};
        for (std::size_t i = 0; i < 5; ++i) {
            Vertex& v = model.Geosets[i / 4].Vertices.emplace_back();
            v.position = positions[i];
            v.normal = {1, 0, 0};
            v.selected = i != 3;
        }
        model.Geosets[0].corners = {0, 1, 2};
        model.Geosets[0].resetTriangleRecords();
        model.Geosets[1].shown = 0;
        VectorTrack& t = model.Bones.emplace_back().node.Translation;
        model.PivotPoints.push_back({0, 0, 0});
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

TEST_F(TransformTools, MoveShiftsSelectedVerticesOfEveryGeosetAlongTheCodesAxisAndRebuildsNormals) {
    state.axisScreenX = {60, 0};
    state.axisScreenY = {0, -60};
    moveSelection(model, state, kDragMoveX, 30, 0);
    moveSelection(model, state, kDragMoveX + 1, 0, 30);  // y grows downward: against the Y axis
    expectNear(model.Geosets[0].Vertices[0].position, {7.5f, -6.5f, 0});
    expectNear(model.Geosets[1].Vertices[0].position, {5.5f, -7.5f, 0});  // hidden geosets move too
    expectNear(model.Geosets[0].Vertices[0].normal, {0, 0, 1});

    state.axisScreenZ = {0, -10};  // the extrude arrow
    state.extrudeNormal = {0, 0.6f, 0.8f};
    extrudeMove(model, state, 0, -10);  // 10 px along a 10 px arrow: 15 units
    expectNear(model.Geosets[1].Vertices[0].position, {5.5f, 1.5f, 12});
    expectNear(model.Geosets[0].Vertices[3].position, {5, 5, 5});
}

TEST_F(TransformTools, ScaleByTwentyPixelsAlongDoublesAndAgainstHalvesDistancesFromTheCentroid) {
    model.Geosets.pop_back();
    state.axisScreenX = {40, 0};
    scaleSelection(model, state, kDragScaleX, 20, 0);
    const std::vector<Vertex>& v = model.Geosets[0].Vertices;
    EXPECT_NEAR(v[2].position[0], 10.0f / 3, 1e-5f);  // the centroid's x is 2/3
    EXPECT_EQ(v[0].position[1], 1.0f);
    EXPECT_EQ(v[3].position[0], 5.0f);  // not selected
    scaleSelection(model, state, kDragScaleX, -20, 0);
    EXPECT_NEAR(v[2].position[0], 2, 1e-5f);
    EXPECT_EQ(v[0].normal, (Vec3{1, 0, 0}));  // scaling keeps normals
}

TEST_F(TransformTools, RotateTurnsAboutTheCentroidByAmountOverThreeRadians) {
    model.Geosets[0].Vertices[2].selected = 0;
    model.Geosets[1].Vertices[0].position = {0, 3, 0};  // the centroid is (0, 1, 0)
    state.axisScreenZ = state.axisScreenX = {15, 0};
    rotateSelection(model, state, kDragRotateX + 2, 3, 0);  // |p| / |a| * 15 = 3: one radian
    const float s = std::sin(1.0f), c = std::cos(1.0f);
    expectNear(model.Geosets[1].Vertices[0].position, {2 * s, 1 + 2 * c, 0});
    expectNear(model.Geosets[0].Vertices[1].position, {-2 * s, 1 - 2 * c, 0});
    rotateSelection(model, state, kDragRotateX + 2, -3, 0);
    rotateSelection(model, state, kDragRotateX, 3, 0);  // about X: z turns towards y
    expectNear(model.Geosets[1].Vertices[0].position, {0, 1 + 2 * c, 2 * s});
    EXPECT_EQ(model.Geosets[0].Vertices[0].normal, (Vec3{1, 0, 0}));
}

TEST_F(TransformTools, ZeroAxisNoSelectionNoBoneOrAnotherToolsCodeChangeNothing) {
    const Model original = model;
    for (int code = kDragRotateX; code <= kDragExtrude; ++code) {  // every axis vector still (0, 0)
        rotateSelection(model, state, code, 30, 10);
        moveSelection(model, state, code, 30, 10);
        scaleSelection(model, state, code, 30, 10);
        rotateNodeKey(model, state, host, code, 30, 10);
        moveNodeKey(model, state, host, code, 30, 10);
    }
    extrudeMove(model, state, 30, 10);
    state.axisScreenX = state.axisScreenY = state.axisScreenZ = {60, 0};
    state.extrudeNormal = {0, 0, 1};
    rotateSelection(model, state, kDragMoveX, 30, 0);
    moveSelection(model, state, kDragScaleX, 30, 0);
    scaleSelection(model, state, kDragExtrude, 30, 0);
    moveNodeKey(model, state, host, kDragRotateX, 30, 0);
    rotateNodeKey(model, state, host, kDragMoveX, 30, 0);
    state.selectedNode = -1;
    moveNodeKey(model, state, host, kDragMoveX, 30, 0);
    state.selectedNode = 1;
    rotateNodeKey(model, state, host, kDragRotateX, 30, 0);
    EXPECT_EQ(model, original);
    EXPECT_EQ(host.animationBarRepaints, 0);

    for (Geoset& g : model.Geosets)
        for (Vertex& v : g.Vertices) v.selected = 0;
    const Model unselected = model;
    moveSelection(model, state, kDragMoveX, 30, 0);
    extrudeMove(model, state, 30, 0);
    EXPECT_EQ(model, unselected);  // the normals were not rebuilt either
}

TEST_F(TransformTools, MoveKeyInsertsAKeyFromTheEvaluatedValueAndThenModifiesIt) {
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

TEST_F(TransformTools, RotateKeyComposesTheTurnOnTheRightOfTheKeysQuaternion) {
    state.axisScreenZ = {20, 0};
    const float s = std::sin(0.5f), c = std::cos(0.5f);
    auto& keys = model.Bones[0].node.Rotation.keys;
    rotateNodeKey(model, state, host, kDragRotateX + 2, -20, 0);  // 20 px against Z: minus one radian
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].time, 500);
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(keys[0].value[k], (Quat{0, 0, -s, c})[k], 1e-6f) << k;
    EXPECT_EQ(host.animationBarRepaints, 1);

    keys[0].value = {s, 0, 0, c};  // one radian about X, then one about the turned Z
    rotateNodeKey(model, state, host, kDragRotateX + 2, 20, 0);
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(keys[0].value[k], (Quat{s * c, -s * s, s * c, c * c})[k], 1e-6f) << k;
}

}  // namespace
}  // namespace tess

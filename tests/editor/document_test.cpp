#include "editor/document.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "anim/node_order.h"
#include "anim/pose.h"
#include "common/fake_host.h"

namespace tess {
namespace {

TEST(Document, DefaultDocumentIsPreparedAtTheStartOfItsOnlySequence) {
    Model model;
    AppState state;
    testing::FakeHost host;
    buildDefaultDocument(model);
    prepareDocument(model, state, host);
    EXPECT_EQ(model.Name, "Untitled");
    ASSERT_EQ(model.Bones.size(), 1u);
    EXPECT_EQ(state.selectedNode, 0);
    EXPECT_EQ(state.rangeEnd, 1000);
    EXPECT_EQ(model.nodeOrder.size(), 1u);
    EXPECT_TRUE(host.messages.empty());
}

// A bone whose Z translation runs from 0 at time 0 to 1000 at time 10000 (0.1 per ms), and a
// vertex at the origin bound to it, so a pose at time t puts the vertex at (0, 0, t / 10).
Model rampModel() {
    Model model;
    Bone bone;
    bone.node.Translation.keys = {{0, {0, 0, 0}, {}, {}}, {10000, {0, 0, 1000}, {}, {}}};
    model.Bones.push_back(bone);
    model.PivotPoints.push_back({});
    Geoset& g = model.Geosets.emplace_back();
    g.Vertices.emplace_back();
    g.matrixGroups = {{0}};
    return model;
}

float posedZ(const Model& model) {
    return model.Geosets[0].Vertices[0].animatedPosition[2];
}

TEST(Document, PrepareRenumbersBonesAndPosesAtTheFirstSequencesStart) {
    Model model = rampModel();
    model.Bones.push_back(model.Bones[0]);
    model.Bones[0].node.ObjectId = 7;
    model.Bones[1].node.ObjectId = 3;
    Helper helper;
    helper.node.ObjectId = 5;
    model.Helpers.push_back(helper);
    Sequence first;
    first.IntervalStart = 3333;
    first.IntervalEnd = 4000;
    Sequence second;
    second.IntervalStart = 5000;
    second.IntervalEnd = 6000;
    model.Sequences = {first, second};
    AppState state;
    state.currentTool = ExtrudeTool;
    state.selectedNode = 1;
    state.allNodes = {4, 4, 4};
    testing::FakeHost host;

    prepareDocument(model, state, host);
    EXPECT_EQ(model.Bones[0].node.ObjectId, 0u);
    EXPECT_EQ(model.Bones[1].node.ObjectId, 1u);
    EXPECT_EQ(model.Helpers[0].node.ObjectId, 5u);
    EXPECT_EQ(state.currentTool, RotateTool);
    EXPECT_EQ(state.selectedNode, 0);
    EXPECT_EQ(state.allNodes, (std::vector<std::uint32_t>{0, 1}));
    EXPECT_EQ(model.nodeOrder.size(), 3u);
    EXPECT_EQ(state.rangeStart, 3333);
    EXPECT_EQ(state.rangeEnd, 4000);
    EXPECT_EQ(state.currentTime, 3333);
    EXPECT_FLOAT_EQ(posedZ(model), 333.3f);
    EXPECT_EQ(host.animationBarRepaints, 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST(Document, PrepareWithoutSequenceReportsAndUsesTheDefaultRange) {
    Model model = rampModel();
    AppState state;
    state.rangeStart = 200;
    state.rangeEnd = 300;
    state.currentTime = 250;
    testing::FakeHost host;
    prepareDocument(model, state, host);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Assertion failed (line 3667)");
    EXPECT_EQ(host.messages[0].caption, "Assertion failure");
    EXPECT_FALSE(host.messages[0].ownedByMainWindow);
    EXPECT_EQ(state.rangeStart, 0);
    EXPECT_EQ(state.rangeEnd, 1000);
    EXPECT_EQ(state.currentTime, 0);

    // Without bones nothing is selected.
    Model empty;
    empty.Sequences.emplace_back();
    prepareDocument(empty, state, host);
    EXPECT_EQ(state.selectedNode, -1);
    EXPECT_TRUE(state.allNodes.empty());
}

struct IdleFixture : ::testing::Test {
    IdleFixture() {
        model = rampModel();
        computeNodeOrder(model);
        state.editMode = EditMode::Animation;
        state.lastClock = 1000;
    }
    Model model;
    AppState state;
    testing::FakeHost host;
};

TEST_F(IdleFixture, RightArrowAdvancesByTheClockAndStopsAtTheRangeEnd) {
    state.keysDown[kKeyRight] = true;
    idlePass(model, state, host, 1250);
    EXPECT_EQ(state.currentTime, 250);
    EXPECT_EQ(state.lastClock, 1250);
    EXPECT_FLOAT_EQ(posedZ(model), 25);
    EXPECT_EQ(host.animationBarRepaints, 1);
    idlePass(model, state, host, 3000);
    EXPECT_EQ(state.currentTime, 1000);
    EXPECT_FLOAT_EQ(posedZ(model), 100);
    idlePass(model, state, host, 3100);
    EXPECT_EQ(state.currentTime, 1000);
}

TEST_F(IdleFixture, PlaybackStepsStayRightAcrossTheClockWrap) {
    state.keysDown[kKeyRight] = true;
    state.lastClock = INT32_MAX - 10;
    idlePass(model, state, host, INT32_MIN + 10);
    EXPECT_EQ(state.currentTime, 21);
}

TEST_F(IdleFixture, LeftArrowGoesBackAndStopsAtTheRangeStart) {
    state.rangeStart = 100;
    state.currentTime = 400;
    state.keysDown[kKeyLeft] = true;
    idlePass(model, state, host, 1200);
    EXPECT_EQ(state.currentTime, 200);
    idlePass(model, state, host, 1500);
    EXPECT_EQ(state.currentTime, 100);
    EXPECT_FLOAT_EQ(posedZ(model), 10);

    // Both arrows: the advance is clamped first, then the same step is taken back.
    state.currentTime = 900;
    state.keysDown[kKeyRight] = true;
    idlePass(model, state, host, 1700);
    EXPECT_EQ(state.currentTime, 800);
}

TEST_F(IdleFixture, WithoutArrowsOnlyTheClockMovesAndOtherModesDoNotPlay) {
    state.currentTime = 500;
    idlePass(model, state, host, 4000);
    EXPECT_EQ(state.currentTime, 500);
    EXPECT_EQ(state.lastClock, 4000);
    EXPECT_EQ(host.animationBarRepaints, 0);

    // Vertex mode puts the rest pose back and leaves time and clock alone.
    evaluateModel(model, 500);
    state.editMode = EditMode::Vertex;
    state.keysDown[kKeyRight] = true;
    idlePass(model, state, host, 5000);
    EXPECT_EQ(state.currentTime, 500);
    EXPECT_EQ(state.lastClock, 4000);
    EXPECT_FLOAT_EQ(posedZ(model), 0);

    // Triangle mode only draws: the pose stays as it was.
    evaluateModel(model, 500);
    state.editMode = EditMode::Triangle;
    idlePass(model, state, host, 6000);
    EXPECT_FLOAT_EQ(posedZ(model), 50);
    EXPECT_EQ(state.currentTime, 500);
}

TEST_F(IdleFixture, EscapeStopsAndAMinimisedWindowDrawsNothing) {
    IdleOutcome outcome = idlePass(model, state, host, 1000);
    EXPECT_TRUE(outcome.drawFrame);
    EXPECT_FALSE(outcome.stop);
    state.isActive = false;
    state.keysDown[kKeyEscape] = true;
    outcome = idlePass(model, state, host, 1000);
    EXPECT_FALSE(outcome.drawFrame);
    EXPECT_TRUE(outcome.stop);
}

}  // namespace
}  // namespace tess

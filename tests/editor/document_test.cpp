#include "editor/document.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <tuple>
#include <vector>

#include "anim/node_order.h"
#include "anim/pose.h"
#include "common/fake_host.h"

namespace tess {
namespace {

// A bone whose Z translation runs from 0 at time 0 to 1000 at time 10000 (0.1 per ms), and a
// vertex at the origin bound to it, so a pose at time t puts the vertex at (0, 0, t / 10).
Model rampModel() {
    Model model;
    model.Bones.emplace_back().node.Translation.keys = {{0, {0, 0, 0}, {}, {}},
                                                        {10000, {0, 0, 1000}, {}, {}}};
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
    model.Helpers.emplace_back().node.ObjectId = 5;
    model.Sequences = {{.Name = "First", .IntervalStart = 3333, .IntervalEnd = 4000},
                       {.Name = "Second", .IntervalStart = 5000, .IntervalEnd = 6000}};
    AppState state;
    state.currentTool = ExtrudeTool;
    state.selectedNode = 1;
    state.allNodes = {4, 4, 4};
    testing::FakeHost host;

    prepareDocument(model, state, host);
    EXPECT_EQ((std::array{model.Bones[0].node.ObjectId, model.Bones[1].node.ObjectId,
                          model.Helpers[0].node.ObjectId}),
              (std::array{0u, 1u, 5u}));
    EXPECT_EQ(state.currentTool, RotateTool);
    EXPECT_EQ(state.selectedNode, 0);
    EXPECT_EQ(state.allNodes, (std::vector<std::uint32_t>{0, 1}));
    EXPECT_EQ((std::array{state.rangeStart, state.rangeEnd, state.currentTime}),
              (std::array{3333, 4000, 3333}));
    EXPECT_FLOAT_EQ(posedZ(model), 333.3f);
    EXPECT_EQ(host.animationBarRepaints, 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST(Document, PrepareWithoutSequenceReportsAndUsesTheDefaultRangeUnlikeTheDefaultDocument) {
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
    EXPECT_EQ((std::array{state.rangeStart, state.rangeEnd, state.currentTime}), (std::array{0, 1000, 0}));

    // Without bones nothing is selected.
    Model empty;
    empty.Sequences.emplace_back();
    prepareDocument(empty, state, host);
    EXPECT_EQ(state.selectedNode, -1);
    EXPECT_TRUE(state.allNodes.empty());

    // The default document replaces what the model held and has all it needs.
    buildDefaultDocument(model);
    prepareDocument(model, state, host);
    EXPECT_EQ(model.Name, "Untitled");
    EXPECT_TRUE(model.Geosets.empty());
    EXPECT_EQ(state.selectedNode, 0);
    EXPECT_EQ(host.messages.size(), 1u);
}

struct IdleFixture : ::testing::Test {
    IdleFixture() {
        computeNodeOrder(model);
        state.editMode = EditMode::Animation;
    }
    Model model = rampModel();
    AppState state;
    testing::FakeHost host;
};

TEST_F(IdleFixture, ArrowsStepTheTimeByTheClockWithinTheRange) {
    // With both arrows the advance is clamped first, then the same step is taken back. The
    // step stays right across the wrap of the 32-bit millisecond clock, clamp included.
    const std::tuple<bool, bool, std::int32_t, std::int32_t, std::int32_t, std::int32_t> cases[] = {
        {true, false, 100, 1000, 1250, 350}, {true, false, 900, 1000, 3000, 1000},
        {false, true, 400, 1000, 1200, 200}, {false, true, 150, 1000, 1500, 100},
        {true, true, 900, 1500, 1700, 800},  {true, false, 990, INT32_MAX - 10, INT32_MIN + 10, 1000},
        {false, false, 500, 1000, 4000, 500}};
    state.rangeStart = 100;
    for (const auto& [right, left, from, lastClock, now, to] : cases) {
        state.keysDown[kKeyRight] = right;
        state.keysDown[kKeyLeft] = left;
        state.currentTime = from;
        state.lastClock = lastClock;
        testing::FakeHost rowHost;
        idlePass(model, state, rowHost, now);
        EXPECT_EQ(state.currentTime, to) << "from " << from << " at " << now;
        EXPECT_EQ(state.lastClock, now);
        EXPECT_EQ(rowHost.animationBarRepaints, int{right} + int{left});
        if (right || left) {
            EXPECT_FLOAT_EQ(posedZ(model), static_cast<float>(to) / 10);
        }
    }
}

TEST_F(IdleFixture, OtherModesDoNotPlayAndTheOutcomeFollowsEscapeAndMinimising) {
    state.keysDown[kKeyRight] = true;
    state.currentTime = 500;
    evaluateModel(model, 500);
    // Vertex mode puts the rest pose back and leaves time and clock alone.
    state.editMode = EditMode::Vertex;
    IdleOutcome outcome = idlePass(model, state, host, 5000);
    EXPECT_TRUE(outcome.drawFrame && !outcome.stop);
    EXPECT_EQ(state.lastClock, 0);
    EXPECT_FLOAT_EQ(posedZ(model), 0);

    // Triangle mode only draws: the pose stays as it was.
    evaluateModel(model, 500);
    state.editMode = EditMode::Triangle;
    state.isActive = false;
    state.keysDown[kKeyEscape] = true;
    outcome = idlePass(model, state, host, 6000);
    EXPECT_TRUE(!outcome.drawFrame && outcome.stop);
    EXPECT_FLOAT_EQ(posedZ(model), 50);
    EXPECT_EQ(state.currentTime, 500);
}

}  // namespace
}  // namespace tess

#include "editor/document.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "common/fake_host.h"

namespace tess {
namespace {

// A vertex bound to a bone whose Z translation runs 0.1 per ms: posed at t it is at (0, 0, t / 10).
struct DocumentTest : ::testing::Test {
    DocumentTest() {
        Model& model = document.model;
        model.Bones.emplace_back().node.Translation.keys = {{0, {0, 0, 0}, {}, {}},
                                                            {10000, {0, 0, 1000}, {}, {}}};
        model.Geosets.emplace_back().resizeVertices(1);
        model.Geosets[0].matrixGroups = {{0}};
    }
    float posedZ() const { return document.pose.animatedPositions.at(0).at(0)[2]; }
    Document document;
    AppState state;
    testing::FakeHost host;
};

TEST_F(DocumentTest, PrepareRenumbersSelectsTheFirstBoneClearsMarksAndPosesAtTheFirstSequencesStart) {
    Model& model = document.model;
    model.Bones.push_back(model.Bones[0]);
    model.Bones[0].node.ObjectId = 7;
    model.Bones[1].node.ObjectId = 3;
    model.Helpers.emplace_back().node.ObjectId = 5;
    model.Sequences = {{.Name = "First", .IntervalStart = 3333, .IntervalEnd = 4000},
                       {.Name = "Second", .IntervalStart = 5000}};
    document.selection = {{{{1}, {1}, {1, 1}}, {}}, {0, 0}};  // marks of another document
    document.screenPositions = {{{4, 4, 4}, {5, 5, 5}}};
    state.view.currentTool = Tool::Extrude;
    state.view.allNodes = {4, 4, 4};
    prepareDocument(document, state, host);
    EXPECT_EQ(
        std::tuple(model.Bones[0].node.ObjectId, model.Bones[1].node.ObjectId, model.Helpers[0].node.ObjectId,
                   state.view.currentTool, state.view.selectedNode, state.view.allNodes),
        std::tuple(0u, 1u, 5u, Tool::Rotate, 0, std::vector<std::uint32_t>{0, 1}));
    EXPECT_EQ(std::tuple(document.selection, document.screenPositions),
              std::tuple(Selection{{{{0}, {0}, {}}}, {1}}, ScreenPositions{{{0, 0, 0}}}));
    EXPECT_EQ(std::tuple(state.rangeStart, state.rangeEnd, state.currentTime), std::tuple(3333, 4000, 3333));
    EXPECT_EQ(std::tuple(posedZ(), host.animationBarRepaints, host.messages.size()),
              std::tuple(333.3f, 1, 0u));
    // Without a sequence: the assertion box and the range 0..1000; without bones nothing is selected.
    model.Sequences.clear();
    model.Bones.clear();
    prepareDocument(document, state, host);
    const testing::FakeHost::Message noSequence{"Assertion failed (line 3667)", "Assertion failure",
                                                MessageIcon::None, false};
    EXPECT_EQ(host.messages, std::vector{noSequence});
    EXPECT_EQ(std::tuple(state.rangeStart, state.rangeEnd, state.currentTime, state.view.selectedNode,
                         state.view.allNodes.size()),
              std::tuple(0, 1000, 0, -1, 0u));
    // The default document replaces what the model held and has all it needs.
    buildDefaultDocument(model);
    prepareDocument(document, state, host);
    EXPECT_EQ(std::tuple(model.Name, model.Geosets.size(), document.pose.animatedPositions.size(),
                         state.view.selectedNode, host.messages.size()),
              std::tuple("Untitled", 0u, 0u, 0, 1u));
    // Reports: only errors with a check number, as assertion boxes.
    Diagnostics reports;
    reports.error("parse error");
    reports.check(3501, Severity::Warning);
    reports.check(3309);
    showDiagnostics(host, reports);
    EXPECT_EQ(std::tuple(host.messages.size(), host.messages.back().text),
              std::tuple(2u, "Assertion failed (line 3309)"));
}

TEST_F(DocumentTest, IdlePassesPlayInAnimationModeResetInVertexModeAndFollowEscapeAndMinimising) {
    // Mode, keys (Right, Left, Escape; M: minimised), time, clock before and now, then time and posed
    // z. Arrows step by the clock within 100..1000, across the clock's wrap too.
    using enum EditMode;
    const std::tuple<EditMode, std::string, std::int32_t, std::int32_t, std::int32_t, std::int32_t, float>
        rows[] = {{Animation, "R", 100, 1000, 1250, 350, 35},
                  {Animation, "R", 900, 1000, 3000, 1000, 100},
                  {Animation, "L", 150, 1000, 1500, 100, 10},
                  {Animation, "RL", 900, 1500, 1700, 800, 80},
                  {Animation, "R", 990, INT32_MAX - 10, INT32_MIN + 10, 1000, 100},
                  {Vertex, "R", 500, 1000, 5000, 500, 0},
                  {Animation, "R", 500, 6000, 6000, 500, 50},
                  {Triangle, "RME", 500, 1000, 7000, 500, 50}};
    state.rangeStart = 100;
    for (const auto& [mode, keys, from, clock, now, to, z] : rows) {
        const auto held = [&](char key) { return keys.find(key) != std::string::npos; };
        std::tie(state.view.editMode, state.isActive, state.currentTime, state.lastClock) =
            std::tuple(mode, !held('M'), from, clock);
        std::tie(state.keysDown[kKeyRight], state.keysDown[kKeyLeft], state.keysDown[kKeyEscape]) =
            std::tuple(held('R'), held('L'), held('E'));
        const int repaints = host.animationBarRepaints;
        const IdleOutcome outcome = idlePass(document, state, host, now);
        const int playing = mode == Animation ? held('R') + held('L') : 0;
        EXPECT_EQ(std::tuple(state.currentTime, state.lastClock, host.animationBarRepaints - repaints,
                             outcome.drawFrame, outcome.stop),
                  std::tuple(to, mode == Animation ? now : clock, playing, !held('M'), held('E')))
            << keys << " from " << from;
        EXPECT_NEAR(posedZ(), z, 1e-4) << keys << " from " << from;
    }
}

}  // namespace
}  // namespace tess

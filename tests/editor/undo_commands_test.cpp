#include "editor/undo_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/fake_host.h"
#include "common/temp_dir.h"
#include "editor/dialog_commands.h"
#include "editor/dialog_forms.h"
#include "editor/mesh_documents.h"
#include "editor/sequence_list.h"
#include "mdx/mdx_writer.h"

namespace tess {
namespace {

struct StillViewport : Viewport {
    bool pickHandle(std::int32_t, std::int32_t, DragState& code) override { return (code = grab), true; }
    void projectionChanged() override {}
    void reloadTextures() override {}
    DragState grab = DragState::Idle;
};

// The start document with a quad (corners 0 1 2, 2 1 3), vertices 0 and 1 and both triangles selected, Linear
// Rotation keys at 0 and 200 on "Root", the gizmo's axes drawn.
struct Bench {
    Bench() {
        buildDefaultDocument(document.model);
        document.model.Geosets = {testing::lineGeoset(4, {0, 1, 2, 2, 1, 3})};
        document.model.Bones[0].node.Rotation.keys = {{0, {0, 0, 0, 1}, {}, {}}, {200, {0, 0, 1, 0}, {}, {}}};
        prepareDocument(document, state, host);
        document.selection.geosets[0].vertices = {1, 1, 0, 0};
        document.selection.geosets[0].triangles = {1, 1};
        state.gizmo = {{15, 0}, {0, 15}, {15, 15}, {0, 0, 1}};
        host.primitiveDialog = [](PrimitiveParameters&) { return 1; };
        host.sequencesDialog = [](SequenceList& list) {  // a renamed sequence, a sequence added
            list.apply({"Run", "0", "1000", "0", true});
            return list.add(), 2;
        };
    }
    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> out;
        return writeMdx(document.model, out), out;
    }
    Document document;
    AppState state;
    testing::FakeHost host;
    StillViewport viewport;
    Editor editor{document, state, host, viewport};
};

using Status = testing::FakeHost::Status;
constexpr int kCtrl = 0x1000;

// Runs a command, or a key (below 40000, kCtrl added for Control).
void run(Bench& b, int input) {
    b.state.keysDown[kKeyControl] = input >= kCtrl && input < 40000;
    input < 40000 ? handleKeyDown(b.editor, input % kCtrl) : void(handleCommand(b.editor, input));
    b.state.keysDown[kKeyControl] = false;
}

TEST(UndoCommands, EveryEditUndoesToTheExactModelAndSelectionAndRedoesToTheEditedModel) {
    using namespace command;
    const std::tuple<EditMode, int, const char*> edits[] = {
        {EditMode::Vertex, kDeleteVertices, "Delete"},
        {EditMode::Vertex, 'W', "Weld"},
        {EditMode::Triangle, kFlip, "Flip"},
        {EditMode::Triangle, 0x2E, "Delete"},
        {EditMode::Triangle, kTurnEdge, "Turn Edge"},
        {EditMode::Animation, kZeroKeyframe, "Zero Keyframe"},
        {EditMode::Animation, kCtrl + 'L', "Make Linear"},
        {EditMode::Vertex, kBox, "Box"},
        {EditMode::Vertex, kSequences, "Sequences"}};
    for (const auto& [mode, input, label] : edits) {
        SCOPED_TRACE(label);
        Bench b;
        b.state.view.editMode = mode;
        if (input == kCtrl + 'L') {
            b.document.model.Bones[0].node.Rotation.interpolationType = Bezier;
            b.document.history.reset(b.document);
            b.host.yesNoReplies = {true};
        }
        const auto before = b.bytes();
        const Selection selection = b.document.selection;
        run(b, input);
        const auto edited = b.bytes();
        ASSERT_NE(edited, before);
        EXPECT_EQ(b.host.status, (Status{"Tessarine 0.80 - Untitled*", std::string("&Undo ") + label, true,
                                         "&Redo", false}));
        run(b, kCtrl + 'Z');
        EXPECT_EQ(b.bytes(), before);
        EXPECT_EQ(b.document.selection, selection);
        EXPECT_EQ(b.host.status,
                  (Status{"Tessarine 0.80", "&Undo", false, std::string("&Redo ") + label, true}));
        b.state.keysDown[kKeyShift] = true;
        run(b, kCtrl + 'Z');
        EXPECT_EQ(b.bytes(), edited);
        b.state.keysDown[kKeyShift] = false;
        run(b, kCtrl + 'Z');
        run(b, kCtrl + 'Y');
        EXPECT_EQ(b.bytes(), edited);
    }
}

TEST(UndoCommands, AWholeDragIsOneStepAndANewEditDropsTheRedoSteps) {
    for (const auto& [grab, label] : {std::pair(DragState::MoveX, "Move"), {DragState::ScaleY, "Scale"}}) {
        Bench b;
        b.state.view.editMode = EditMode::Vertex;
        b.viewport.grab = grab;
        handleCommand(b.editor, command::kFlip);
        const auto before = b.bytes();
        onLeftButtonDown(b.editor, 0, 0);
        b.document.selection.geosets[0].vertices = {1, 1, 1, 0};  // undo brings back the one it began with
        for (int i = 1; i <= 20; ++i) onMouseMove(b.editor, 3 * i, 3 * i);
        handleCommand(b.editor, command::kUndo);  // ignored mid-drag: the Flip stays
        onButtonUp(b.editor, 60, 60);
        EXPECT_EQ(b.host.status.undoText, std::string("&Undo ") + label);
        handleCommand(b.editor, command::kUndo);
        EXPECT_EQ(b.bytes(), before);
        EXPECT_EQ(b.document.selection.geosets[0].vertices, (testing::Flags{1, 1, 0, 0}));
        EXPECT_EQ(b.host.status.undoText, "&Undo Flip");
        handleCommand(b.editor, command::kFlip);
        EXPECT_FALSE(b.document.history.canRedo());
    }
}

TEST(UndoCommands, UndoingAPrimitiveThatAddedTheRootBoneEmptiesTheBoneList) {
    Bench b;
    b.document.model.Bones.clear();
    prepareDocument(b.document, b.state, b.host);
    handleCommand(b.editor, command::kPlane);
    handleCommand(b.editor, command::kUndo);
    EXPECT_EQ(std::pair(b.state.view.allNodes.size(), b.state.view.selectedNode),
              std::pair(std::size_t{0}, -1));
}

TEST(UndoCommands, AnimationRangeOkMovesATimeOutsideTheRangeCancelChangesNothingNeitherIsAStep) {
    Bench b;
    b.document.model.Sequences = {
        {"Stand", 0, 1000}, {"Walk", 1000, 2000}, {"Walk", 3000, 4000}, {"Idle", 0, 1000}};
    AnimationRangeForm form = animationRangeForm(b.document.model, b.state);
    chooseRangeLine(form, 1);
    chooseRangeLine(form, 4);
    EXPECT_EQ(std::tuple(animationRangeForm(b.document.model, b.state).selected, form.selected, form.start,
                         form.end),
              std::tuple(3, 1, "3000", "4000"));

    const std::tuple<int, const char*, const char*, std::int32_t, std::int32_t, std::int32_t> cases[] = {
        {1, "600", "900", 600, 900, 600},
        {1, "0", "800", 0, 800, 500},
        {1, "2000", "100", 100, 2000, 500},
        {1, "x", "-1e3", -1, 0, -1},
        {1, "99999999999", "9", 9, 2147483647, 500},
        {2, "600", "900", 0, 1000, 500}};
    for (const auto& [reply, start, end, rangeStart, rangeEnd, time] : cases) {
        b.state.rangeStart = 0, b.state.rangeEnd = 1000, b.state.currentTime = 500;
        b.host.rangeDialog = [&](AnimationRangeForm& f) { return f.start = start, f.end = end, reply; };
        const int repaints = b.host.animationBarRepaints;
        editAnimationRange(b.editor);
        EXPECT_EQ(std::tuple(b.state.rangeStart, b.state.rangeEnd, b.state.currentTime,
                             b.host.animationBarRepaints),
                  std::tuple(rangeStart, rangeEnd, time, repaints + 1 + (time != 500)))
            << start << " " << end;
    }
    EXPECT_FALSE(b.document.history.canUndo());
    b.state.rangeStart = -100;  // shown signed, so that it reads back as it was
    EXPECT_EQ(animationRangeForm(b.document.model, b.state).start, "-100");
}

TEST(UndoCommands, OpenAsksAboutUnsavedChangesAndEachAnswerDoesWhatItSays) {
    testing::TempDir folder;
    const std::string saved = folder.file("kept.mdx");
    // reply, file names offered, file dialogs expected, whether the open goes on
    const std::tuple<SaveChoice, std::deque<std::optional<std::string>>, int, bool> cases[] = {
        {SaveChoice::Cancel, {}, 0, false},
        {SaveChoice::Discard, {}, 1, true},
        {SaveChoice::Save, {std::nullopt}, 1, false},
        {SaveChoice::Save, {folder.path()}, 1, false},  // a directory: the save fails
        {SaveChoice::Save, {saved}, 2, true}};
    for (const auto& [reply, names, dialogs, goesOn] : cases) {
        Bench b;
        handleCommand(b.editor, command::kFlip);
        const auto edited = b.bytes();
        b.host.saveReplies = {reply};
        b.host.fileNames = names;
        handleCommand(b.editor, command::kOpen);
        EXPECT_EQ(b.host.questions.back().text, "Save changes to Untitled?");
        EXPECT_EQ(b.host.fileDialogs, dialogs);
        EXPECT_EQ(b.bytes(), edited);
        EXPECT_EQ(b.document.history.modified(), reply != SaveChoice::Save || !goesOn);
        EXPECT_TRUE(b.document.history.canUndo());
        EXPECT_EQ(b.host.status.title, reply == SaveChoice::Save && goesOn ? "Tessarine 0.80 - kept.mdx"
                                                                           : "Tessarine 0.80 - Untitled*");
    }
    EXPECT_TRUE(std::filesystem::exists(saved));  // and the last case's title named it without a mark
    Bench clean;                                  // unmodified: nothing is asked
    EXPECT_TRUE(mayDiscardChanges(clean.editor) && clean.host.questions.empty());
}

}  // namespace
}  // namespace tess

#include "editor/dialog_commands.h"

#include <gtest/gtest.h>

#include "common/fake_host.h"
#include "editor/dialog_forms.h"
#include "editor/mesh_documents.h"
#include "editor/sequence_list.h"
#include "mdx/mdx_writer.h"

namespace tess {
namespace {

struct NoViewport : Viewport {
    bool pickHandle(std::int32_t, std::int32_t, DragState&) override { return false; }
    void projectionChanged() override {}
    void reloadTextures() override {}
};

// The start document with three geosets, the second hidden, vertex 1 of the first selected.
struct Bench {
    Bench() {
        buildDefaultDocument(document.model);
        document.model.Geosets.assign(3, testing::lineGeoset(2, {}));
        prepareDocument(document, state, host);
        document.selection.shown[1] = 0;
        document.selection.geosets[0].vertices = {0, 1};
    }
    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> out;
        return writeMdx(document.model, out), out;
    }
    Document document;
    AppState state;
    testing::FakeHost host;
    NoViewport viewport;
    Editor editor{document, state, host, viewport};
};

TEST(SequenceList, AddNamesAndPlacesDeleteKeepsALineSelectedApplyStoresOnlyEditedFields) {
    std::vector<Sequence> none, some = {{"Untitled 2", 0, 1000}, {"Untitled 1", 2000, 3333}};
    SequenceList empty(none), list(some);
    empty.add();
    list.add();
    EXPECT_EQ(std::tuple(none[0].Name, none[0].IntervalStart, none[0].IntervalEnd),
              std::tuple("Untitled 1", 0u, 1000u));
    EXPECT_EQ(std::tuple(some[2].Name, some[2].IntervalStart, some[2].IntervalEnd, list.selected()),
              std::tuple("Untitled 3", 4000u, 5000u, 2));
    list.select(-1);  // a click on empty space
    list.select(3);
    EXPECT_EQ(list.selected(), 2);

    list.select(1);
    some[1].Rarity = 2.5f;
    some[1].flags = 2;
    EXPECT_EQ(list.shown(), (SequenceTexts{"Untitled 1", "2000", "3333", "2", true}));
    list.apply({"Walk", "2000", "3333", "2", true});  // only the name edited
    EXPECT_EQ(std::tuple(some[1].Name, some[1].Rarity, some[1].flags), std::tuple("Walk", 2.5f, 2u));
    list.apply({"Walk", " -5", "99999999999", "7.9x", false});
    EXPECT_EQ(std::tuple(some[1].IntervalStart, some[1].IntervalEnd, some[1].Rarity, some[1].flags),
              std::tuple(0u, 4294967295u, 7.0f, 1u));

    list.remove();  // line 1: line 0 follows
    list.remove();  // line 0: the new line 0 follows
    EXPECT_EQ(std::pair(list.names(), list.selected()), std::pair(std::vector<std::string>{"Untitled 3"}, 0));
    list.remove();
    EXPECT_TRUE(some.empty() && !list.hasSelection() && list.shown() == SequenceTexts{});
    list.apply({"Lost", "1", "2", "3", true});
    list.remove();
    EXPECT_TRUE(some.empty());
}

TEST(DialogCommands, ASequencesSessionIsOneUndoStepThatKeepsTheSelection) {
    Bench b;
    const Selection selection = b.document.selection;
    handleCommand(b.editor, command::kSequences);  // looked at, nothing changed: no step
    EXPECT_FALSE(b.document.history.canUndo());
    const auto before = b.bytes();
    b.host.sequencesDialog = [](SequenceList& list) {
        list.add();
        list.apply({"Run", "4000", "4500", "0", false});
        list.select(0);
        list.remove();
        return 2;
    };
    handleCommand(b.editor, command::kSequences);
    const auto edited = b.bytes();
    ASSERT_EQ(b.document.model.Sequences.size(), 1u);
    EXPECT_EQ(b.document.model.Sequences[0].Name, "Run");
    EXPECT_EQ(b.host.status.undoText, "&Undo Sequences");
    handleCommand(b.editor, command::kUndo);
    EXPECT_EQ(std::pair(b.bytes(), b.document.selection), std::pair(before, selection));
    handleCommand(b.editor, command::kRedo);
    EXPECT_EQ(b.bytes(), edited);
}

TEST(DialogCommands, AnimationRangeFormAndOkMoveATimeOutsideTheRangeCancelChangesNothing) {
    Bench b;
    b.document.model.Sequences = {
        {"Stand", 0, 1000}, {"Walk", 1000, 2000}, {"Walk", 3000, 4000}, {"Idle", 0, 1000}};
    b.state.rangeStart = -100;
    AnimationRangeForm form = animationRangeForm(b.document.model, b.state);
    EXPECT_EQ(std::tuple(form.selected, form.start, form.end), std::tuple(-1, "-100", "1000"));
    b.state.rangeStart = 0;
    form = animationRangeForm(b.document.model, b.state);
    chooseRangeLine(form, 1);
    EXPECT_EQ(std::tuple(form.selected, form.start, form.end, form.lines[3].name),
              std::tuple(1, "3000", "4000", "Idle"));
    chooseRangeLine(form, 4);
    EXPECT_EQ(std::tuple(form.selected, form.start), std::tuple(1, "3000"));
    EXPECT_EQ(animationRangeForm(b.document.model, b.state).selected, 3);

    const std::tuple<int, const char*, const char*, std::int32_t, std::int32_t, std::int32_t> cases[] = {
        {1, "600", "900", 600, 900, 600},
        {1, "0", "800", 0, 800, 500},
        {1, "2000", "100", 100, 2000, 500},
        {1, "x", "-1e3", -1, 0, -1},
        {1, "99999999999", "9", 9, 2147483647, 500},
        {2, "600", "900", 0, 1000, 500}};
    for (const auto& [reply, start, end, rangeStart, rangeEnd, time] : cases) {
        b.state.rangeStart = 0, b.state.rangeEnd = 1000, b.state.currentTime = 500;
        b.host.animationRangeDialog = [&](AnimationRangeForm& f) {
            return f.start = start, f.end = end, reply;
        };
        const int repaints = b.host.animationBarRepaints;
        editAnimationRange(b.editor);
        EXPECT_EQ(std::tuple(b.state.rangeStart, b.state.rangeEnd, b.state.currentTime,
                             b.host.animationBarRepaints),
                  std::tuple(rangeStart, rangeEnd, time, repaints + 1 + (time != 500)))
            << start << " " << end;
    }
}

TEST(DialogCommands, VisibilityOkSetsTheShownFlagsCancelRestoresThemTheSelectionStays) {
    Bench b;
    const Selection selection = b.document.selection;
    for (const int reply : {2, 1}) {
        b.host.visibilityDialog = [reply](VisibilityForm& form) {
            EXPECT_EQ(form.lines, (std::vector<std::string>{"Geoset 1", "Geoset 2", "Geoset 3"}));
            EXPECT_EQ(form.shown, (testing::Flags{1, 0, 1}));
            return form.shown = {0, 1, 1}, reply;
        };
        editVisibility(b.editor);
    }
    EXPECT_EQ(b.document.selection.shown, (testing::Flags{0, 1, 1}));
    EXPECT_EQ(b.document.selection.geosets, selection.geosets);
    EXPECT_FALSE(b.document.history.canUndo());
}

}  // namespace
}  // namespace tess

#include "editor/dialog_commands.h"

#include <gtest/gtest.h>

#include "common/fake_host.h"
#include "editor/dialog_forms.h"
#include "editor/sequence_list.h"

namespace tess {
namespace {

struct NoViewport : Viewport {
    bool pickHandle(std::int32_t, std::int32_t, DragState&) override { return false; }
    void projectionChanged() override {}
    void reloadTextures() override {}
};

struct Bench {
    Bench() { prepareDocument(document, state, host); }
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
    EXPECT_EQ(list.shown().name, "Untitled 2");
    for (int i = 0; i < 2; ++i) list.remove();
    list.apply({"Lost", "1", "2", "3", true});
    list.remove();
    EXPECT_TRUE(some.empty() && !list.hasSelection() && list.shown() == SequenceTexts{});
}

TEST(DialogCommands, AnimationRangeFormAndOkMoveATimeOutsideTheRangeCancelChangesNothing) {
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
    b.state.rangeStart = -100;  // shown signed, so that it reads back as it was
    EXPECT_EQ(animationRangeForm(b.document.model, b.state).start, "-100");
}

}  // namespace
}  // namespace tess

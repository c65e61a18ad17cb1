#include "editor/sequence_list.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

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

}  // namespace
}  // namespace tess

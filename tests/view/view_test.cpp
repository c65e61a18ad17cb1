#include "view/view.h"

#include <gtest/gtest.h>

#include "view/selection.h"

namespace tess {
namespace {

template <class Enum, class NameOf, class Parse>
void expectTableRoundTrips(int count, NameOf nameOf, Parse parse) {
    for (int i = 0; i < count; ++i) {
        const auto value = static_cast<Enum>(i);
        ASSERT_FALSE(nameOf(value).empty()) << i;
        EXPECT_EQ(parse(nameOf(value)), value) << nameOf(value);
    }
    EXPECT_EQ(nameOf(static_cast<Enum>(count)), "");
    EXPECT_EQ(nameOf(static_cast<Enum>(-1)), "");
    EXPECT_FALSE(parse("nonsense").has_value());
}

TEST(ViewNames, EveryTableRoundTripsAndRejectsOthers) {
    expectTableRoundTrips<EditMode>(4, editModeName, parseEditMode);
    expectTableRoundTrips<Tool>(4, toolName, parseTool);
    expectTableRoundTrips<ViewType>(7, viewTypeName, parseViewType);
    expectTableRoundTrips<DragState>(14, dragStateName, parseDragState);
    EXPECT_EQ(viewTypeName(ViewType::Top), "Top");
    EXPECT_EQ(dragStateName(DragState::ScaleZ), "ScaleZ");
}

TEST(Selection, FitKeepsFlagsAndSizesNewEntriesUnselectedAndShown) {
    Model model;
    model.Geosets.resize(1);
    model.Geosets[0].resizeVertices(2);
    model.Geosets[0].corners = {0, 1, 1};
    Selection selection;
    selection.fit(model);
    selection.geosets[0].vertices[1] = 1;
    selection.shown[0] = 0;

    model.Geosets[0].resizeVertices(3);
    model.Geosets[0].corners.insert(model.Geosets[0].corners.end(), {2, 1, 0});
    model.Geosets.emplace_back().resizeVertices(1);
    selection.fit(model);
    EXPECT_EQ(selection.geosets[0].vertices, (std::vector<std::uint8_t>{0, 1, 0}));
    EXPECT_EQ(selection.geosets[0].uvs.size(), 3u);
    EXPECT_EQ(selection.geosets[0].triangles.size(), 2u);
    EXPECT_EQ(selection.shown, (std::vector<std::uint8_t>{0, 1}));
    EXPECT_FALSE(selection.isShown(0));
    EXPECT_FALSE(selection.isShown(7));

    selection.reset(model);
    EXPECT_EQ(selection.geosets[0].vertices, (std::vector<std::uint8_t>{0, 0, 0}));
    EXPECT_EQ(selection.shown, (std::vector<std::uint8_t>{1, 1}));
}

}  // namespace
}  // namespace tess

#include "editor/animation_bar_layout.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace tess {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// A 603 x 40 bar: timeline x 200 to 600 (400 pixels), y 3 to 37.
TEST(AnimationBarLayout, TimesAndPixelsMapProportionallyTruncatingTowardZeroAndNeverDivideByZero) {
    struct Case {
        std::int32_t width, start, end, time, xOfTime, x, timeAtX;
    };
    const Case cases[] = {
        {603, 0, 1000, 3, 201, 201, 2},                      // 1.2 -> 1 pixel, 2.5 -> 2 ms
        {603, 0, 1000, -3, 199, 199, -2},                    // -1.2 -> -1, -2.5 -> -2
        {603, 500, 500, 700, 200, 450, 500},                 // zero-length range: left edge, range start
        {150, 0, 1000, 700, 200, 300, 0},                    // a bar without room for a timeline
        {603, kMin, kMax, kMax, 600, 201, kMin + 10737418},  // the widest range: exact
        {603, 0, 1, kMin, kMin, 199, 0},                     // far outside: saturated
        {603, 0, kMax, 0, 200, kMax, kMax},
    };
    for (const Case& c : cases) {
        const Timeline timeline = timelineOf(c.width, 40, c.start, c.end);
        EXPECT_EQ(xOfTime(timeline, c.time), c.xOfTime) << c.width << " " << c.start << "-" << c.end;
        EXPECT_EQ(timeAtX(timeline, c.x), c.timeAtX) << c.width << " " << c.start << "-" << c.end;
    }
}

// Rotation keys outside the range are skipped, the ones at its ends clipped to the timeline;
// translation keys get the lower row; without a selected bone there are no marks.
TEST(AnimationBarLayout, KeyMarksOfTheSelectedBoneInTheRangeClippedAtTheEdges) {
    Model model;
    Node& node = model.Bones.emplace_back().node;
    for (const std::int32_t time : {-1, 0, 500, 1000, 1001}) node.Rotation.keys.push_back({time, {}, {}, {}});
    node.Translation.keys.push_back({1000, {}, {}, {}});
    const Timeline timeline = timelineOf(603, 40, 0, 1000);
    const KeyMarks marks = keyMarksOf(timeline, model, 0);
    EXPECT_EQ(marks.rotation,
              (std::vector<BarRect>{{200, 4, 204, 11}, {396, 4, 404, 11}, {596, 4, 600, 11}}));
    EXPECT_EQ(marks.translation, (std::vector<BarRect>{{596, 15, 600, 22}}));
    for (const std::int32_t none : {-1, 1})
        EXPECT_EQ(keyMarksOf(timeline, model, none).rotation.size() +
                      keyMarksOf(timeline, model, none).translation.size(),
                  0u);
}

// The hit boxes: left - 15 < x < left - 3, rows [2, 11), [13, 22), [24, 33).
TEST(AnimationBarLayout, SwitchHitBoxes) {
    const Timeline timeline = timelineOf(603, 40, 0, 1000);
    const std::tuple<std::int32_t, std::int32_t, std::optional<KeySwitch>> cases[] = {
        {186, 2, KeySwitch::Rotation}, {196, 21, KeySwitch::Translation},
        {190, 32, KeySwitch::Scaling}, {185, 5, std::nullopt},
        {197, 5, std::nullopt},        {190, 11, std::nullopt},
        {190, 12, std::nullopt},       {190, 33, std::nullopt},
        {190, 1, std::nullopt}};
    for (const auto& [x, y, which] : cases) EXPECT_EQ(switchAt(timeline, x, y), which) << x << "," << y;
}

}  // namespace
}  // namespace tess

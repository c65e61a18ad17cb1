#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "editor/commands.h"

namespace tess {

// The animation bar's arithmetic: where its timeline, switches and key marks lie, which
// time a pixel stands for, and what a click does. Positions are the bar's client pixels
// (origin at its top left, y downward); the toolkit widget only paints what this computes
// and forwards its clicks here.

inline constexpr std::int32_t kAnimationBarHeight = 40;

// A rectangle as the bar fills it: left and top inclusive, right and bottom exclusive.
struct BarRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const BarRect&, const BarRect&) = default;
};

struct BarColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const BarColour&, const BarColour&) = default;
};

inline constexpr BarColour kTimelineColour{255, 255, 255};
inline constexpr BarColour kRotationMarkColour{255, 100, 100};
inline constexpr BarColour kTranslationMarkColour{100, 255, 100};

// The three switches choosing which tracks the keyframe commands act on.
enum class KeySwitch { Rotation, Translation, Scaling };
inline constexpr KeySwitch kKeySwitches[] = {KeySwitch::Rotation, KeySwitch::Translation, KeySwitch::Scaling};

// The timeline of a bar of `width` x `height` pixels showing the range [rangeStart,
// rangeEnd]: left 200, top 3, right width - 3, bottom height - 3. In a bar too small for
// it, right stays at left (a timeline of no width) and bottom at top.
struct Timeline {
    BarRect rect;
    std::int32_t rangeStart = 0;
    std::int32_t rangeEnd = 0;
};
Timeline timelineOf(std::int32_t width, std::int32_t height, std::int32_t rangeStart, std::int32_t rangeEnd);

// The x of `time`: left + width * (time - rangeStart) / (rangeEnd - rangeStart), the
// division truncating toward zero, exact for any inputs and saturated to the i32 range.
// The left edge when the range has zero length or the timeline no width.
std::int32_t xOfTime(const Timeline& timeline, std::int32_t time);
// The time at `x`: rangeStart + (x - left) * (rangeEnd - rangeStart) / width, likewise;
// rangeStart when the range has zero length or the timeline no width.
std::int32_t timeAtX(const Timeline& timeline, std::int32_t x);

// The switch's box as drawn, and its colour when on or off.
BarRect switchBox(const Timeline& timeline, KeySwitch which);
BarColour switchColour(KeySwitch which, bool on);
// The switch whose hit box holds (x, y): left - 15 < x < left - 3, and y in [2, 11)
// rotation, [13, 22) translation, [24, 33) scaling.
std::optional<KeySwitch> switchAt(const Timeline& timeline, std::int32_t x, std::int32_t y);
bool& keySwitchFlag(AppState& state, KeySwitch which);

// The marks of the selected bone's rotation and translation keys that lie in the range,
// in key order: 8 pixels wide around the key's x, clipped to the timeline's sides. None
// when no bone is selected (`selectedNode` -1 or past the bones).
struct KeyMarks {
    std::vector<BarRect> rotation;
    std::vector<BarRect> translation;
};
KeyMarks keyMarksOf(const Timeline& timeline, const Model& model, std::int32_t selectedNode);

// A left-button press at (x, y) on a bar of `width` x `height`. On the timeline (left <= x
// <= right) at a time inside the range it sets the current time (setCurrentTime: store,
// pose, repaint the bar). On a switch's hit box it toggles that switch and returns true:
// the bar must then be repainted.
bool clickAnimationBar(Editor& editor, std::int32_t width, std::int32_t height, std::int32_t x,
                       std::int32_t y);

}  // namespace tess

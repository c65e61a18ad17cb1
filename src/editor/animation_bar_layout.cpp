#include "editor/animation_bar_layout.h"

#include <algorithm>
#include <limits>

namespace tess {

namespace {

constexpr std::int32_t kTimelineLeft = 200;
constexpr std::int32_t kTimelineMargin = 3;
constexpr std::int32_t kSwitchLeft = 15;  // pixels left of the timeline
constexpr std::int32_t kSwitchRight = 3;  // pixels left of the timeline
constexpr std::int32_t kMarkHalfWidth = 4;

// Products of two i32 differences need 65 bits; 128 keep every step exact.
__extension__ using Wide = __int128;

std::int32_t saturated(Wide value) {
    return static_cast<std::int32_t>(std::clamp<Wide>(value, std::numeric_limits<std::int32_t>::min(),
                                                      std::numeric_limits<std::int32_t>::max()));
}

// offset + a * b / divisor, the division truncating toward zero; `offset` when divisor is 0.
std::int32_t scaled(std::int32_t offset, Wide a, Wide b, Wide divisor) {
    if (divisor == 0) return offset;
    return saturated(offset + a * b / divisor);
}

bool selectedBone(const Model& model, std::int32_t selectedNode) {
    return selectedNode >= 0 && static_cast<std::size_t>(selectedNode) < model.Bones.size();
}

template <class Keys>
std::vector<BarRect> marksOf(const Timeline& timeline, const Keys& keys, std::int32_t top,
                             std::int32_t bottom) {
    std::vector<BarRect> marks;
    for (const auto& key : keys) {
        if (key.time < timeline.rangeStart || key.time > timeline.rangeEnd) continue;
        const std::int32_t x = xOfTime(timeline, key.time);
        marks.push_back({std::max(x - kMarkHalfWidth, timeline.rect.left), top,
                         std::min(x + kMarkHalfWidth, timeline.rect.right), bottom});
    }
    return marks;
}

}  // namespace

Timeline timelineOf(std::int32_t width, std::int32_t height, std::int32_t rangeStart, std::int32_t rangeEnd) {
    const std::int32_t right = std::max(width - kTimelineMargin, kTimelineLeft);
    const std::int32_t bottom = std::max(height - kTimelineMargin, kTimelineMargin);
    return {{kTimelineLeft, kTimelineMargin, right, bottom}, rangeStart, rangeEnd};
}

std::int32_t xOfTime(const Timeline& timeline, std::int32_t time) {
    const BarRect& rect = timeline.rect;
    return scaled(rect.left, Wide{rect.right} - rect.left, Wide{time} - timeline.rangeStart,
                  Wide{timeline.rangeEnd} - timeline.rangeStart);
}

std::int32_t timeAtX(const Timeline& timeline, std::int32_t x) {
    const BarRect& rect = timeline.rect;
    if (timeline.rangeEnd == timeline.rangeStart) return timeline.rangeStart;
    return scaled(timeline.rangeStart, Wide{x} - rect.left, Wide{timeline.rangeEnd} - timeline.rangeStart,
                  Wide{rect.right} - rect.left);
}

BarRect switchBox(const Timeline& timeline, KeySwitch which) {
    const BarRect& rect = timeline.rect;
    const std::int32_t row = 11 * static_cast<std::int32_t>(which);
    return {rect.left - kSwitchLeft, rect.top + 1 + row, rect.left - kSwitchRight, rect.top + 11 + row};
}

BarColour switchColour(KeySwitch which, bool on) {
    switch (which) {
        case KeySwitch::Rotation:
            return on ? BarColour{255, 0, 0} : BarColour{100, 24, 24};
        case KeySwitch::Translation:
            return on ? BarColour{0, 255, 0} : BarColour{24, 100, 24};
        case KeySwitch::Scaling:
            break;
    }
    return on ? BarColour{0, 0, 255} : BarColour{24, 24, 100};
}

std::optional<KeySwitch> switchAt(const Timeline& timeline, std::int32_t x, std::int32_t y) {
    const std::int32_t left = timeline.rect.left;
    if (x <= left - kSwitchLeft || x >= left - kSwitchRight) return std::nullopt;
    for (const KeySwitch which : kKeySwitches) {
        const std::int32_t top = 2 + 11 * static_cast<std::int32_t>(which);
        if (y >= top && y < top + 9) return which;
    }
    return std::nullopt;
}

bool& keySwitchFlag(AppState& state, KeySwitch which) {
    switch (which) {
        case KeySwitch::Rotation:
            return state.keyRotation;
        case KeySwitch::Translation:
            return state.keyTranslation;
        case KeySwitch::Scaling:
            break;
    }
    return state.keyScaling;
}

KeyMarks keyMarksOf(const Timeline& timeline, const Model& model, std::int32_t selectedNode) {
    if (!selectedBone(model, selectedNode)) return {};
    const Node& node = model.Bones[static_cast<std::size_t>(selectedNode)].node;
    const std::int32_t top = timeline.rect.top;
    return {marksOf(timeline, node.Rotation.keys, top + 1, 11),
            marksOf(timeline, node.Translation.keys, top + 12, 22)};
}

bool clickAnimationBar(Editor& editor, std::int32_t width, std::int32_t height, std::int32_t x,
                       std::int32_t y) {
    AppState& state = editor.state;
    const Timeline timeline = timelineOf(width, height, state.rangeStart, state.rangeEnd);
    if (x >= timeline.rect.left && x <= timeline.rect.right) {
        const std::int32_t time = timeAtX(timeline, x);
        if (time >= state.rangeStart && time <= state.rangeEnd)
            setCurrentTime(editor.document, state, editor.host, time);
    }
    const std::optional<KeySwitch> hit = switchAt(timeline, x, y);
    if (!hit) return false;
    bool& flag = keySwitchFlag(state, *hit);
    flag = !flag;
    return true;
}

}  // namespace tess

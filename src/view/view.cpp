#include "view/view.h"

#include <array>

namespace tess {

namespace {

constexpr std::array<std::string_view, 4> kEditModeNames = {"Animation", "Vertex", "Triangle", "None"};
constexpr std::array<std::string_view, 4> kToolNames = {"Rotate", "Move", "Scale", "Extrude"};
constexpr std::array<std::string_view, 7> kViewTypeNames = {"Perspective", "Left", "Right", "Front",
                                                            "Back",        "Top",  "Bottom"};
constexpr std::array<std::string_view, 14> kDragStateNames = {
    "Idle",  "Orbit", "Pan",   "Rectangle", "RotateX", "RotateY", "RotateZ",
    "MoveX", "MoveY", "MoveZ", "ScaleX",    "ScaleY",  "ScaleZ",  "Extrude"};

template <class Enum, std::size_t N>
std::string_view nameOf(const std::array<std::string_view, N>& names, Enum value) {
    const auto index = static_cast<std::int64_t>(value);
    return index >= 0 && index < static_cast<std::int64_t>(N) ? names[static_cast<std::size_t>(index)]
                                                              : std::string_view{};
}

template <class Enum, std::size_t N>
std::optional<Enum> parse(const std::array<std::string_view, N>& names, std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (names[i] == name) return static_cast<Enum>(i);
    return std::nullopt;
}

}  // namespace

std::string_view editModeName(EditMode mode) {
    return nameOf(kEditModeNames, mode);
}
std::string_view toolName(Tool tool) {
    return nameOf(kToolNames, tool);
}
std::string_view viewTypeName(ViewType type) {
    return nameOf(kViewTypeNames, type);
}
std::string_view dragStateName(DragState state) {
    return nameOf(kDragStateNames, state);
}

std::optional<EditMode> parseEditMode(std::string_view name) {
    return parse<EditMode>(kEditModeNames, name);
}
std::optional<Tool> parseTool(std::string_view name) {
    return parse<Tool>(kToolNames, name);
}
std::optional<ViewType> parseViewType(std::string_view name) {
    return parse<ViewType>(kViewTypeNames, name);
}
std::optional<DragState> parseDragState(std::string_view name) {
    return parse<DragState>(kDragStateNames, name);
}

}  // namespace tess

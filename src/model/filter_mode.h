#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tess {

// How a material layer blends with what is behind it. Layer::FilterMode stays a plain u32
// so that a value outside this list, read from a file, is kept and written back unchanged.
enum class FilterMode : std::uint32_t {
    None = 0,
    Transparent = 1,
    Blend = 2,
    Additive = 3,
    AddAlpha = 4,
    Modulate = 5,
    Modulate2x = 6,
};

// The file keyword of each mode, indexed by its value.
inline constexpr std::array<std::string_view, 7> kFilterModeNames = {
    "None", "Transparent", "Blend", "Additive", "AddAlpha", "Modulate", "Modulate2x"};

// The keyword of a stored mode; "" for a value with no name.
constexpr std::string_view filterModeName(std::uint32_t mode) {
    return mode < kFilterModeNames.size() ? kFilterModeNames[mode] : std::string_view{};
}

// The mode a keyword names, ASCII letters compared without case; nullopt for any other word.
constexpr std::optional<std::uint32_t> parseFilterMode(std::string_view word) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::uint32_t mode = 0; mode < kFilterModeNames.size(); ++mode) {
        const std::string_view name = kFilterModeNames[mode];
        bool same = name.size() == word.size();
        for (std::size_t i = 0; same && i < name.size(); ++i) same = lower(name[i]) == lower(word[i]);
        if (same) return mode;
    }
    return std::nullopt;
}

}  // namespace tess

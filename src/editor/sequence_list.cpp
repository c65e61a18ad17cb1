#include "editor/sequence_list.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "editor/primitive_parameters.h"

namespace tess {
namespace {

constexpr std::uint32_t kNonLooping = 1;
constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kMaxTime = std::numeric_limits<std::uint32_t>::max();

std::uint32_t timeOf(const std::string& text) {
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(textToWhole(text), 0, kMaxTime));
}

float rarityOf(const std::string& text) {
    return static_cast<float>(std::clamp<std::int64_t>(textToWhole(text),
                                                       std::numeric_limits<std::int32_t>::min(),
                                                       std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

SequenceList::SequenceList(std::vector<Sequence>& sequences)
    : sequences_(sequences), selected_(sequences.empty() ? -1 : 0) {}

std::vector<std::string> SequenceList::names() const {
    std::vector<std::string> names;
    for (const Sequence& sequence : sequences_) names.push_back(sequence.Name);
    return names;
}

void SequenceList::select(int line) {
    if (line >= 0 && static_cast<std::size_t>(line) < sequences_.size()) selected_ = line;
}

SequenceTexts SequenceList::shown() const {
    if (!hasSelection()) return {};
    const Sequence& s = sequences_[static_cast<std::size_t>(selected_)];
    return {s.Name, std::to_string(s.IntervalStart), std::to_string(s.IntervalEnd),
            std::to_string(truncateToInt(s.Rarity)), s.flags != kNonLooping};
}

void SequenceList::apply(const SequenceTexts& texts) {
    if (!hasSelection()) return;
    const SequenceTexts before = shown();
    Sequence& s = sequences_[static_cast<std::size_t>(selected_)];
    if (texts.name != before.name) s.Name = texts.name;
    if (texts.start != before.start) s.IntervalStart = timeOf(texts.start);
    if (texts.end != before.end) s.IntervalEnd = timeOf(texts.end);
    if (texts.rarity != before.rarity) s.Rarity = rarityOf(texts.rarity);
    if (texts.looping != before.looping) s.flags = texts.looping ? 0 : kNonLooping;
}

void SequenceList::add() {
    Sequence sequence;
    if (!sequences_.empty()) {
        const std::int64_t start = (sequences_.back().IntervalEnd + kSecond) / kSecond * kSecond;
        sequence.IntervalStart = static_cast<std::uint32_t>(std::min(start, kMaxTime));
        sequence.IntervalEnd = static_cast<std::uint32_t>(std::min(start + kSecond, kMaxTime));
    } else {
        sequence.IntervalEnd = kSecond;
    }
    for (int n = 1;; ++n) {
        std::string name = "Untitled " + std::to_string(n);
        if (std::none_of(sequences_.begin(), sequences_.end(),
                         [&name](const Sequence& other) { return other.Name == name; })) {
            sequence.Name = std::move(name);
            break;
        }
    }
    sequences_.push_back(std::move(sequence));
    selected_ = static_cast<int>(sequences_.size()) - 1;
}

void SequenceList::remove() {
    if (!hasSelection()) return;
    sequences_.erase(sequences_.begin() + selected_);
    selected_ = sequences_.empty() ? -1 : std::max(selected_ - 1, 0);
}

}  // namespace tess

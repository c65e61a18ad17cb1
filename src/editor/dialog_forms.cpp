#include "editor/dialog_forms.h"

#include <algorithm>
#include <limits>

#include "editor/primitive_parameters.h"

namespace tess {

AnimationRangeForm animationRangeForm(const Model& model, const AppState& state) {
    AnimationRangeForm form;
    const std::vector<Sequence>& sequences = model.Sequences;
    for (std::size_t i = 0; i < sequences.size(); ++i) {
        const Sequence& sequence = sequences[i];
        form.lines.push_back({sequence.Name, {}, {}});
        if (static_cast<std::int64_t>(sequence.IntervalStart) == state.rangeStart &&
            static_cast<std::int64_t>(sequence.IntervalEnd) == state.rangeEnd)
            form.selected = static_cast<int>(i);
    }
    for (AnimationRangeForm::Line& line : form.lines) {
        const auto last = std::find_if(sequences.rbegin(), sequences.rend(),
                                       [&line](const Sequence& s) { return s.Name == line.name; });
        line.start = std::to_string(last->IntervalStart);
        line.end = std::to_string(last->IntervalEnd);
    }
    form.start = std::to_string(state.rangeStart);
    form.end = std::to_string(state.rangeEnd);
    return form;
}

void chooseRangeLine(AnimationRangeForm& form, int line) {
    if (line < 0 || static_cast<std::size_t>(line) >= form.lines.size()) return;
    form.selected = line;
    form.start = form.lines[static_cast<std::size_t>(line)].start;
    form.end = form.lines[static_cast<std::size_t>(line)].end;
}

std::pair<std::int32_t, std::int32_t> rangeOf(const AnimationRangeForm& form) {
    const auto time = [](const std::string& text) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(textToWhole(text),
                                                                  std::numeric_limits<std::int32_t>::min(),
                                                                  std::numeric_limits<std::int32_t>::max()));
    };
    const std::int32_t start = time(form.start), end = time(form.end);
    return end < start ? std::pair(end, start) : std::pair(start, end);
}

VisibilityForm visibilityForm(const Model& model, const Selection& selection) {
    VisibilityForm form;
    for (std::size_t i = 0; i < model.Geosets.size(); ++i) {
        form.lines.push_back("Geoset " + std::to_string(i + 1));
        form.shown.push_back(selection.isShown(i) ? 1 : 0);
    }
    return form;
}

}  // namespace tess

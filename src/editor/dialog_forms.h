#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "editor/app_state.h"
#include "model/model.h"
#include "view/selection.h"

namespace tess {

// What the Animation Range dialog shows and edits: a drop-down list with one line per
// sequence, in model order, and the range's start and end as texts.
struct AnimationRangeForm {
    struct Line {
        std::string name;
        std::string start, end;  // what choosing the line writes into the edits
    };
    std::vector<Line> lines;
    int selected = -1;  // the drop-down's line; -1: none
    std::string start, end;
};

// The form for the current range: the texts are rangeStart and rangeEnd in decimal (signed,
// so that they read back as they were); the selected line is the last sequence whose
// interval equals the range. A line's texts are the interval of the last sequence with
// exactly that line's name, so lines of equal names fill in the same interval.
AnimationRangeForm animationRangeForm(const Model& model, const AppState& state);

// The drop-down's selection changed to `line`: its interval goes into the edits. A line that
// does not exist changes nothing.
void chooseRangeLine(AnimationRangeForm& form, int line);

// The range the form's texts give: whole numbers (see textToWhole) saturated to the i32
// range; an end before the start is swapped with it, so the range is never inverted.
std::pair<std::int32_t, std::int32_t> rangeOf(const AnimationRangeForm& form);

// What the Visibility dialog shows and edits: "Geoset N" for geoset N - 1, and whether each
// geoset is shown, which is whether its line is selected.
struct VisibilityForm {
    std::vector<std::string> lines;
    std::vector<std::uint8_t> shown;
};

// One line per geoset of `model`, with the shown flags of `selection`.
VisibilityForm visibilityForm(const Model& model, const Selection& selection);

}  // namespace tess

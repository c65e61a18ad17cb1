#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tess {

// The labelled fields the primitive dialog edits, refilled by every primitive command.
struct PrimitiveParameters {
    enum Kind : std::int32_t { Whole = 0, Decimal = 1, CheckBox = 3 };

    std::string title;
    std::vector<std::string> labels;
    std::vector<std::string> texts;  // defaults before the dialog, the user's texts after OK
    std::vector<std::int32_t> kinds;
    std::vector<float> minima;
    std::vector<float> maxima;

    void clear();
    void setTitle(std::string newTitle) { title = std::move(newTitle); }
    void addField(std::string label, std::string defaultText, Kind kind, float minimum, float maximum);
    std::size_t count() const { return texts.size(); }

    double readDecimal(std::size_t field) const;
    std::int32_t readWhole(std::size_t field) const;
    bool readCheckBox(std::size_t field) const;  // true when the text begins with 'Y'
};

// The text a field's control shows once normalised: a whole number clamped to the limits
// (truncated to integers) and printed "%d"; a decimal clamped and printed "%.2f"; a check
// box "Y" when `checked`, else "N". Text that is not a number counts as 0.
std::string normalizedFieldText(const PrimitiveParameters& parameters, std::size_t field,
                                const std::string& controlText, bool checked);

}  // namespace tess

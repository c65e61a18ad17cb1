#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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

    // The readers convert like the C library's text-to-number functions, but in every locale
    // with '.' as the decimal mark: leading blanks and a sign, then the longest number prefix;
    // text that is not a number reads 0. Decimals are decimal or "0x" hexadecimal ("0x10"
    // reads 16, "0x1p3" 8); too large gives +-infinity, "nan" 0. Whole numbers are decimal
    // only ("0x10" reads 0) and saturate at the i32 limits. A field index past the end reads
    // 0 (or false).
    double readDecimal(std::size_t field) const;
    std::int32_t readWhole(std::size_t field) const;
    bool readCheckBox(std::size_t field) const;  // true when the text begins with 'Y'
};

// Text to a whole number as the C conversion reads it, in every locale: leading blanks and
// a sign, then the longest run of decimal digits; text that is not a number reads 0; too
// large saturates at the i64 limits.
std::int64_t textToWhole(std::string_view text);

// `value` truncated toward zero, clamped to the i32 range first (NaN: 0), so no value can
// make the conversion undefined.
std::int32_t truncateToInt(double value);

// The text a field's control shows once normalised: a whole number clamped to the limits
// (truncated to integers) and printed "%d"; a decimal clamped and printed "%.2f"; a check
// box "Y" when `checked`, else "N". Text that is not a number counts as 0. Other kinds, and
// a field index past the end, return `controlText` unchanged.
std::string normalizedFieldText(const PrimitiveParameters& parameters, std::size_t field,
                                const std::string& controlText, bool checked);

}  // namespace tess

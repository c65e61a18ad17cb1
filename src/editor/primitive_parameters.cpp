#include "editor/primitive_parameters.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <system_error>

namespace tess {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Leading blanks and a '+' sign are accepted as the C conversions accept them; the parsers
// below take '-' themselves.
std::string_view numberStart(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i + 1 < text.size() && text[i] == '+' && text[i + 1] != '-' && text[i + 1] != '+') ++i;
    return text.substr(i);
}

bool isDigit(char c, bool hex) {
    return (c >= '0' && c <= '9') || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
}

// Whether an out-of-range unsigned number text (decimal, or hexadecimal without its "0x") is
// too large rather than too small for a double: the position of its first significant digit
// (in bits for hexadecimal) plus its exponent is positive.
bool overflowsUpward(std::string_view text, bool hex) {
    std::size_t i = 0;
    long long magnitude = 0;
    bool seenSignificant = false;
    for (; i < text.size() && isDigit(text[i], hex); ++i) {
        if (text[i] != '0') seenSignificant = true;
        if (seenSignificant) ++magnitude;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && isDigit(text[i], hex); ++i) {
            if (seenSignificant) continue;
            --magnitude;
            if (text[i] != '0') seenSignificant = true;
        }
    }
    long long exponent = 0;
    const char marker = hex ? 'p' : 'e';
    if (i < text.size() && (text[i] | 0x20) == marker) {
        ++i;
        const bool negative = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        for (; i < text.size() && isDigit(text[i], false); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1000000LL);
        if (negative) exponent = -exponent;
    }
    return (hex ? 4 * magnitude : magnitude) + exponent > 0;
}

// Text to double as the C conversion reads it (a decimal or "0x" hexadecimal prefix, the
// rest ignored), but independent of the process locale, which the window toolkit may have
// changed. No number: 0; too large: +-infinity; too small: +-0; "nan": 0, so every result
// is ordered.
double textToDouble(std::string_view text) {
    std::string_view body = numberStart(text);
    const bool negative = !body.empty() && body[0] == '-';
    if (negative) body.remove_prefix(1);
    if (!body.empty() && (body[0] == '-' || body[0] == '+')) return 0;
    const bool hex = body.size() > 1 && body[0] == '0' && (body[1] | 0x20) == 'x';
    if (hex) body.remove_prefix(2);
    const double sign = negative ? -1.0 : 1.0;
    double value = 0;
    const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value,
                                              hex ? std::chars_format::hex : std::chars_format::general);
    if (error == std::errc::invalid_argument)
        return hex ? sign * 0.0 : 0.0;  // "0x" alone: the 0 before the x
    if (error == std::errc::result_out_of_range) {
        const std::string_view parsed(body.data(), static_cast<std::size_t>(end - body.data()));
        return overflowsUpward(parsed, hex) ? sign * std::numeric_limits<double>::infinity() : sign * 0.0;
    }
    return std::isnan(value) ? 0 : sign * value;
}

std::int32_t textToInt(std::string_view text) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(textToWhole(text),
                                                              std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

std::string fixedTwoDecimals(double value) {
    char buffer[512];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return error == std::errc{} ? std::string(buffer, end) : std::string("0.00");
}

}  // namespace

std::int64_t textToWhole(std::string_view text) {
    const std::string_view s = numberStart(text);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error == std::errc::invalid_argument) return 0;
    if (error == std::errc::result_out_of_range)
        return !s.empty() && s[0] == '-' ? std::numeric_limits<std::int64_t>::min()
                                         : std::numeric_limits<std::int64_t>::max();
    return value;
}

std::int32_t truncateToInt(double value) {
    if (std::isnan(value)) return 0;
    const double clamped = std::clamp(value, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
                                      static_cast<double>(std::numeric_limits<std::int32_t>::max()));
    return static_cast<std::int32_t>(clamped);
}

void PrimitiveParameters::clear() {
    title.clear();
    labels.clear();
    texts.clear();
    kinds.clear();
    minima.clear();
    maxima.clear();
}

void PrimitiveParameters::addField(std::string label, std::string defaultText, Kind kind, float minimum,
                                   float maximum) {
    labels.push_back(std::move(label));
    texts.push_back(std::move(defaultText));
    kinds.push_back(kind);
    minima.push_back(minimum);
    maxima.push_back(maximum);
}

double PrimitiveParameters::readDecimal(std::size_t field) const {
    return field < texts.size() ? textToDouble(texts[field]) : 0.0;
}

std::int32_t PrimitiveParameters::readWhole(std::size_t field) const {
    return field < texts.size() ? textToInt(texts[field]) : 0;
}

bool PrimitiveParameters::readCheckBox(std::size_t field) const {
    return field < texts.size() && !texts[field].empty() && texts[field][0] == 'Y';
}

std::string normalizedFieldText(const PrimitiveParameters& parameters, std::size_t field,
                                const std::string& controlText, bool checked) {
    if (field >= parameters.count()) return controlText;
    const double minimum = parameters.minima[field];
    const double maximum = parameters.maxima[field];
    switch (parameters.kinds[field]) {
        case PrimitiveParameters::Whole: {
            const std::int32_t value = textToInt(controlText);
            const std::int32_t low = truncateToInt(minimum);
            const std::int32_t high = truncateToInt(maximum);
            return std::to_string(value < low ? low : value > high ? high : value);
        }
        case PrimitiveParameters::Decimal: {
            const double value = textToDouble(controlText);
            return fixedTwoDecimals(value < minimum ? minimum : value > maximum ? maximum : value);
        }
        case PrimitiveParameters::CheckBox:
            return checked ? "Y" : "N";
        default:
            return controlText;
    }
}

}  // namespace tess

#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace tess {

// Builds MDL text at the end of a caller's string. Numbers are formatted with to_chars
// straight into the string's storage, so no temporary string is made per number or per
// line. While the builder lives, the string holds unwritten slack after the text; the
// destructor trims it, leaving the string's old content followed by exactly the text
// written. The string must not be touched by anyone else while the builder lives.
class MdlText {
public:
    // `expectedBytes` is a size hint; the storage grows by doubling when it is exceeded.
    MdlText(std::string& out, std::size_t expectedBytes) : out_(out), pos_(out.size()) {
        out_.resize(pos_ + expectedBytes + kMaxNumberChars);
    }
    ~MdlText() { out_.resize(pos_); }
    MdlText(const MdlText&) = delete;
    MdlText& operator=(const MdlText&) = delete;

    // Bytes as they are, with no escaping.
    void text(std::string_view s) {
        char* p = room(s.size());
        std::memcpy(p, s.data(), s.size());
        pos_ += s.size();
    }

    // "%d": signed decimal.
    void integer(std::int32_t value) {
        char* p = room(kMaxNumberChars);
        pos_ = static_cast<std::size_t>(std::to_chars(p, p + kMaxNumberChars, value).ptr - out_.data());
    }
    // "%d" of a u32 field: the signed word with the same bits, so all bits set give -1.
    void integer(std::uint32_t value) { integer(static_cast<std::int32_t>(value)); }

    // "%d" with at least `width` digits, zeros in front; for non-negative values.
    void padded(std::int32_t value, int width) {
        for (std::int32_t limit = 10; width > 1; --width, limit *= 10) {
            if (value < limit) text("0");
        }
        integer(value);
    }

    // "%f" of the value widened to double: fixed notation, six decimals. The text has no
    // form for non-finite values: an infinity is written as the largest finite float of
    // its sign (what the reader makes of any out-of-range number) and NaN as 0.
    void real(float value) {
        double wide = value;
        if (!std::isfinite(value)) {
            constexpr double kLargest = std::numeric_limits<float>::max();
            wide = std::isnan(value) ? 0.0 : (value > 0 ? kLargest : -kLargest);
        }
        char* p = room(kMaxNumberChars);
        pos_ = static_cast<std::size_t>(
            std::to_chars(p, p + kMaxNumberChars, wide, std::chars_format::fixed, 6).ptr - out_.data());
    }

    // "{ %f, %f, ... }" with the components in order.
    template <std::size_t N>
    void braced(const std::array<float, N>& values) {
        text("{ ");
        for (std::size_t i = 0; i < N; ++i) {
            if (i > 0) text(", ");
            real(values[i]);
        }
        text(" }");
    }

    // Common line shapes: head, value, ",\n".
    void realLine(std::string_view head, float value) {
        text(head);
        real(value);
        text(",\n");
    }
    void intLine(std::string_view head, std::int32_t value) {
        text(head);
        integer(value);
        text(",\n");
    }
    void intLine(std::string_view head, std::uint32_t value) {
        intLine(head, static_cast<std::int32_t>(value));
    }
    template <std::size_t N>
    void bracedLine(std::string_view head, const std::array<float, N>& values) {
        text(head);
        braced(values);
        text(",\n");
    }
    // head "\"" value "\"" tail; the value is written as stored.
    void quotedLine(std::string_view head, std::string_view value, std::string_view tail) {
        text(head);
        text("\"");
        text(value);
        text("\"");
        text(tail);
    }

private:
    // Longest number text: the largest float in fixed notation with its sign, point and
    // six decimals is 47 characters.
    static constexpr std::size_t kMaxNumberChars = 64;

    char* room(std::size_t bytes) {
        if (pos_ + bytes > out_.size()) out_.resize(std::max(out_.size() * 2, pos_ + bytes));
        return out_.data() + pos_;
    }

    std::string& out_;
    std::size_t pos_;
};

}  // namespace tess

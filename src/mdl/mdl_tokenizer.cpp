#include "mdl/mdl_tokenizer.h"

#include <array>
#include <charconv>
#include <limits>
#include <system_error>

namespace tess {
namespace {

constexpr std::string_view kStatic = "static";

// Character classes of the word scanner.
constexpr std::uint8_t kEndsWord = 1;  // blank, punctuation or double quote
constexpr std::uint8_t kNumeric = 2;   // a digit or one of + - e E .

constexpr std::array<std::uint8_t, 256> kCharClasses = [] {
    std::array<std::uint8_t, 256> classes{};
    for (const char c : std::string_view(" \t{},:\"")) classes[static_cast<unsigned char>(c)] = kEndsWord;
    for (const char c : std::string_view("0123456789+-eE."))
        classes[static_cast<unsigned char>(c)] = kNumeric;
    return classes;
}();

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isPunctuation(char c) {
    return c == '{' || c == '}' || c == ',' || c == ':';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Leading blanks, everything from the first "//" (quotes do not protect it), trailing blanks.
std::string_view cleanLine(std::string_view line) {
    std::size_t begin = 0;
    while (begin < line.size() && isBlank(line[begin])) ++begin;
    line.remove_prefix(begin);
    if (const std::size_t comment = line.find("//"); comment != std::string_view::npos)
        line = line.substr(0, comment);
    while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
    return line;
}

bool convertInt(std::string_view word, std::int32_t& value) {
    const bool negative = !word.empty() && word[0] == '-';
    if (word.size() == (negative ? 1u : 0u)) return false;
    // Unsigned arithmetic wraps, which keeps the low 32 bits of any length of digits.
    std::uint32_t magnitude = 0;
    for (std::size_t i = negative ? 1 : 0; i < word.size(); ++i) {
        if (!isDigit(word[i])) return false;
        magnitude = magnitude * 10u + static_cast<std::uint32_t>(word[i] - '0');
    }
    value = static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
    return true;
}

// Decimal exponent of the first significant digit of a number that a double cannot hold
// (the text a decimal conversion accepted: [-]digits[.digits][e[sign]digits]). Positive
// means too large, otherwise too small; such numbers are hundreds of powers of ten away
// from 1, so the saturated explicit exponent cannot flip the sign.
long long leadingExponent(std::string_view number) {
    constexpr long long kSaturation = 1'000'000'000'000LL;
    std::size_t i = number.empty() || number[0] != '-' ? 0 : 1;
    long long exponent = 0;
    bool significant = false;
    for (; i < number.size() && isDigit(number[i]); ++i) {
        if (significant)
            ++exponent;
        else
            significant = number[i] != '0';
    }
    if (i < number.size() && number[i] == '.') {
        for (++i; i < number.size() && isDigit(number[i]); ++i) {
            if (!significant) {
                --exponent;
                significant = number[i] != '0';
            }
        }
    }
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
        long long explicitExponent = 0;
        for (; i < number.size() && isDigit(number[i]); ++i)
            if (explicitExponent < kSaturation) explicitExponent = explicitExponent * 10 + (number[i] - '0');
        exponent += negative ? -explicitExponent : explicitExponent;
    }
    return exponent;
}

// [-]digits[.digits] with at most 15 digits: both the digits and the power of ten are exact
// doubles and IEEE division rounds correctly, so the quotient is what the general
// conversion gives, only faster. This is the form the writer uses for every number.
bool convertSimpleDecimal(std::string_view word, double& number) {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const bool negative = word[0] == '-';
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fractionDigits = 0;
    bool point = false;
    for (std::size_t i = negative ? 1 : 0; i < word.size(); ++i) {
        const char c = word[i];
        if (isDigit(c)) {
            mantissa = mantissa * 10u + static_cast<std::uint64_t>(c - '0');
            ++digits;
            fractionDigits += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (digits == 0 || digits > 15) return false;
    const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[fractionDigits];
    number = negative ? -magnitude : magnitude;
    return true;
}

// `word` is not empty and holds only digits and + - e E .
bool convertFloat(std::string_view word, float& value) {
    // A decimal conversion takes one sign; from_chars takes only '-'.
    if (word[0] == '+') {
        word.remove_prefix(1);
        if (word.empty() || word[0] == '+' || word[0] == '-') return false;
    }
    constexpr float kLargest = std::numeric_limits<float>::max();
    const bool negative = word[0] == '-';
    double number = 0;
    if (!convertSimpleDecimal(word, number)) {
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
        if (error == std::errc::result_out_of_range) {
            const bool tooLarge = leadingExponent(word.substr(0, end - word.data())) > 0;
            value = tooLarge ? (negative ? -kLargest : kLargest) : (negative ? -0.0f : 0.0f);
            return true;
        }
        if (error != std::errc()) return false;
    }
    if (number > kLargest)
        value = kLargest;
    else if (number < -kLargest)
        value = -kLargest;
    else
        value = static_cast<float>(number);
    return true;
}

// `numeric`: every character is a digit or one of + - e E . (the only words that can be numbers).
void fillWord(MdlToken::Word& word, std::string_view text, bool numeric) {
    word.text = text;
    if (numeric) {
        word.isInt = convertInt(text, word.intValue);
        word.isFloat = convertFloat(text, word.floatValue);
    }
    if (text.size() == 1) {
        word.single = text[0];
        word.isWord = (kCharClasses[static_cast<unsigned char>(text[0])] & kEndsWord) == 0;
    } else {
        word.isWord = true;
    }
}

// Appends the words of `line` to `words`; they view `line`.
void splitWords(std::string_view line, std::vector<MdlToken::Word>& words) {
    std::size_t i = 0;
    const std::size_t n = line.size();
    for (;;) {
        while (i < n && isBlank(line[i])) ++i;
        if (i == n) return;
        const std::size_t begin = i;
        bool numeric = false;
        if (isPunctuation(line[i])) {
            ++i;
        } else if (line[i] == '"') {
            // No escapes; an unterminated quote takes the rest of the line.
            const std::size_t close = line.find('"', i + 1);
            i = close == std::string_view::npos ? n : close + 1;
        } else {
            std::uint8_t common = kNumeric;
            for (; i < n; ++i) {
                const std::uint8_t c = kCharClasses[static_cast<unsigned char>(line[i])];
                if (c & kEndsWord) break;
                common &= c;
            }
            numeric = common == kNumeric;
        }
        fillWord(words.emplace_back(), line.substr(begin, i - begin), numeric);
    }
}

bool isQuoted(const MdlToken::Word& word) {
    return word.text.size() >= 2 && word.text.front() == '"' && word.text.back() == '"';
}

std::string_view unquoted(const MdlToken::Word& word) {
    return word.text.substr(1, word.text.size() - 2);
}

}  // namespace

const char* kindName(MdlTokenKind kind) {
    switch (kind) {
        case MdlTokenKind::Invalid:
            return "Invalid";
        case MdlTokenKind::ChunkOpener:
            return "Chunk-opener";
        case MdlTokenKind::LabeledChunkOpener:
            return "Labeled chunk-opener";
        case MdlTokenKind::ChunkCloser:
            return "Chunk closer";
        case MdlTokenKind::Flag:
            return "Flag";
        case MdlTokenKind::LabeledData:
            return "Labled data (int or float)";
        case MdlTokenKind::StaticLabeledData:
            return "Static labeled data";
        case MdlTokenKind::LabeledStringData:
            return "Labeled string data";
        case MdlTokenKind::BracedData:
            return "Braced data";
        case MdlTokenKind::BracedLabeledData:
            return "Braced, labeled data";
        case MdlTokenKind::AnimationKey:
            return "Animation key";
        case MdlTokenKind::Blank:
            return "Blank";
        default:
            return "Unknown";
    }
}

const char* kindName(const MdlToken& token) {
    if (token.kind != MdlTokenKind::LabeledData) return kindName(token.kind);
    if (token.isInt && token.isFloat) return "Labled data (int or float)";
    if (token.isInt) return "Labeled data (int)";
    if (token.isFloat) return "Labeled data (float)";
    return "Labeled data (no data, error)";
}

bool MdlLineSource::nextLine(std::string_view& line) {
    if (atEnd()) return false;
    const std::size_t feed = text_.find('\n', pos_);
    if (feed == std::string_view::npos) {
        line = text_.substr(pos_);
        pos_ = text_.size();
        return true;
    }
    line = text_.substr(pos_, feed - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = feed + 1;
    return true;
}

MdlToken::MdlToken(std::string_view line) {
    classifyLine(line);
}

void MdlToken::nextToken(MdlLineSource& source) {
    std::string_view line;
    while (source.nextLine(line)) {
        classifyLine(line);
        if (kind != MdlTokenKind::Blank) return;
    }
    kind = MdlTokenKind::EndOfInput;
}

void MdlToken::classifyLine(std::string_view line) {
    // Saturates rather than overflow on a text of more than 2^31 lines.
    if (lineNumber < std::numeric_limits<std::int32_t>::max()) ++lineNumber;
    lineText.assign(cleanLine(line));
    name.clear();
    text.clear();
    floats.clear();
    ints.clear();
    allFloat = false;
    allInt = false;
    isFloat = false;
    isInt = false;
    floatValue = 0;
    intValue = 0;
    splitWords(lineText, words_);
    kind = applyRules();
    words_.clear();
}

const std::string& MdlToken::keyword() const {
    static const std::string kNone;
    switch (kind) {
        case MdlTokenKind::ChunkOpener:
        case MdlTokenKind::LabeledChunkOpener:
        case MdlTokenKind::LabeledWord:
        case MdlTokenKind::LabeledStringData:
            return name;
        case MdlTokenKind::Flag:
        case MdlTokenKind::LabeledData:
        case MdlTokenKind::StaticLabeledData:
        case MdlTokenKind::BracedLabeledData:
        case MdlTokenKind::StaticBracedLabeledData:
            return text;
        default:
            return kNone;
    }
}

void MdlToken::takeValue(const Word& word) {
    floatValue = word.floatValue;
    isFloat = word.isFloat;
    intValue = word.intValue;
    isInt = word.isInt;
}

// A list from `start` to the end of the line: { value , value ... } , with any number of
// values. Fills floats and ints only when it matches.
bool MdlToken::matchList(std::size_t start) {
    const std::size_t n = words_.size();
    if (n < start + 3 || words_[start].single != '{' || words_[n - 2].single != '}' ||
        words_[n - 1].single != ',')
        return false;
    const std::size_t closer = n - 2;
    bool everyFloat = true;
    bool everyInt = true;
    // The values start right after the opener; after each separator another value must
    // follow, so a separator before the closer fails on the closer.
    for (std::size_t i = start + 1; i != closer; i += 2) {
        const Word& value = words_[i];
        if (!value.isFloat && !value.isInt) return dropList();
        everyFloat = everyFloat && value.isFloat;
        everyInt = everyInt && value.isInt;
        if (everyFloat) floats.push_back(value.floatValue);
        if (everyInt) ints.push_back(value.intValue);
        if (i + 1 == closer) break;
        if (words_[i + 1].single != ',' || i + 2 == closer) return dropList();
    }
    allFloat = everyFloat;
    allInt = everyInt;
    return true;
}

bool MdlToken::dropList() {
    floats.clear();
    ints.clear();
    return false;
}

MdlTokenKind MdlToken::applyRules() {
    using K = MdlTokenKind;
    const std::size_t n = words_.size();
    const auto is = [this](std::size_t i, char c) { return words_[i].single == c; };
    const auto word = [this](std::size_t i) { return words_[i].isWord; };
    const auto integer = [this](std::size_t i) { return words_[i].isInt; };
    const auto number = [this](std::size_t i) { return words_[i].isInt || words_[i].isFloat; };
    const auto quoted = [this](std::size_t i) { return isQuoted(words_[i]); };
    const auto isStatic = [this](std::size_t i) { return words_[i].text == kStatic; };

    if (n == 0) return K::Blank;
    if (matchList(0)) return K::BracedData;
    if (n >= 2 && integer(0) && is(1, ':')) {
        if (matchList(2)) {
            keyTime = words_[0].intValue;
            return K::AnimationKey;
        }
        if (n == 4 && number(2) && is(3, ',')) {
            keyTime = words_[0].intValue;
            floats.push_back(words_[2].floatValue);
            ints.push_back(words_[2].intValue);
            allFloat = words_[2].isFloat;
            allInt = words_[2].isInt;
            return K::AnimationKey;
        }
    }
    if (word(0) && matchList(1)) {
        text.assign(words_[0].text);
        return K::BracedLabeledData;
    }
    if (n >= 2 && isStatic(0) && word(1) && matchList(2)) {
        text.assign(words_[1].text);
        return K::StaticBracedLabeledData;
    }
    if ((n == 2 && is(0, '}') && is(1, ',')) || (n == 1 && is(0, '}'))) return K::ChunkCloser;
    if (n == 3 && word(0) && number(1) && is(2, ',')) {
        text.assign(words_[0].text);
        takeValue(words_[1]);
        return K::LabeledData;
    }
    if (n == 4 && isStatic(0) && word(1) && number(2) && is(3, ',')) {
        text.assign(words_[1].text);
        takeValue(words_[2]);
        return K::StaticLabeledData;
    }
    if (n == 3 && word(0) && quoted(1) && is(2, ',')) {
        name.assign(words_[0].text);
        text.assign(unquoted(words_[1]));
        return K::LabeledStringData;
    }
    if (n == 2 && word(0) && is(1, '{')) {
        name.assign(words_[0].text);
        return K::ChunkOpener;
    }
    if (n == 3 && word(0) && quoted(1) && is(2, '{')) {
        name.assign(words_[0].text);
        text.assign(unquoted(words_[1]));
        return K::LabeledChunkOpener;
    }
    if ((n == 3 && word(0) && integer(1) && is(2, '{')) ||
        (n == 4 && word(0) && integer(1) && integer(2) && is(3, '{'))) {
        name.assign(words_[0].text);
        return K::ChunkOpener;
    }
    if (n == 2 && integer(0) && is(1, ',')) {
        intValue = words_[0].intValue;
        isInt = true;
        return K::BareInteger;
    }
    if (n == 2 && word(0) && is(1, ',')) {
        text.assign(words_[0].text);
        return K::Flag;
    }
    if ((n == 3 && word(0) && word(1) && is(2, ',')) ||
        (n == 5 && word(0) && is(1, '{') && word(2) && is(3, '}') && is(4, ','))) {
        name.assign(words_[0].text);
        text.assign(words_[n == 3 ? 1 : 2].text);
        return K::LabeledWord;
    }
    return K::Invalid;
}

}  // namespace tess

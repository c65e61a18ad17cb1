#include "mdl/mdl_tokenizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace tess {
namespace {

using K = MdlTokenKind;

TEST(MdlTokenizer, EachShapeSetsItsKindAndOnlyItsOwnFields) {
    const struct {
        const char* line;
        K kind;
        const char* name;
        const char* text;
        const char* display;
    } cases[] = {
        {"Geoset {", K::ChunkOpener, "Geoset", "", "Chunk-opener"},
        {"Bone \"Left Arm\" {", K::LabeledChunkOpener, "Bone", "Left Arm", "Labeled chunk-opener"},
        {"}", K::ChunkCloser, "", "", "Chunk closer"},
        {"Unshaded,", K::Flag, "", "Unshaded", "Flag"},
        {"12,", K::BareInteger, "", "", "Unknown"},  // numbers are words: an integer before a comma is a
        {"1.5,", K::Flag, "", "1.5", "Flag"},        // BareInteger, any other word a Flag
        {"FilterMode Additive,", K::LabeledWord, "FilterMode", "Additive", "Unknown"},
        {"DontInherit { Rotation },", K::LabeledWord, "DontInherit", "Rotation", "Unknown"},
        {" \t BlendTime 150, \t// note", K::LabeledData, "", "BlendTime", "Labled data (int or float)"},
        // Only blanks and tabs end a word.
        {"Alpha\r 1,", K::LabeledData, "", "Alpha\r", "Labled data (int or float)"},
        {"static Alpha 0.5,", K::StaticLabeledData, "", "Alpha", "Static labeled data"},
        {"Path \"a { b }, c: d\",", K::LabeledStringData, "Path", "a { b }, c: d", "Labeled string data"},
        {"{ 0, 1, 2 },", K::BracedData, "", "", "Braced data"},
        {"Interval{0,1000},", K::BracedLabeledData, "", "Interval", "Braced, labeled data"},
        {"static Color { 1, 0.5, 0 },", K::StaticBracedLabeledData, "", "Color", "Unknown"},
        {"\t10: { 1, 0, 0 },", K::AnimationKey, "", "", "Animation key"},
        {"-20: 0.5,", K::AnimationKey, "", "", "Animation key"},
        {"// whole line", K::Blank, "", "", "Blank"},
        // The CR of "Unshaded,\r" is a word of its own; a "//" cuts a line inside quotes too.
        {"Unshaded,\r", K::Invalid, "", "", "Invalid"},
        {"Image \"a//b\",", K::Invalid, "", "", "Invalid"},
    };
    // One token for all lines, as the parser reads them: all fields reset but the last key's time.
    MdlToken t(std::string_view{});
    std::int32_t keyTime = 0;
    for (const auto& c : cases) {
        t.classifyLine(c.line);
        keyTime = c.kind == K::AnimationKey ? t.keyTime : keyTime;
        const bool valued =
            c.kind == K::LabeledData || c.kind == K::StaticLabeledData || c.kind == K::BareInteger;
        const bool listed = c.kind >= K::BracedData && c.kind <= K::AnimationKey;
        EXPECT_EQ(std::tuple(t.kind, t.name, t.text, kindName(t), t.isInt || t.isFloat, !t.floats.empty(),
                             t.keyTime),
                  std::tuple(c.kind, c.name, c.text, std::string(c.display), valued, listed, keyTime))
            << c.line;
    }
    EXPECT_EQ(std::tuple(keyTime, t.lineNumber),
              std::tuple(-20, static_cast<std::int32_t>(std::size(cases)) + 1));
    t.lineNumber = std::numeric_limits<std::int32_t>::max();  // saturates
    t.classifyLine("}");
    EXPECT_EQ(t.lineNumber, std::numeric_limits<std::int32_t>::max());
    // A list that fails to match leaves no values behind.
    for (const char* line :
         {"Faces 1 1.5 {", "Vertices x {", "} }", "Static Alpha 0.5,", "1.5: 2,", "10: 2",
          "Image \"never closed,", "{ 0, 1 2 },", "{ 1, },", "{ 1, 2 }", "{ 1: 2 },", "{"}) {
        const MdlToken bad(line);
        EXPECT_TRUE(bad.kind == K::Invalid && bad.floats.empty() && bad.ints.empty()) << line;
    }
    EXPECT_EQ(MdlToken(" \t BlendTime 150, \t// note").lineText, "BlendTime 150,");
    EXPECT_EQ(MdlToken("\t\tImage \"Textures//skin.blp\",").lineText, "Image \"Textures");
    const MdlToken nul(std::string_view("Fo\0o 2,", 7));
    EXPECT_EQ(std::tuple(nul.kind, nul.text), std::tuple(K::LabeledData, std::string("Fo\0o", 4)));
    MdlToken intOnly("Alpha 1,");  // a LabeledData token whose value was only an integer
    intOnly.isFloat = false;
    EXPECT_STREQ(kindName(intOnly), "Labeled data (int)");
    for (const K kind : {K::EndOfInput, static_cast<K>(99)}) EXPECT_STREQ(kindName(kind), "Unknown");
}

TEST(MdlTokenizer, ListsAndKeysCarryTheirValues) {
    const struct {
        const char* line;
        std::vector<float> floats;
        std::vector<std::int32_t> ints;
        bool allFloat, allInt;
    } cases[] = {
        {"\t10: { 1, 0, 0 },", {1, 0, 0}, {1, 0, 0}, true, true},
        {"-20: 0.5,", {0.5f}, {0}, true, false},
        {"Matrices { 3, 2.5, 7 },", {3, 2.5f, 7}, {3}, true, false},  // each stops at the first misfit
    };
    for (const auto& c : cases) {
        const MdlToken t(c.line);
        EXPECT_EQ(std::tuple(t.floats, t.ints, t.allFloat, t.allInt),
                  std::tuple(c.floats, c.ints, c.allFloat, c.allInt))
            << c.line;
    }
}

// A number word gives the low 32 bits of a decimal integer and the decimal conversion narrowed to
// f32, beyond its range the largest finite value of its sign.
TEST(MdlTokenizer, NumbersMatchTheLibraryConversionNarrowedToF32) {
    std::vector<std::string> words;
    std::istringstream edges(
        "4294967295 2147483648 -4294967297 -0 007 1.5e 1.5e+ 2e3 +1 -.5 1-2 1.5.2 -1e39 1e400 -1e400 -1e-400 "
        "0.000001e400 9007199254740993 16777217 -999999999999999.9 123456789012345678901234567890");
    for (std::string word; edges >> word;) words.push_back(word);
    constexpr double kLargest = std::numeric_limits<float>::max();
    for (const std::string& word : words) {
        const bool integer =
            word.find_first_not_of("-0123456789") == std::string::npos && word.rfind('-') + 1 <= 1;
        const auto narrowed =
            static_cast<float>(std::clamp(std::strtod(word.c_str(), nullptr), -kLargest, kLargest));
        const MdlToken labeled("Label " + word + ",");
        EXPECT_EQ(std::tuple(labeled.kind, labeled.isInt, labeled.isFloat, labeled.floatValue),
                  std::tuple(K::LabeledData, integer, true, narrowed))
            << word;
        EXPECT_EQ(std::signbit(labeled.floatValue), std::signbit(narrowed)) << word;
        // Up to 19 digits, the 64-bit conversion holds the whole value.
        const auto low32 = static_cast<std::int32_t>(std::strtoull(word.c_str(), nullptr, 10));
        EXPECT_TRUE(word.size() >= 20 || labeled.intValue == (integer ? low32 : 0)) << word;
    }
    // Neither a number: plain words, so Label <word>, is a LabeledWord.
    for (const char* word : {"-", "+", "+-1", "e", ".", "e5", "0x10", "inf", "--1"})
        EXPECT_EQ(MdlToken(std::string("Label ") + word + ",").kind, K::LabeledWord) << word;
}

TEST(MdlTokenizer, LinesEndAtLineFeeds) {
    // Only a CR right before a LF is dropped; a last line without LF is a line.
    MdlLineSource source("a\r\nb\r\r\n\rc\n\nd\r");
    std::vector<std::string> read;
    for (std::string_view line; source.nextLine(line);) read.emplace_back(line);
    EXPECT_EQ(read, (std::vector<std::string>{"a", "b\r", "\rc", "", "d\r"}));
    EXPECT_TRUE(source.atEnd());
}

}  // namespace
}  // namespace tess

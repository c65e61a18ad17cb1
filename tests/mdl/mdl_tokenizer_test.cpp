#include "mdl/mdl_tokenizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace tess {
namespace {

using K = MdlTokenKind;
using Floats = std::vector<float>;
using Ints = std::vector<std::int32_t>;
constexpr float kLargest = std::numeric_limits<float>::max();

// Every token of `text` up to and including EndOfInput, read as the parser reads them.
std::vector<MdlToken> tokenize(std::string_view text) {
    MdlLineSource source(text);
    MdlToken token{std::string_view{}};
    token.lineNumber = 0;
    std::vector<MdlToken> tokens;
    do {
        token.nextToken(source);
        tokens.push_back(token);
    } while (token.kind != K::EndOfInput);
    return tokens;
}

TEST(MdlTokenizerShapes, EachShapeSetsItsKindAndOnlyItsOwnFields) {
    const struct {
        const char* line;
        K kind;
        const char* name;
        const char* text;
    } cases[] = {
        {"Geoset {", K::ChunkOpener, "Geoset", ""},
        {"\tVertices 4 {", K::ChunkOpener, "Vertices", ""},
        {"Faces 1 6 {", K::ChunkOpener, "Faces", ""},
        {"Bone \"Left Arm\" {", K::LabeledChunkOpener, "Bone", "Left Arm"},
        {"}", K::ChunkCloser, "", ""},
        {"\t},", K::ChunkCloser, "", ""},
        {"Unshaded,", K::Flag, "", "Unshaded"},
        // Numbers are words: an integer before a comma is a BareInteger, any other word a Flag.
        {"12,", K::BareInteger, "", ""},
        {"1.5,", K::Flag, "", "1.5"},
        {"FilterMode Additive,", K::LabeledWord, "FilterMode", "Additive"},
        {"DontInherit { Rotation },", K::LabeledWord, "DontInherit", "Rotation"},
        {"BlendTime 150,", K::LabeledData, "", "BlendTime"},
        {"\"q\" 3,", K::LabeledData, "", "\"q\""},      // a quoted label keeps its quotes
        {"Alpha\r 1,", K::LabeledData, "", "Alpha\r"},  // only blanks and tabs end a word
        {"static Alpha 0.5,", K::StaticLabeledData, "", "Alpha"},
        {"Image \"\",", K::LabeledStringData, "Image", ""},
        {"Image \"a/b\",", K::LabeledStringData, "Image", "a/b"},
        {"Path \"a { b }, c: d\",", K::LabeledStringData, "Path", "a { b }, c: d"},
        {"Image\"x\",", K::LabeledStringData, "Image", "x"},  // a quote ends an unquoted word
        {"{ 0, 1, 2 },", K::BracedData, "", ""},
        {"Interval{0,1000},", K::BracedLabeledData, "", "Interval"},
        {"DontInherit { 1 },", K::BracedLabeledData, "", "DontInherit"},
        {"static Color { 1, 0.5, 0 },", K::StaticBracedLabeledData, "", "Color"},
        {"\t10: { 1, 0, 0 },", K::AnimationKey, "", ""},
        {"-20: 0.5,", K::AnimationKey, "", ""},
        // Cleaning trims blanks and drops everything from the first "//".
        {" \t BlendTime 150, \t// note", K::LabeledData, "", "BlendTime"},
        {"// whole line", K::Blank, "", ""},
        {"  \t ", K::Blank, "", ""},
    };
    for (const auto& c : cases) {
        const MdlToken token(c.line);
        EXPECT_EQ(token.kind, c.kind) << c.line;
        EXPECT_EQ(token.name, c.name) << c.line;
        EXPECT_EQ(token.text, c.text) << c.line;
        // Labelled numbers and bare integers set the values; lists and keys the arrays.
        const bool valued =
            c.kind == K::LabeledData || c.kind == K::StaticLabeledData || c.kind == K::BareInteger;
        const bool listed = c.kind == K::BracedData || c.kind == K::BracedLabeledData ||
                            c.kind == K::StaticBracedLabeledData || c.kind == K::AnimationKey;
        EXPECT_EQ(token.isInt || token.isFloat, valued) << c.line;
        EXPECT_EQ(!token.floats.empty(), listed) << c.line;
    }
    // The CR of "Unshaded,\r" is a word of its own; a "//" cuts a line inside quotes too.
    for (const char* line :
         {"Faces 1 1.5 {", "Faces 1 2 3 {", "Vertices x {", "Vertices 1.5 {", "} }", "Static Alpha 0.5,",
          "Static Color { 1 },", "1.5: 2,", "10: 2", "10: { 1, 2 }", "Unshaded,\r", "Image \"never closed,",
          "Bone \"open {", "Image \"a//b\",", "\"a//b\" 1,"})
        EXPECT_EQ(MdlToken(line).kind, K::Invalid) << line;
    EXPECT_EQ(MdlToken(" \t BlendTime 150, \t// note").lineText, "BlendTime 150,");
    EXPECT_EQ(MdlToken("\t\tImage \"Textures//skin.blp\",").lineText, "Image \"Textures");
    const MdlToken nul(std::string_view("Fo\0o 2,", 7));
    EXPECT_EQ(nul.kind, K::LabeledData);
    EXPECT_EQ(nul.text, std::string("Fo\0o", 4));
}

TEST(MdlTokenizerShapes, ListsKeysAndLabeledNumbersCarryTheirValues) {
    const struct {
        const char* line;
        std::int32_t keyTime;
        Floats floats;
        Ints ints;
        bool allFloat;
        bool allInt;
    } cases[] = {
        {"\t10: { 1, 0, 0 },", 10, {1, 0, 0}, {1, 0, 0}, true, true},
        {"-20: 0.5,", -20, {0.5f}, {0}, true, false},
        {"{ },", 0, {}, {}, true, true},
        {"Interval{0,1000},", 0, {0, 1000}, {0, 1000}, true, true},
        // Each array stops collecting at the first value of the wrong kind.
        {"Matrices { 3, 2.5, 7 },", 0, {3, 2.5f, 7}, {3}, true, false},
        {"static Color { 1, 0.5, 0 },", 0, {1, 0.5f, 0}, {1}, true, false},
    };
    for (const auto& c : cases) {
        const MdlToken token(c.line);
        EXPECT_EQ(token.keyTime, c.keyTime) << c.line;
        EXPECT_EQ(token.floats, c.floats) << c.line;
        EXPECT_EQ(token.ints, c.ints) << c.line;
        EXPECT_EQ(token.allFloat, c.allFloat) << c.line;
        EXPECT_EQ(token.allInt, c.allInt) << c.line;
    }
    for (const char* bad : {"{ 0, 1 2 },", "{ 1, },", "{ , 1 },", "{ 1, 2 }", "{ 1 } 2 },", "{ 1, x },",
                            "{ 1: 2 },", "{ },,", "{ }", "{", "{ 1, 2 } ,,"}) {
        const MdlToken token(bad);
        EXPECT_EQ(token.kind, K::Invalid) << bad;
        EXPECT_TRUE(token.floats.empty() && token.ints.empty()) << bad;
    }

    const MdlToken bare("12,");
    EXPECT_TRUE(bare.isInt);
    EXPECT_EQ(bare.intValue, 12);
    const MdlToken alpha("static Alpha 0.5,");
    EXPECT_TRUE(alpha.isFloat);
    EXPECT_FALSE(alpha.isInt);
    EXPECT_EQ(alpha.floatValue, 0.5f);
}

TEST(MdlTokenizerFields, EveryLineResetsTheFieldsExceptTheKeyTimeAndReusesStorage) {
    MdlToken token("10: { 1, 2 },");
    token.classifyLine("Bone \"B\" {");
    EXPECT_TRUE(token.floats.empty() && !token.allFloat && token.keyTime == 10);
    token.classifyLine("Alpha 0.25,");
    EXPECT_TRUE(token.name.empty() && token.isFloat);
    token.classifyLine("}");
    EXPECT_TRUE(token.text.empty() && !token.isFloat && token.floatValue == 0.0f);
    token.classifyLine("5: 3,");
    EXPECT_EQ(std::pair(token.keyTime, token.lineNumber), std::pair(5, 5));
    token.lineNumber = std::numeric_limits<std::int32_t>::max();
    token.classifyLine("}");
    EXPECT_EQ(token.lineNumber, std::numeric_limits<std::int32_t>::max());

    // A shorter line reuses the storage a long one grew.
    std::string longList = "Triangles { 0";
    for (int i = 1; i < 500; ++i) longList += ", " + std::to_string(i);
    token.classifyLine(longList + " },");
    ASSERT_EQ(token.ints.size(), 500u);
    const char* line = token.lineText.data();
    const float* floats = token.floats.data();
    const std::int32_t* ints = token.ints.data();
    token.classifyLine("{ 7, 8, 9 },");
    EXPECT_EQ(token.lineText.data(), line);
    EXPECT_EQ(token.floats.data(), floats);
    EXPECT_EQ(token.ints.data(), ints);
    EXPECT_EQ(token.ints, (Ints{7, 8, 9}));
}

TEST(MdlTokenizerNumbers, ConversionEdges) {
    const struct {
        const char* word;
        bool isInt;
        std::int32_t intValue;
        float floatValue;
    } cases[] = {
        // Integers beyond 32 bits keep their low 32 bits.
        {"4294967295", true, -1, 4294967295.0f},
        {"2147483648", true, std::numeric_limits<std::int32_t>::min(), 2147483648.0f},
        {"99999999999", true, 1215752191, 99999999999.0f},
        {"-4294967297", true, -1, -4294967297.0f},
        {"-0", true, 0, 0.0f},
        {"007", true, 7, 7.0f},
        // Floats are read as far as a decimal number goes.
        {"1.5e", false, 0, 1.5f},
        {"1.5e+", false, 0, 1.5f},
        {"2e3", false, 0, 2000.0f},
        {"+1", false, 0, 1.0f},
        {"-.5", false, 0, -0.5f},
        {"1-2", false, 0, 1.0f},
        {"1.5.2", false, 0, 1.5f},
        // Out of the f32 range: the largest finite value or a zero, of the number's sign.
        {"1e39", false, 0, kLargest},
        {"-1e39", false, 0, -kLargest},
        {"1e400", false, 0, kLargest},
        {"-1e400", false, 0, -kLargest},
        {"0.000001e400", false, 0, kLargest},
        {"1000000e-400", false, 0, 0.0f},
        {"1e99999999999999999999999", false, 0, kLargest},
    };
    for (const auto& c : cases) {
        const MdlToken labeled(std::string("Label ") + c.word + ",");
        ASSERT_EQ(labeled.kind, K::LabeledData) << c.word;
        EXPECT_EQ(labeled.isInt, c.isInt) << c.word;
        EXPECT_TRUE(labeled.isFloat) << c.word;
        EXPECT_EQ(labeled.intValue, c.intValue) << c.word;
        EXPECT_EQ(labeled.floatValue, c.floatValue) << c.word;
        const MdlToken braced(std::string("{ ") + c.word + " },");
        EXPECT_EQ(braced.allInt, c.isInt) << c.word;
        EXPECT_EQ(braced.floats.at(0), c.floatValue) << c.word;
    }
    // Neither a number nor in a list: plain words, so Label <word>, is a LabeledWord.
    for (const char* word : {"-", "+", "+-1", "e", ".", "e5", "0x10", "inf", "--1"}) {
        EXPECT_EQ(MdlToken(std::string("Label ") + word + ",").kind, K::LabeledWord) << word;
        EXPECT_EQ(MdlToken(std::string("{ ") + word + " },").kind, K::Invalid) << word;
    }
    EXPECT_TRUE(std::signbit(MdlToken("Label -1e-400,").floatValue));
}

TEST(MdlTokenizerNumbers, FloatsMatchTheLibraryDecimalConversionRoundedToF32) {
    // Words with digit counts on both sides of the 15 a double holds exactly, then random decimals
    // with up to 12 fraction digits and long integers, each compared with strtod narrowed to f32.
    std::vector<std::string> words;
    for (const char* word :
         {"9007199254740993", "900719925474099.3", "123456789012345", "16777217", "1234567890123456",
          "0.000000000000001", "-999999999999999.9", "0.1", "123456789012345678901234567890",
          "0.12345678901234567890123", "0.1234567890123456"})
        words.emplace_back(word);
    std::uint32_t state = 99;
    char buffer[64];
    for (int i = 0; i < 3000; ++i) {
        state = state * 1664525u + 1013904223u;
        const double magnitude = static_cast<double>(state) / 4294967296.0 * std::pow(10.0, i % 12 - 3);
        std::snprintf(buffer, sizeof buffer, "%.*f", i % 13, (i % 2 ? -1 : 1) * magnitude);
        words.emplace_back(buffer);
        std::snprintf(buffer, sizeof buffer, "%u%u", state, state / 7);
        words.emplace_back(buffer);
    }
    for (const std::string& word : words) {
        const MdlToken data("Label " + word + ",");
        ASSERT_TRUE(data.isFloat) << word;
        EXPECT_EQ(data.floatValue, static_cast<float>(std::strtod(word.c_str(), nullptr))) << word;
    }
}

TEST(MdlTokenizerInput, LinesAreNumberedFromOneCountingBlankAndCommentLines) {
    const auto tokens = tokenize("// header\r\n\r\nVersion {\r\n\t// inside\n\tFormatVersion 800,\r\n}");
    std::vector<std::pair<K, std::int32_t>> kindsAndLines;
    for (const MdlToken& token : tokens) kindsAndLines.emplace_back(token.kind, token.lineNumber);
    EXPECT_EQ(kindsAndLines,
              (std::vector<std::pair<K, std::int32_t>>{
                  {K::ChunkOpener, 3}, {K::LabeledData, 5}, {K::ChunkCloser, 6}, {K::EndOfInput, 6}}));
    EXPECT_EQ(tokens[1].lineText, "FormatVersion 800,");

    EXPECT_EQ(tokenize("").size(), 1u);
    const auto comments = tokenize("// a\n\n   \t\n// b\r\n");
    ASSERT_EQ(comments.size(), 1u);
    EXPECT_EQ(comments[0].lineNumber, 4);

    // Only a CR right before a LF is dropped.
    MdlLineSource source("a\r\nb\r\r\n\rc\n\nd\r");
    std::vector<std::string> lines;
    std::string_view line;
    while (source.nextLine(line)) lines.emplace_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b\r", "\rc", "", "d\r"}));
    EXPECT_TRUE(source.atEnd());
}

TEST(MdlTokenizerNames, DisplayNamesAndTheLabeledDataChoice) {
    EXPECT_STREQ(kindName(K::ChunkOpener), "Chunk-opener");
    EXPECT_STREQ(kindName(K::LabeledChunkOpener), "Labeled chunk-opener");
    EXPECT_STREQ(kindName(K::ChunkCloser), "Chunk closer");
    EXPECT_STREQ(kindName(K::BracedLabeledData), "Braced, labeled data");
    EXPECT_STREQ(kindName(K::StaticLabeledData), "Static labeled data");
    for (const K kind :
         {K::EndOfInput, K::LabeledWord, K::StaticBracedLabeledData, K::BareInteger, static_cast<K>(99)})
        EXPECT_STREQ(kindName(kind), "Unknown");

    EXPECT_STREQ(kindName(MdlToken("BlendTime 150,")), "Labled data (int or float)");
    EXPECT_STREQ(kindName(MdlToken("Alpha 0.5,")), "Labeled data (float)");
    MdlToken intOnly("Alpha 1,");
    intOnly.isFloat = false;
    EXPECT_STREQ(kindName(intOnly), "Labeled data (int)");
    intOnly.isInt = false;
    EXPECT_STREQ(kindName(intOnly), "Labeled data (no data, error)");
    EXPECT_STREQ(kindName(MdlToken("{ 1 },")), "Braced data");
}

}  // namespace
}  // namespace tess

#include "mdl/mdl_tokenizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace tess {
namespace {

using K = MdlTokenKind;
using Floats = std::vector<float>;
using Ints = std::vector<std::int32_t>;
constexpr float kLargest = std::numeric_limits<float>::max();

MdlToken classify(std::string_view line) {
    return MdlToken(line);
}

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

TEST(MdlTokenizerCleaning, TrimsBlanksAndCutsAtTheFirstDoubleSlashEvenInsideQuotes) {
    EXPECT_EQ(classify(" \t BlendTime 150, \t// note").lineText, "BlendTime 150,");
    EXPECT_EQ(classify("// whole line").kind, K::Blank);
    EXPECT_EQ(classify("  \t ").kind, K::Blank);

    const MdlToken image = classify("\t\tImage \"Textures//skin.blp\",");
    EXPECT_EQ(image.lineText, "Image \"Textures");
    EXPECT_EQ(image.kind, K::Invalid);

    const MdlToken single = classify("Image \"a/b\",");
    EXPECT_EQ(single.kind, K::LabeledStringData);
    EXPECT_EQ(single.text, "a/b");
}

TEST(MdlTokenizerWords, PunctuationSplitsWithoutBlanksAndQuotesKeepEverythingInside) {
    const MdlToken interval = classify("Interval{0,1000},");
    EXPECT_EQ(interval.kind, K::BracedLabeledData);
    EXPECT_EQ(interval.text, "Interval");
    EXPECT_EQ(interval.ints, (Ints{0, 1000}));

    const MdlToken path = classify("Path \"a { b }, c: d\",");
    EXPECT_EQ(path.kind, K::LabeledStringData);
    EXPECT_EQ(path.text, "a { b }, c: d");

    // A quote ends an unquoted word: Image"x", is three words.
    const MdlToken glued = classify("Image\"x\",");
    EXPECT_EQ(glued.kind, K::LabeledStringData);
    EXPECT_EQ(glued.name, "Image");
    EXPECT_EQ(glued.text, "x");

    EXPECT_EQ(classify("Image \"never closed,").kind, K::Invalid);
    EXPECT_EQ(classify("Bone \"open {").kind, K::Invalid);
}

TEST(MdlTokenizerWords, CarriageReturnAndNulArePartOfAWord) {
    const MdlToken cr = classify("Alpha\r 1,");
    EXPECT_EQ(cr.kind, K::LabeledData);
    EXPECT_EQ(cr.text, "Alpha\r");
    // A CR after the comma is a word of its own, so the line fits no shape.
    EXPECT_EQ(classify("Unshaded,\r").kind, K::Invalid);

    const MdlToken nul = classify(std::string_view("Fo\0o 2,", 7));
    EXPECT_EQ(nul.kind, K::LabeledData);
    EXPECT_EQ(nul.text, std::string("Fo\0o", 4));
    EXPECT_EQ(nul.intValue, 2);
}

TEST(MdlTokenizerShapes, ChunkOpenersKeepTheWordAndDropTheCounts) {
    const MdlToken geoset = classify("Geoset {");
    EXPECT_EQ(geoset.kind, K::ChunkOpener);
    EXPECT_EQ(geoset.keyword(), "Geoset");

    const MdlToken vertices = classify("\tVertices 4 {");
    EXPECT_EQ(vertices.kind, K::ChunkOpener);
    EXPECT_EQ(vertices.name, "Vertices");
    EXPECT_FALSE(vertices.isInt);

    EXPECT_EQ(classify("Faces 1 6 {").kind, K::ChunkOpener);
    EXPECT_EQ(classify("Faces 1 6 {").name, "Faces");
    EXPECT_EQ(classify("Faces 1 1.5 {").kind, K::Invalid);
    EXPECT_EQ(classify("Faces 1 2 3 {").kind, K::Invalid);
    EXPECT_EQ(classify("Vertices x {").kind, K::Invalid);

    const MdlToken bone = classify("Bone \"Left Arm\" {");
    EXPECT_EQ(bone.kind, K::LabeledChunkOpener);
    EXPECT_EQ(bone.keyword(), "Bone");
    EXPECT_EQ(bone.argument(), "Left Arm");

    EXPECT_EQ(classify("}").kind, K::ChunkCloser);
    EXPECT_EQ(classify("\t},").kind, K::ChunkCloser);
    EXPECT_EQ(classify("} }").kind, K::Invalid);
}

TEST(MdlTokenizerShapes, RuleOrderDecidesBetweenOverlappingShapes) {
    // Numbers are words: an integer before a comma is a BareInteger, any other word a Flag.
    const MdlToken bare = classify("12,");
    EXPECT_EQ(bare.kind, K::BareInteger);
    EXPECT_EQ(bare.intValue, 12);
    EXPECT_TRUE(bare.isInt);
    const MdlToken flag = classify("1.5,");
    EXPECT_EQ(flag.kind, K::Flag);
    EXPECT_EQ(flag.keyword(), "1.5");

    // A number second makes LabeledData, a quoted word LabeledStringData, else LabeledWord.
    const MdlToken data = classify("BlendTime 150,");
    EXPECT_EQ(data.kind, K::LabeledData);
    EXPECT_EQ(data.keyword(), "BlendTime");
    EXPECT_TRUE(data.isInt);
    EXPECT_TRUE(data.isFloat);
    EXPECT_EQ(data.intValue, 150);
    EXPECT_EQ(data.floatValue, 150.0f);
    EXPECT_EQ(classify("Image \"\",").kind, K::LabeledStringData);
    EXPECT_EQ(classify("Image \"\",").text, "");
    const MdlToken filter = classify("FilterMode Additive,");
    EXPECT_EQ(filter.kind, K::LabeledWord);
    EXPECT_EQ(filter.keyword(), "FilterMode");
    EXPECT_EQ(filter.argument(), "Additive");
    const MdlToken inherit = classify("DontInherit { Rotation },");
    EXPECT_EQ(inherit.kind, K::LabeledWord);
    EXPECT_EQ(inherit.name, "DontInherit");
    EXPECT_EQ(inherit.text, "Rotation");
    EXPECT_EQ(classify("DontInherit { 1 },").kind, K::BracedLabeledData);

    // The quoted word keeps its quotes when it is the label.
    const MdlToken quotedLabel = classify("\"q\" 3,");
    EXPECT_EQ(quotedLabel.kind, K::LabeledData);
    EXPECT_EQ(quotedLabel.text, "\"q\"");
}

TEST(MdlTokenizerShapes, StaticIsMatchedInLowerCaseOnly) {
    const MdlToken alpha = classify("static Alpha 0.5,");
    EXPECT_EQ(alpha.kind, K::StaticLabeledData);
    EXPECT_EQ(alpha.keyword(), "Alpha");
    EXPECT_EQ(alpha.floatValue, 0.5f);
    EXPECT_TRUE(alpha.isFloat);
    EXPECT_FALSE(alpha.isInt);
    EXPECT_EQ(classify("Static Alpha 0.5,").kind, K::Invalid);

    const MdlToken color = classify("static Color { 1, 0.5, 0 },");
    EXPECT_EQ(color.kind, K::StaticBracedLabeledData);
    EXPECT_EQ(color.keyword(), "Color");
    EXPECT_EQ(color.floats, (Floats{1, 0.5f, 0}));
    EXPECT_FALSE(color.allInt);
    EXPECT_EQ(classify("Static Color { 1 },").kind, K::Invalid);
}

TEST(MdlTokenizerShapes, AnimationKeysTakeTheTimeAndOneOrManyValues) {
    const MdlToken vector = classify("\t10: { 1, 0, 0 },");
    EXPECT_EQ(vector.kind, K::AnimationKey);
    EXPECT_EQ(vector.keyTime, 10);
    EXPECT_EQ(vector.floats, (Floats{1, 0, 0}));
    EXPECT_EQ(vector.ints, (Ints{1, 0, 0}));
    EXPECT_TRUE(vector.allFloat);
    EXPECT_TRUE(vector.allInt);

    const MdlToken scalar = classify("-20: 0.5,");
    EXPECT_EQ(scalar.kind, K::AnimationKey);
    EXPECT_EQ(scalar.keyTime, -20);
    EXPECT_EQ(scalar.floats, (Floats{0.5f}));
    EXPECT_EQ(scalar.ints, (Ints{0}));
    EXPECT_TRUE(scalar.allFloat);
    EXPECT_FALSE(scalar.allInt);

    EXPECT_EQ(classify("1.5: 2,").kind, K::Invalid);
    EXPECT_EQ(classify("10: 2").kind, K::Invalid);
    EXPECT_EQ(classify("10: { 1, 2 }").kind, K::Invalid);
}

TEST(MdlTokenizerLists, MatchOnlyStrictlyAlternatingValuesAndCommas) {
    const MdlToken three = classify("{ 0, 1, 2 },");
    EXPECT_EQ(three.kind, K::BracedData);
    EXPECT_EQ(three.ints, (Ints{0, 1, 2}));

    const MdlToken empty = classify("{ },");
    EXPECT_EQ(empty.kind, K::BracedData);
    EXPECT_TRUE(empty.floats.empty());
    EXPECT_TRUE(empty.ints.empty());
    EXPECT_TRUE(empty.allFloat);
    EXPECT_TRUE(empty.allInt);

    for (const char* bad : {"{ 0, 1 2 },", "{ 1, },", "{ , 1 },", "{ 1, 2 }", "{ 1 } 2 },", "{ 1, x },",
                            "{ 1: 2 },", "{ },,", "{ }", "{", "{ 1, 2 } ,,"}) {
        const MdlToken token = classify(bad);
        EXPECT_EQ(token.kind, K::Invalid) << bad;
        EXPECT_TRUE(token.floats.empty()) << bad;
        EXPECT_TRUE(token.ints.empty()) << bad;
    }

    // Each array stops collecting at the first value of the wrong kind.
    const MdlToken mixed = classify("Matrices { 3, 2.5, 7 },");
    EXPECT_EQ(mixed.kind, K::BracedLabeledData);
    EXPECT_EQ(mixed.keyword(), "Matrices");
    EXPECT_EQ(mixed.floats, (Floats{3, 2.5f, 7}));
    EXPECT_EQ(mixed.ints, (Ints{3}));
    EXPECT_TRUE(mixed.allFloat);
    EXPECT_FALSE(mixed.allInt);
}

TEST(MdlTokenizerFields, EveryLineResetsTheFieldsExceptTheKeyTime) {
    MdlToken token("10: { 1, 2 },");
    token.classifyLine("Bone \"B\" {");
    EXPECT_TRUE(token.floats.empty());
    EXPECT_FALSE(token.allFloat);
    EXPECT_EQ(token.keyTime, 10);
    token.classifyLine("Alpha 0.25,");
    EXPECT_TRUE(token.name.empty());
    EXPECT_TRUE(token.isFloat);
    token.classifyLine("}");
    EXPECT_TRUE(token.text.empty());
    EXPECT_FALSE(token.isFloat);
    EXPECT_EQ(token.floatValue, 0.0f);
    token.classifyLine("5: 3,");
    EXPECT_EQ(token.keyTime, 5);
    EXPECT_EQ(token.lineNumber, 5);
    token.lineNumber = std::numeric_limits<std::int32_t>::max();
    token.classifyLine("}");
    EXPECT_EQ(token.lineNumber, std::numeric_limits<std::int32_t>::max());
}

TEST(MdlTokenizerFields, ShorterLinesReuseTheGrownStorage) {
    std::string longList = "Triangles { 0";
    for (int i = 1; i < 500; ++i) longList += ", " + std::to_string(i);
    longList += " },";
    MdlToken token(longList);
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

struct NumberCase {
    const char* word;
    bool isInt;
    std::int32_t intValue;
    bool isFloat;
    float floatValue;
};

TEST(MdlTokenizerNumbers, ConversionEdges) {
    const NumberCase cases[] = {
        {"4294967295", true, -1, true, 4294967295.0f},
        {"2147483648", true, std::numeric_limits<std::int32_t>::min(), true, 2147483648.0f},
        {"99999999999", true, 1215752191, true, 99999999999.0f},
        {"-4294967297", true, -1, true, -4294967297.0f},
        {"-0", true, 0, true, 0.0f},
        {"007", true, 7, true, 7.0f},
        {"1.5e", false, 0, true, 1.5f},
        {"1.5e+", false, 0, true, 1.5f},
        {"2e3", false, 0, true, 2000.0f},
        {"+1", false, 0, true, 1.0f},
        {".5", false, 0, true, 0.5f},
        {"-.5", false, 0, true, -0.5f},
        {"1-2", false, 0, true, 1.0f},
        {"1.5.2", false, 0, true, 1.5f},
        {"1e39", false, 0, true, kLargest},
        {"-1e39", false, 0, true, -kLargest},
        {"1e400", false, 0, true, kLargest},
        {"-1e400", false, 0, true, -kLargest},
        {"0.000001e400", false, 0, true, kLargest},
        {"1e-400", false, 0, true, 0.0f},
        {"1000000e-400", false, 0, true, 0.0f},
        {"1e99999999999999999999999", false, 0, true, kLargest},
        {"-", false, 0, false, 0.0f},
        {"+", false, 0, false, 0.0f},
        {"+-1", false, 0, false, 0.0f},
        {"e", false, 0, false, 0.0f},
        {".", false, 0, false, 0.0f},
        {"e5", false, 0, false, 0.0f},
        {"0x10", false, 0, false, 0.0f},
        {"1f", false, 0, false, 0.0f},
        {"inf", false, 0, false, 0.0f},
        {"--1", false, 0, false, 0.0f},
    };
    for (const NumberCase& c : cases) {
        const MdlToken token = classify(std::string("{ ") + c.word + " },");
        if (!c.isInt && !c.isFloat) {
            EXPECT_EQ(token.kind, K::Invalid) << c.word;
            // Not a number, so the word is a plain word and Label <word>, is a LabeledWord.
            EXPECT_EQ(classify(std::string("Label ") + c.word + ",").kind, K::LabeledWord) << c.word;
            continue;
        }
        ASSERT_EQ(token.kind, K::BracedData) << c.word;
        EXPECT_EQ(token.allInt, c.isInt) << c.word;
        EXPECT_EQ(token.allFloat, c.isFloat) << c.word;
        if (c.isInt) {
            EXPECT_EQ(token.ints.at(0), c.intValue) << c.word;
        }
        EXPECT_EQ(token.floats.at(0), c.floatValue) << c.word;
        const MdlToken labeled = classify(std::string("Label ") + c.word + ",");
        EXPECT_EQ(labeled.kind, K::LabeledData) << c.word;
        EXPECT_EQ(labeled.isInt, c.isInt) << c.word;
        EXPECT_EQ(labeled.intValue, c.intValue) << c.word;
        EXPECT_EQ(labeled.floatValue, c.floatValue) << c.word;
    }
    EXPECT_TRUE(std::signbit(classify("Label -1e-400,").floatValue));
}

TEST(MdlTokenizerNumbers, FloatsMatchTheLibraryDecimalConversionRoundedToF32) {
    // Decimals with 0 to 12 fraction digits, long integers and digit counts on both sides of 15,
    // each compared with strtod's double narrowed to f32.
    std::vector<std::string> words = {"9007199254740993",
                                      "900719925474099.3",
                                      "123456789012345",
                                      "16777217",
                                      "1234567890123456",
                                      "0.000000000000001",
                                      "-999999999999999.9",
                                      "0.1",
                                      "123456789012345678901234567890",
                                      "0.12345678901234567890123"};
    std::uint32_t state = 99;
    char buffer[64];
    for (int i = 0; i < 20000; ++i) {
        state = state * 1664525u + 1013904223u;
        const double magnitude = static_cast<double>(state) / 4294967296.0 * std::pow(10.0, i % 12 - 3);
        std::snprintf(buffer, sizeof buffer, "%.*f", i % 13, (i % 2 ? -1 : 1) * magnitude);
        words.emplace_back(buffer);
        std::snprintf(buffer, sizeof buffer, "%u%u", state, state / 7);
        words.emplace_back(buffer);
    }
    for (const std::string& word : words) {
        const float expected = static_cast<float>(std::strtod(word.c_str(), nullptr));
        const MdlToken data("Label " + word + ",");
        ASSERT_TRUE(data.isFloat) << word;
        EXPECT_EQ(data.floatValue, expected) << word;
    }
}

TEST(MdlTokenizerInput, LinesAreNumberedFromOneIncludingBlankAndCommentLines) {
    const auto tokens = tokenize("// header\r\n\r\nVersion {\r\n\t// inside\n\tFormatVersion 800,\r\n}");
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[0].kind, K::ChunkOpener);
    EXPECT_EQ(tokens[0].lineNumber, 3);
    EXPECT_EQ(tokens[1].kind, K::LabeledData);
    EXPECT_EQ(tokens[1].intValue, 800);
    EXPECT_EQ(tokens[1].lineNumber, 5);
    EXPECT_EQ(tokens[1].lineText, "FormatVersion 800,");
    EXPECT_EQ(tokens[2].kind, K::ChunkCloser);
    EXPECT_EQ(tokens[2].lineNumber, 6);
    EXPECT_EQ(tokens[3].kind, K::EndOfInput);
}

TEST(MdlTokenizerInput, OnlyCommentsAndBlanksGiveEndOfInputAtOnce) {
    EXPECT_EQ(tokenize("").size(), 1u);
    const auto tokens = tokenize("// a\n\n   \t\n// b\r\n");
    ASSERT_EQ(tokens.size(), 1u);
    EXPECT_EQ(tokens[0].kind, K::EndOfInput);
    EXPECT_EQ(tokens[0].lineNumber, 4);
}

TEST(MdlTokenizerInput, LineSourceDropsOnlyTheCarriageReturnBeforeALineFeed) {
    MdlLineSource source("a\r\nb\r\r\n\rc\n\nd\r");
    std::vector<std::string> lines;
    std::string_view line;
    while (source.nextLine(line)) lines.emplace_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b\r", "\rc", "", "d\r"}));
    EXPECT_TRUE(source.atEnd());
}

TEST(MdlTokenizerInput, HostileInputIsClassifiedWithoutHarm) {
    // Every byte value, including NUL and bytes above 127, in pseudo-random lines.
    std::string garbage;
    std::uint32_t state = 7;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1664525u + 1013904223u;
        garbage.push_back(static_cast<char>(state >> 24));
    }
    const auto tokens = tokenize(garbage);
    EXPECT_EQ(tokens.back().kind, K::EndOfInput);
    EXPECT_GT(tokens.size(), 1u);

    // A 10 MB number is one word and keeps its low 32 bits.
    const MdlToken digits(std::string(10'000'000, '9') + ",");
    EXPECT_EQ(digits.kind, K::BareInteger);
    EXPECT_EQ(digits.intValue, -1);  // 10^n - 1 is -1 modulo 2^32 for n >= 32

    const MdlToken quote(std::string("Image \"") + std::string(10'000'000, 'x'));
    EXPECT_EQ(quote.kind, K::Invalid);
    EXPECT_EQ(quote.lineText.size(), 10'000'007u);

    std::string list = "{ 0";
    for (int i = 0; i < 200000; ++i) list += ", 1.5";
    const MdlToken longList(list + " },");
    EXPECT_EQ(longList.kind, K::BracedData);
    EXPECT_EQ(longList.floats.size(), 200001u);
    EXPECT_EQ(longList.ints.size(), 1u);
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

    EXPECT_STREQ(kindName(classify("BlendTime 150,")), "Labled data (int or float)");
    EXPECT_STREQ(kindName(classify("Alpha 0.5,")), "Labeled data (float)");
    MdlToken intOnly = classify("Alpha 1,");
    intOnly.isFloat = false;
    EXPECT_STREQ(kindName(intOnly), "Labeled data (int)");
    intOnly.isInt = false;
    EXPECT_STREQ(kindName(intOnly), "Labeled data (no data, error)");
    EXPECT_STREQ(kindName(classify("{ 1 },")), "Braced data");
}

}  // namespace
}  // namespace tess

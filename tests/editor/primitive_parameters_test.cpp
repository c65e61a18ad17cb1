#include "editor/primitive_parameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tess {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();

TEST(PrimitiveParameters, ReadsNumbersLikeTheCConversionsWithoutOverflow) {
    const std::pair<const char*, double> decimals[] = {
        {"  -3.25abc", -3.25}, {"abc", 0},    {"+4", 4},  {".5e1", 5}, {"1e400", kInf},
        {"-1e400", -kInf},     {"1e-400", 0}, {"nan", 0}, {"1e", 1}};
    const std::pair<const char*, std::int32_t> wholes[] = {
        {" -7x", -7}, {"12.9", 12}, {"99999999999", kIntMax}, {"-99999999999", kIntMin}, {"+-3", 0}};
    PrimitiveParameters p;
    for (const auto& [text, value] : decimals) {
        p.texts = {text};
        EXPECT_EQ(p.readDecimal(0), value) << text;
    }
    for (const auto& [text, value] : wholes) {
        p.texts = {text};
        EXPECT_EQ(p.readWhole(0), value) << text;
    }
    p.texts = {"Y", "Yes", "N", "y"};
    EXPECT_TRUE(p.readCheckBox(0) && p.readCheckBox(1));
    EXPECT_FALSE(p.readCheckBox(2) || p.readCheckBox(3) || p.readCheckBox(4));
    EXPECT_EQ(p.readDecimal(4), 0);  // past the last field
    p.setTitle("T");
    p.addField("F", "1", PrimitiveParameters::Whole, 0, 1);
    p.clear();
    EXPECT_TRUE(p.title.empty() && p.labels.empty() && p.texts.empty() && p.kinds.empty() &&
                p.minima.empty() && p.maxima.empty());

    const std::pair<double, std::int32_t> truncated[] = {
        {-2.7, -2}, {1e300, kIntMax}, {-1e300, kIntMin}, {std::nan(""), 0}};
    for (const auto& [value, whole] : truncated) EXPECT_EQ(truncateToInt(value), whole) << value;
}

TEST(NormalizedFieldText, ClampsAndFormatsEachKind) {
    PrimitiveParameters p;
    p.addField("Width Segments", "1", PrimitiveParameters::Whole, 1, 40);
    p.addField("Width", "100", PrimitiveParameters::Decimal, 0, 1e37f);
    p.addField("X", "0", PrimitiveParameters::Decimal, -1e37f, 1e37f);
    p.addField("Count", "0", PrimitiveParameters::Whole, -1e37f, 1e37f);  // limits beyond i32
    // Field 4 does not exist: the text is left as typed.
    const std::tuple<std::size_t, const char*, const char*> cases[] = {
        {0, "-5", "1"},
        {0, "100", "40"},
        {0, "7.9", "7"},
        {1, "12.345", "12.35"},
        {1, "-5", "0.00"},
        {1, "1e400", "9999999933815812510711506376257961984.00"},
        {2, "-1e400", "-9999999933815812510711506376257961984.00"},
        {2, "-0.125", "-0.12"},
        {3, "-12", "-12"},
        {3, "99999999999", "2147483647"},
        {4, "as typed", "as typed"}};
    for (const auto& [field, typed, shown] : cases)
        EXPECT_EQ(normalizedFieldText(p, field, typed, false), shown) << field << " " << typed;

    p.addField("Capped", "Y", PrimitiveParameters::CheckBox, -1e37f, 1e37f);
    EXPECT_EQ(normalizedFieldText(p, 4, "N", true), "Y");
    EXPECT_EQ(normalizedFieldText(p, 4, "Y", false), "N");
}

}  // namespace
}  // namespace tess

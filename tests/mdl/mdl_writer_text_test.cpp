#include "mdl/mdl_writer_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace tess {
namespace {

std::string printfReal(float v) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(v));
    return buffer;
}

std::string realText(float v) {
    std::string out;
    MdlText(out, 0).real(v);
    return out;
}

// Values that stress the fixed six-decimal conversion, then random bit patterns over
// the whole finite range.
std::vector<float> testFloats() {
    const float lo = std::numeric_limits<float>::denorm_min();
    std::vector<float> values = {0.0f,
                                 -0.0f,
                                 1.0f,
                                 -0.5f,
                                 0.1f,
                                 100.0f,
                                 1e-7f,
                                 -1e-7f,
                                 4.9999999e-7f,
                                 5e-7f,
                                 1.0000005f,
                                 0.2500005f,
                                 2.5e-6f,
                                 0.0000015f,
                                 123456.5f,
                                 16777216.0f,
                                 3.4e38f,
                                 -3.4e38f,
                                 lo,
                                 -lo,
                                 std::numeric_limits<float>::min(),
                                 std::numeric_limits<float>::max(),
                                 -std::numeric_limits<float>::max(),
                                 0.9999995f,
                                 999999.94f,
                                 -2147483648.0f};
    std::uint32_t state = 2463534242u;
    while (values.size() < 20000) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const float v = std::bit_cast<float>(state);
        if (std::isfinite(v)) values.push_back(v);
    }
    return values;
}

TEST(MdlWriterText, RealMatchesPrintfOverTheFiniteRange) {
    for (float v : testFloats())
        ASSERT_EQ(realText(v), printfReal(v)) << "bits " << std::bit_cast<std::uint32_t>(v);
    EXPECT_EQ(realText(-0.0f), "-0.000000");
    EXPECT_EQ(realText(-1e-7f), "-0.000000");
}

TEST(MdlWriterText, NonFiniteRealsBecomeReadableNumbers) {
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(realText(inf), printfReal(std::numeric_limits<float>::max()));
    EXPECT_EQ(realText(-inf), printfReal(-std::numeric_limits<float>::max()));
    EXPECT_EQ(realText(std::numeric_limits<float>::quiet_NaN()), "0.000000");
    EXPECT_EQ(realText(-std::numeric_limits<float>::quiet_NaN()), "0.000000");
}

TEST(MdlWriterText, IntegersAreSignedDecimalsAndUnsignedWordsKeepTheirBits) {
    std::string out;
    {
        MdlText text(out, 0);
        for (std::int32_t v : {0, 7, -1, 2147483647, -2147483647 - 1}) {
            text.integer(v);
            text.text(" ");
        }
        text.integer(0xFFFFFFFFu);
        text.text(" ");
        text.integer(0x80000000u);
        text.text(" ");
        text.integer(4000000000u);
    }
    EXPECT_EQ(out, "0 7 -1 2147483647 -2147483648 -1 -2147483648 -294967296");
}

TEST(MdlWriterText, PaddedFillsWithZerosUpToTheWidth) {
    std::string out = "kept ";
    {
        MdlText text(out, 0);
        for (auto [value, width] : {std::pair{7, 2}, {10, 2}, {123, 4}, {100, 4}, {2026, 4}, {12345, 4}}) {
            text.padded(value, width);
            text.text(" ");
        }
    }
    EXPECT_EQ(out, "kept 07 10 0123 0100 2026 12345 ");
}

}  // namespace
}  // namespace tess

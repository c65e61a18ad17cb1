#include "render/tga.h"

#include <gtest/gtest.h>

#include "common/temp_dir.h"
#include "render_fixture.h"

namespace tess::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
const Bytes kGrey = {204, 204, 204, 255};

Bytes pixelOf(const Bytes& pixels, std::size_t index) {
    return Bytes(pixels.begin() + static_cast<std::ptrdiff_t>(4 * index),
                 pixels.begin() + static_cast<std::ptrdiff_t>(4 * index + 4));
}

TgaImage loadBytes(const Bytes& bytes) {
    TempDir dir;
    writeBytes(dir.file("t.tga"), bytes);
    return loadTga(dir.file("t.tga"));
}

TEST(LoadTga, SwapsBlueAndRedAndKeepsTheRowOrder) {
    const TgaImage committed = loadTga(renderTestData("quadrants.tga"));
    ASSERT_TRUE(committed.ok);
    EXPECT_EQ(std::pair(committed.width, committed.height), std::pair(2, 2));
    EXPECT_EQ(committed.pixels,
              (Bytes{200, 40, 30, 255, 20, 180, 60, 255, 30, 60, 210, 255, 230, 220, 20, 255}));
}

TEST(LoadTga, UnreadableOrEmptyImagesGiveThePlaceholder) {
    TempDir dir;
    const TgaImage cases[] = {loadTga(""),
                              loadTga(dir.file("missing.tga")),
                              loadTga(dir.path()),  // a folder
                              loadBytes(Bytes(14, 0)),
                              loadBytes(tgaBytes(0, 4, Bytes(64, 7))),
                              loadBytes(tgaBytes(4, 0, Bytes(64, 7))),
                              loadBytes(tgaBytes(2, 2, {1, 2, 3}))};  // less than a pixel
    for (const TgaImage& image : cases) {
        EXPECT_FALSE(image.ok);
        EXPECT_EQ(std::pair(image.width, image.height), std::pair(1, 1));
        EXPECT_EQ(image.pixels, kGrey);
    }
}

TEST(LoadTga, ShortFilesAreCutToTheirRowsAndPaddedWithGrey) {
    Bytes body;
    for (std::uint8_t p = 0; p < 6; ++p) body.insert(body.end(), {p, 0, 100, 255});
    body.push_back(9);  // part of a seventh pixel
    const TgaImage cut = loadBytes(tgaBytes(4, 4, body));
    EXPECT_TRUE(cut.ok);
    EXPECT_EQ(std::pair(cut.width, cut.height), std::pair(4, 2));
    ASSERT_EQ(cut.pixels.size(), 4u * 2 * 4);
    EXPECT_EQ(pixelOf(cut.pixels, 5), (Bytes{100, 0, 5, 255}));
    EXPECT_EQ(pixelOf(cut.pixels, 6), kGrey);
    EXPECT_EQ(pixelOf(cut.pixels, 7), kGrey);

    const TgaImage huge = loadBytes(tgaBytes(65535, 65535, {1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(std::pair(huge.width, huge.height), std::pair(65535, 1));
    ASSERT_EQ(huge.pixels.size(), 65535u * 4);
    EXPECT_EQ(pixelOf(huge.pixels, 1), (Bytes{7, 6, 5, 8}));
    EXPECT_EQ(pixelOf(huge.pixels, 65534), kGrey);
}

TEST(MakeGlowTexture, RedSpotFadingToOpaqueBlack) {
    const Bytes glow = makeGlowTexture(64, 64, 1.0f, 0.0f, 0.0f);
    ASSERT_EQ(glow.size(), 64u * 64 * 4);
    auto at = [&glow](int x, int y) { return pixelOf(glow, static_cast<std::size_t>(y * 64 + x)); };
    EXPECT_EQ(at(32, 32), (Bytes{126, 0, 0, 255}));
    EXPECT_EQ(at(34, 32), (Bytes{124, 0, 0, 255}));  // d = 1: 124.25
    EXPECT_EQ(at(0, 0), (Bytes{0, 0, 0, 255}));
    EXPECT_EQ(at(32, 60), (Bytes{0, 0, 0, 255}));  // d = 14: below zero
    // Channel bytes wrap: trunc(3 x 126.4537) = 379 -> 123.
    const Bytes bright = makeGlowTexture(64, 64, 0.0f, 3.0f, 0.5f);
    EXPECT_EQ(pixelOf(bright, 32 * 64 + 32), (Bytes{0, 123, 63, 255}));
    EXPECT_TRUE(makeGlowTexture(0, 64, 1, 1, 1).empty());
}

}  // namespace
}  // namespace tess::testing

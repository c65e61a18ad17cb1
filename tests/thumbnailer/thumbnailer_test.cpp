#include "thumbnailer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "common/temp_dir.h"
#include "editor/primitive_generators.h"
#include "mdl/mdl_writer.h"
#include "mdx/mdx_writer.h"
#include "render/tga.h"

namespace tess::testing {
namespace {

// A ball just above the ground grid's middle whose one layer shows the red replaceable texture.
Model redBall() {
    Model model;
    model.Geosets = {generateGeosphere(0, 0, 5, 8, 2)};
    model.Textures = {{1, "", 0}};
    model.Materials.emplace_back().Layers.emplace_back();
    return model;
}

TEST(Thumbnailer, DrawsTheModelFramedOnTransparencyWithoutGridAndFailsWithoutOutput) {
    TempDir dir;
    std::vector<std::uint8_t> mdx;
    std::string mdl;
    ASSERT_FALSE(writeMdx(redBall(), mdx).hasErrors() || writeMdl(redBall(), mdl).hasErrors());
    writeBytes(dir.file("ball.mdx"), mdx);
    writeText(dir.file("ball.mdl"), mdl);
    std::ostringstream err;
    for (const char* name : {"ball.mdx", "ball.mdl"}) {
        ASSERT_EQ(runThumbnailer({"-s", "40", dir.file(name), dir.file("ball.png")}, err), kThumbnailOk)
            << err.str();
        const std::optional<TgaImage> image = decodeImage(readBytes(dir.file("ball.png")));
        ASSERT_TRUE(image) << name;
        ASSERT_EQ(std::pair(image->width, image->height), std::pair(40, 40));
        auto pixel = [&image](int x, int y) {
            const auto at = image->pixels.begin() + (y * 40 + x) * 4;
            return std::vector<std::uint8_t>(at, at + 4);
        };
        EXPECT_EQ(pixel(20, 20), (std::vector<std::uint8_t>{255, 0, 0, 255})) << name;
        for (int i = 0; i < 40 * 4; ++i)  // the border, clockwise: transparent, no grid
            EXPECT_EQ(pixel(i < 80 ? i % 40 : 39 * (i / 40 % 2), i < 80 ? 39 * (i / 40) : i % 40)[3], 0)
                << name << i;
        std::filesystem::remove(dir.file("ball.png"));
    }
    EXPECT_EQ(runThumbnailer({dir.file("ball.mdx"), dir.file("default.png")}, err), kThumbnailOk);
    EXPECT_EQ(decodeImage(readBytes(dir.file("default.png")))->width, kDefaultThumbnailSize);

    // A cut model, no model, an MDX name without MDX bytes: status 1 and the output untouched.
    writeBytes(dir.file("cut.mdx"), std::vector<std::uint8_t>(mdx.begin(), mdx.begin() + mdx.size() / 2));
    writeText(dir.file("old.png"), "old");
    for (const char* name : {"cut.mdx", "none.mdx", "ball.mdl.x"}) {
        if (std::string(name) == "ball.mdl.x") writeText(dir.file(name), mdl);
        EXPECT_EQ(runThumbnailer({dir.file(name), dir.file("old.png")}, err), kThumbnailFailed) << name;
        EXPECT_EQ(runThumbnailer({dir.file(name), dir.file("new.png")}, err), kThumbnailFailed) << name;
    }
    EXPECT_EQ(readBytes(dir.file("old.png")), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    EXPECT_FALSE(std::filesystem::exists(dir.file("new.png")));
    for (const char* size : {"0", "4097", "9x"})
        EXPECT_EQ(runThumbnailer({"-s", size, "a.mdx", "b.png"}, err), kThumbnailUsage) << size;
    EXPECT_EQ(runThumbnailer({"a.mdx", "b.png", "-s"}, err), kThumbnailUsage);
}

}  // namespace
}  // namespace tess::testing

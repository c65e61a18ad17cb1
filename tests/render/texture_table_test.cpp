#include "render/texture_table.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/temp_dir.h"
#include "render_fixture.h"

namespace tess::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Image = std::tuple<int, int, Bytes>;  // width, height, RGBA bytes
const Image kGrey{1, 1, {204, 204, 204, 255}};

Image readTexture(std::uint32_t name) {
    int width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    Bytes pixels(static_cast<std::size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return {width, height, pixels};
}

using TextureTableTest = RenderTest;

TEST_F(TextureTableTest, FilesGlowAndPlaceholders) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("textures"));
    writeBytes(dir.file("textures/skin.tga"), tgaBytes(2, 1, {10, 20, 30, 40, 50, 60, 70, 80}));
    model.Textures = {Texture{0, "Textures\\Skin.BLP", 0}, Texture{2, "Textures\\Skin.BLP", 0},
                      Texture{0, "Textures\\missing.blp", 0}, Texture{1, "", 0}};
    currentFileName = dir.file("orc.mdx");
    initialise();
    EXPECT_EQ(readTexture(modelTextureName(table, 0)), (Image{2, 1, {30, 20, 10, 40, 70, 60, 50, 80}}));
    const auto [glowWidth, glowHeight, glow] = readTexture(modelTextureName(table, 1));
    EXPECT_EQ(glowWidth * glowHeight, 64 * 64);
    EXPECT_EQ(glow[(32 * 64 + 32) * 4], 126);
    for (std::size_t missing : {2, 3, 4}) EXPECT_EQ(readTexture(modelTextureName(table, missing)), kGrey);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureTableTest, ReloadAndReleaseLeaveNoTextureBehind) {
    auto liveTextures = [] {
        int count = 0;
        for (GLuint name = 1; name < 1000; ++name) count += glIsTexture(name);
        return count;
    };
    model.Textures.resize(5);
    initialise();
    EXPECT_EQ(liveTextures(), 3 + 5 + 1);  // built-ins, model textures, placeholder
    model.Textures.clear();
    initialise();
    EXPECT_EQ(liveTextures(), 3 + 1);
    releaseTextures(table);
    EXPECT_EQ(liveTextures(), 0);
}

TEST_F(TextureTableTest, TexturesBeyondTheTableShareThePlaceholder) {
    model.Textures.resize(300);
    initialise();
    EXPECT_EQ(modelTextureName(table, 252), table.slots[255]);
    EXPECT_NE(table.slots[255], 0u);
    EXPECT_EQ(modelTextureName(table, 253), table.placeholder);
    EXPECT_EQ(readTexture(modelTextureName(table, 299)), kGrey);
}

TEST_F(TextureTableTest, ImagesTooLargeForTheGlAreScaledDown) {
    GLint limit = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
    const int width = std::min(limit + 100, 65535);
    TempDir dir;
    Bytes bgra;
    for (int x = 0; x < width; ++x) bgra.insert(bgra.end(), {0, 0, 200, 255});
    writeBytes(dir.file("wide.tga"), tgaBytes(width, 1, bgra));
    model.Textures = {Texture{0, "wide.blp", 0}};
    currentFileName = dir.file("m.mdl");
    initialise();
    const auto [w, h, pixels] = readTexture(modelTextureName(table, 0));
    EXPECT_EQ(h, 1);
    EXPECT_GT(w, 1);
    EXPECT_LE(w, limit);
    EXPECT_EQ(Bytes(pixels.begin(), pixels.begin() + 4), (Bytes{200, 0, 0, 255}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace tess::testing

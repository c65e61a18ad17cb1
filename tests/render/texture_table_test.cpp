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

// Width, height and the RGBA bytes of a texture object's image.
std::tuple<int, int, Bytes> readTexture(std::uint32_t name) {
    int width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    Bytes pixels(static_cast<std::size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return {width, height, pixels};
}

std::tuple<int, int, Bytes> onePixel(const Bytes& rgba) {
    return {1, 1, rgba};
}

const Bytes kGrey = {204, 204, 204, 255};

class TextureTableTest : public RenderTest {};

TEST_F(TextureTableTest, BuiltInSlotsFilesGlowAndPlaceholders) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("textures"));
    writeBytes(dir.file("textures/skin.tga"), tgaBytes(2, 1, {10, 20, 30, 40, 50, 60, 70, 80}));
    model.Textures = {Texture{0, "Textures\\Skin.BLP", 0}, Texture{2, "Textures\\Skin.BLP", 0},
                      Texture{0, "Textures\\missing.blp", 0}, Texture{1, "", 0}};
    currentFileName = dir.file("orc.mdx");
    initialise();
    EXPECT_EQ(readTexture(table.slots[kWhiteSlot]), onePixel({255, 255, 255, 255}));
    EXPECT_EQ(readTexture(table.slots[kReplaceableRedSlot]), onePixel({255, 0, 0, 255}));
    EXPECT_EQ(readTexture(table.slots[kSelectionTintSlot]), onePixel({136, 136, 136, 136}));
    EXPECT_EQ(modelTextureName(table, 0), table.slots[kFirstModelSlot]);
    EXPECT_EQ(readTexture(modelTextureName(table, 0)),
              (std::tuple{2, 1, Bytes{30, 20, 10, 40, 70, 60, 50, 80}}));
    const auto [glowWidth, glowHeight, glow] = readTexture(modelTextureName(table, 1));
    EXPECT_EQ(glowWidth * glowHeight, 64 * 64);
    EXPECT_EQ(glow[(32 * 64 + 32) * 4], 126);
    for (std::size_t missing : {2, 3, 4})
        EXPECT_EQ(readTexture(modelTextureName(table, missing)), onePixel(kGrey));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureTableTest, ReloadDeletesThePreviousDocumentsTextures) {
    model.Textures.resize(5);
    initialise();
    std::vector<std::uint32_t> old(table.slots.begin(), table.slots.begin() + 8);
    old.push_back(table.placeholder);
    model.Textures.clear();
    initialise();
    std::vector<std::uint32_t> current(table.slots.begin(), table.slots.begin() + 3);
    current.push_back(table.placeholder);
    EXPECT_TRUE(
        std::all_of(table.slots.begin() + 3, table.slots.end(), [](std::uint32_t n) { return n == 0; }));
    for (std::uint32_t name : old) {
        if (std::find(current.begin(), current.end(), name) == current.end()) {
            EXPECT_FALSE(glIsTexture(name)) << name;
        }
    }
    releaseTextures(table);
    for (std::uint32_t name : current) EXPECT_FALSE(glIsTexture(name)) << name;
    EXPECT_EQ(table.placeholder, 0u);
}

TEST_F(TextureTableTest, TexturesBeyondTheTableShareThePlaceholder) {
    model.Textures.resize(300);
    initialise();
    EXPECT_EQ(table.modelTextureCount, kMaxTableTextures);
    EXPECT_EQ(modelTextureName(table, 252), table.slots[255]);
    EXPECT_NE(table.slots[255], 0u);
    EXPECT_EQ(modelTextureName(table, 253), table.placeholder);
    EXPECT_EQ(readTexture(modelTextureName(table, 299)), onePixel(kGrey));
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

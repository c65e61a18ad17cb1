#include <stb_image_write.h>

#include <filesystem>

#include "common/temp_dir.h"
#include "render/texture_paths.h"
#include "render/tga.h"
#include "render_fixture.h"

namespace tess::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Paths = std::vector<std::string>;
const Bytes kGreyPixel = {204, 204, 204, 255};

// A TGA file: the 18-byte header (image type, bits per pixel, descriptor; a colour map of
// `mapLength` 32-bit entries when given), then `body` as it is.
Bytes tga(int width, int height, const Bytes& body, std::uint8_t type = 2, std::uint8_t bits = 32,
          std::uint8_t descriptor = 8, std::uint8_t mapLength = 0) {
    Bytes bytes = {0, std::uint8_t(mapLength != 0),     type, 0, 0, mapLength,
                   0, std::uint8_t(mapLength ? 32 : 0), 0,    0, 0, 0};
    for (const int size : {width, height})
        bytes.insert(bytes.end(), {std::uint8_t(size), std::uint8_t(size >> 8)});
    bytes.insert(bytes.end(), {bits, descriptor});
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

// A 3 x 2 picture, RGBA, bottom row first, as every variant below stores it.
const Bytes kPicture = {10, 20, 30, 255, 40, 50, 60, 128, 70,  80, 90,  255,
                        10, 20, 30, 255, 10, 20, 30, 255, 200, 0,  100, 255};

// The picture's pixels as B, G, R (and A when `alpha`), rows from `firstRow` on in steps of `step`.
Bytes stored(bool alpha, int firstRow = 0, int step = 1) {
    Bytes out;
    for (int row = firstRow; row >= 0 && row < 2; row += step)
        for (int p = 3 * row; p < 3 * row + 3; ++p) {
            out.insert(out.end(), {kPicture[4 * p + 2], kPicture[4 * p + 1], kPicture[4 * p]});
            if (alpha) out.push_back(kPicture[4 * p + 3]);
        }
    return out;
}

TEST(ImageDecoding, EveryTgaKindAndPngGiveThePictureAndDamagedFilesNothing) {
    TempDir dir;
    // Packets: a run of 1, 2 raw pixels, a run of 2, 1 raw pixel.
    const Bytes rle = {0x80, 30,  20,   10, 255, 0x01, 60,  50,   40,  128, 90,  80,
                       70,   255, 0x81, 30, 20,  10,   255, 0x00, 100, 0,   200, 255};
    Bytes palette = stored(true), indices = {0, 1, 2, 3, 4, 5};
    palette.insert(palette.end(), indices.begin(), indices.end());
    Bytes topRgba = kPicture;
    std::copy_n(kPicture.begin() + 12, 12, topRgba.begin());
    std::copy_n(kPicture.begin(), 12, topRgba.begin() + 12);
    ASSERT_TRUE(stbi_write_png(dir.file("p.png").c_str(), 3, 2, 4, topRgba.data(), 12));

    const std::pair<const char*, Bytes> files[] = {
        {"32-bit", tga(3, 2, stored(true))},
        {"24-bit", tga(3, 2, stored(false), 2, 24, 0)},
        {"run-length", tga(3, 2, rle, 10)},
        {"top-down", tga(3, 2, stored(true, 1, -1), 2, 32, 8 | 32)},
        {"colour-mapped", tga(3, 2, palette, 1, 8, 8, 6)},
        {"png", readBytes(dir.file("p.png"))},
    };
    for (const auto& [kind, bytes] : files) {
        Bytes expected = kPicture;
        if (bytes[16] == 24) expected[7] = 255;  // no alpha stored: opaque
        const std::optional<TgaImage> image = decodeImage(bytes);
        ASSERT_TRUE(image) << kind;
        EXPECT_EQ(std::tuple(image->width, image->height, image->pixels), std::tuple(3, 2, expected)) << kind;
        // Cut by a byte; a PNG's end chunk is not needed, so it is cut in its image data.
        const std::size_t cut = std::string_view(kind) == "png" ? bytes.size() / 2 : bytes.size() - 1;
        EXPECT_FALSE(decodeImage(Bytes(bytes.begin(), bytes.begin() + cut))) << kind << " cut short";
    }
    writeBytes(dir.file("t.tga"), files[2].second);
    EXPECT_EQ(loadTga(dir.file("t.tga"))->pixels, kPicture);
    EXPECT_FALSE(loadTga("") || loadTga(dir.file("none.tga")) || loadTga(dir.path()));
    // A header promising a huge or an empty image over a few bytes of run-length packets.
    for (const Bytes& bytes : {tga(65535, 65535, Bytes(64, 0xff), 10), tga(0, 4, Bytes(64, 7)), Bytes(14, 0)})
        EXPECT_FALSE(decodeImage(bytes)) << bytes.size() << " bytes";
    EXPECT_TRUE(makeGlowTexture(0, 64, 1, 1, 1).empty());
}

TEST(TexturePaths, FullNameThenBaseNameFoundIgnoringLetterCase) {
    EXPECT_EQ(modelDirectory("orc.mdx"), "");
    const std::tuple<std::string, std::string, std::string> names[] = {
        {"Textures\\Skin.BLP", "Textures/Skin.tga", "Skin.tga"},
        {"skinblp", "skinblp", "skinblp"},
        {"a\\sub/x.blp", "a/sub/x.tga", "sub/x.tga"},  // only a backslash ends the base name's folder
    };
    for (const auto& [image, full, base] : names)
        EXPECT_EQ(std::pair(textureFileName(image), textureBaseName(image)), std::pair(full, base));

    TempDir dir;
    const std::string root = dir.path() + "/", white = root + "Art/Textures/White.TGA";
    std::filesystem::create_directories(dir.file("Art/Textures"));
    for (const char* name : {"Art/Textures/White.TGA", "loose.tga", "x.tga"}) writeText(dir.file(name), "x");
    EXPECT_EQ(findFileIgnoringCase(root, "ART//./textures/WHITE.tga"), white);
    EXPECT_EQ(textureCandidates(root + "m.mdx", "Elsewhere\\Loose.BLP"), Paths{root + "loose.tga"});
    EXPECT_TRUE(textureCandidates(root + "m.mdx", "sub/x.blp").empty());  // no fallback to x.tga
}

using TextureTable = RenderTest;

TEST_F(TextureTable, FilesGlowAndPlaceholdersLoadedAndNothingLeftBehind) {
    auto image = [](std::uint32_t name) {
        int width = 0, height = 0;
        glBindTexture(GL_TEXTURE_2D, name);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        Bytes pixels(static_cast<std::size_t>(width) * height * 4);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return std::tuple(width, height, pixels);
    };
    auto liveTextures = [] {
        int count = 0;
        for (GLuint name = 1; name < 1000; ++name) count += glIsTexture(name);
        return count;
    };
    TempDir dir;
    std::filesystem::create_directories(dir.file("textures"));
    writeBytes(dir.file("textures/skin.tga"), Bytes(10, 0));  // unreadable: the .png names are next
    const Bytes skin = {30, 20, 10, 40, 70, 60, 50, 80};
    ASSERT_TRUE(stbi_write_png(dir.file("Skin.PNG").c_str(), 2, 1, 4, skin.data(), 8));
    model.Textures = {
        {0, "Textures\\Skin.BLP", 0}, {2, "Textures\\Skin.BLP", 0}, {0, "Textures\\missing.blp", 0}};
    model.Textures.resize(300);
    currentFileName = dir.file("orc.mdx");
    initialise();
    EXPECT_EQ(image(modelTextureName(table, 0)), std::tuple(2, 1, skin));
    const auto [glowWidth, glowHeight, glow] = image(modelTextureName(table, 1));
    EXPECT_EQ(std::tuple(glowWidth, glowHeight, glow[(32 * 64 + 32) * 4]), std::tuple(64, 64, 126));
    for (std::size_t grey : {2, 3, 299})
        EXPECT_EQ(image(modelTextureName(table, grey)), std::tuple(1, 1, kGreyPixel));
    EXPECT_EQ(modelTextureName(table, 252), table.slots[255]);
    EXPECT_EQ(modelTextureName(table, 253), table.placeholder);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(liveTextures(), 3 + 253 + 1);  // built-ins, model textures, placeholder
    model.Textures.clear();
    initialise();
    EXPECT_EQ(liveTextures(), 3 + 1);
    releaseTextures(table);
    EXPECT_EQ(liveTextures(), 0);
}

}  // namespace
}  // namespace tess::testing

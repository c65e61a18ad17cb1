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

// An uncompressed 32-bit TGA file's bytes: the 18-byte header, then `body` as it is.
Bytes tga(int width, int height, const Bytes& body) {
    Bytes bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // uncompressed true colour
    for (const int size : {width, height})
        bytes.insert(bytes.end(), {std::uint8_t(size), std::uint8_t(size >> 8)});
    bytes.insert(bytes.end(), {32, 0});
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

Bytes pixelOf(const Bytes& pixels, std::size_t index) {
    return Bytes(pixels.begin() + 4 * index, pixels.begin() + 4 * index + 4);
}

TEST(Tga, ReadsWhatTheFileHoldsCutToWholeRowsOrNothing) {
    TempDir dir;
    auto load = [&dir](const Bytes& bytes) {
        writeBytes(dir.file("t.tga"), bytes);
        return loadTga(dir.file("t.tga"));
    };
    EXPECT_FALSE(loadTga("") || loadTga(dir.file("none.tga")) || loadTga(dir.path()));
    for (const Bytes& bytes :
         {Bytes(14, 0), tga(0, 4, Bytes(64, 7)), tga(4, 0, Bytes(64, 7)), tga(2, 2, {1, 2, 3})})
        EXPECT_FALSE(load(bytes)) << bytes.size() << " bytes";  // the last: less than a pixel

    Bytes body;  // six B, G, R, A pixels and a part of a seventh for a 4 x 4 image
    for (std::uint8_t p = 0; p < 6; ++p) body.insert(body.end(), {p, 0, 100, 255});
    body.push_back(9);
    const std::optional<TgaImage> cut = load(tga(4, 4, body));
    ASSERT_TRUE(cut);
    EXPECT_EQ(std::tuple(cut->width, cut->height, cut->pixels.size()), std::tuple(4, 2, 32u));
    EXPECT_EQ(pixelOf(cut->pixels, 5), (Bytes{100, 0, 5, 255}));
    EXPECT_TRUE(pixelOf(cut->pixels, 6) == kGreyPixel && pixelOf(cut->pixels, 7) == kGreyPixel);

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
    writeBytes(dir.file("textures/skin.tga"), Bytes(10, 0));  // unreadable: the base name is next
    writeBytes(dir.file("skin.tga"), tga(2, 1, {10, 20, 30, 40, 50, 60, 70, 80}));
    model.Textures = {
        {0, "Textures\\Skin.BLP", 0}, {2, "Textures\\Skin.BLP", 0}, {0, "Textures\\missing.blp", 0}};
    model.Textures.resize(300);
    currentFileName = dir.file("orc.mdx");
    initialise();
    EXPECT_EQ(image(modelTextureName(table, 0)), std::tuple(2, 1, Bytes{30, 20, 10, 40, 70, 60, 50, 80}));
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

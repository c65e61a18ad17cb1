#include "render/texture_paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/temp_dir.h"

namespace tess::testing {
namespace {

using Paths = std::vector<std::string>;

TEST(TexturePaths, DirectoryAndNameRules) {
    EXPECT_EQ(modelDirectory("/models/orc/orc.mdx"), "/models/orc/");
    EXPECT_EQ(modelDirectory("C:\\m\\a.mdx"), "C:/m/");
    EXPECT_EQ(modelDirectory("orc.mdx"), "");
    EXPECT_EQ(textureFileName("Textures\\Skin.BLP"), "Textures/Skin.tga");
    EXPECT_EQ(textureFileName(".bLp"), ".tga");
    EXPECT_EQ(textureFileName("skin.bmp"), "skin.bmp");
    EXPECT_EQ(textureFileName("skinblp"), "skinblp");
    EXPECT_EQ(textureBaseName("Textures/Skin.tga"), "Skin.tga");
}

class TextureFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.file("Art/Textures"));
        writeText(dir.file("Art/Textures/White.TGA"), "x");
        writeText(dir.file("loose.tga"), "x");
    }
    TempDir dir;
    const std::string base = dir.path() + "/";
    const std::string white = base + "Art/Textures/White.TGA";
};

TEST_F(TextureFiles, ComponentsMatchIgnoringCaseFirstInNameOrder) {
    EXPECT_EQ(findFileIgnoringCase(base, "Art/Textures/White.TGA"), white);
    EXPECT_EQ(findFileIgnoringCase(base, "ART//./textures/WHITE.tga"), white);
    EXPECT_EQ(findFileIgnoringCase(base, "art/white.tga"), "");
    EXPECT_EQ(findFileIgnoringCase(base, "art/textures"), "");  // a folder is no texture
    EXPECT_EQ(findFileIgnoringCase(base, "loose.tga/x"), "");
    writeText(dir.file("Art/Textures/WHITE.tga"), "y");
    EXPECT_EQ(findFileIgnoringCase(base, "art/textures/white.tga"), base + "Art/Textures/WHITE.tga");
}

TEST_F(TextureFiles, CandidatesAreTheFullNameThenTheBaseName) {
    EXPECT_EQ(textureCandidates(base + "Art/m.mdx", "textures\\white.blp"), Paths{white});
    EXPECT_EQ(textureCandidates(base + "m.mdx", "Elsewhere\\Loose.BLP"), Paths{base + "loose.tga"});
    EXPECT_TRUE(textureCandidates(base + "m.mdx", "Textures\\none.blp").empty());
    // Without a model file, names are relative to the working folder.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.file("Art"));
    const Paths found = textureCandidates("", "Textures\\white.blp");
    std::filesystem::current_path(previous);
    EXPECT_EQ(found, Paths{"Textures/White.TGA"});
    writeText(dir.file("Art/white.tga"), "z");
    EXPECT_EQ(textureCandidates(base + "Art/m.mdx", "Textures\\White.blp"),
              (Paths{white, base + "Art/white.tga"}));
}

}  // namespace
}  // namespace tess::testing

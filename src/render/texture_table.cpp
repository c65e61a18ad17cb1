#include "render/texture_table.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include "render/texture_paths.h"
#include "render/tga.h"

namespace tess {

static_assert(std::is_same_v<GLuint, std::uint32_t>, "texture names are stored as std::uint32_t");

namespace {

constexpr std::uint8_t kWhitePixel[4] = {255, 255, 255, 255};
constexpr std::uint8_t kRedPixel[4] = {255, 0, 0, 255};
constexpr std::uint8_t kTintPixel[4] = {136, 136, 136, 136};
constexpr int kGlowSize = 64;
constexpr std::uint32_t kGlowReplaceableId = 2;

bool sizeAccepted(int width, int height) {
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, 4, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    GLint acceptedWidth = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &acceptedWidth);
    return acceptedWidth != 0;
}

int powerOfTwoAtMost(int size, int limit) {
    int p = 1;
    while (p * 2 <= size && p * 2 <= limit) p *= 2;
    return p;
}

void uploadPixels(std::uint32_t name, int width, int height, const std::uint8_t* pixels) {
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

// Uploads an image, scaling it to power-of-two sizes within the GL's limit when the GL
// refuses its own size (non-power-of-two sizes on old GLs, or oversized images); falls
// back to the placeholder grey if even that fails.
void uploadImage(std::uint32_t name, int width, int height, const std::vector<std::uint8_t>& pixels) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (sizeAccepted(width, height)) {
        uploadPixels(name, width, height, pixels.data());
        return;
    }
    GLint limit = 1;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
    const int scaledWidth = powerOfTwoAtMost(width, limit);
    const int scaledHeight = powerOfTwoAtMost(height, limit);
    std::vector<std::uint8_t> scaled(static_cast<std::size_t>(scaledWidth) * scaledHeight * 4);
    if (sizeAccepted(scaledWidth, scaledHeight) &&
        gluScaleImage(GL_RGBA, width, height, GL_UNSIGNED_BYTE, pixels.data(), scaledWidth, scaledHeight,
                      GL_UNSIGNED_BYTE, scaled.data()) == 0) {
        uploadPixels(name, scaledWidth, scaledHeight, scaled.data());
        return;
    }
    uploadPixels(name, 1, 1, kPlaceholderGrey);
}

}  // namespace

TgaImage loadTextureImage(const std::string& currentFileName, const Texture& texture) {
    if (texture.ReplaceableId == kGlowReplaceableId)
        return TgaImage{makeGlowTexture(kGlowSize, kGlowSize, 1.0f, 0.0f, 0.0f), kGlowSize, kGlowSize};
    for (const std::string& path : textureCandidates(currentFileName, texture.Image))
        if (std::optional<TgaImage> image = loadTga(path)) return std::move(*image);
    return placeholderImage();
}

void reloadTextures(TextureTable& table, const Model& model, const std::string& currentFileName) {
    releaseTextures(table);
    table.modelTextureCount = std::min(model.Textures.size(), kMaxTableTextures);
    const std::size_t used = kFirstModelSlot + table.modelTextureCount;
    glGenTextures(static_cast<GLsizei>(used), table.slots.data());
    glGenTextures(1, &table.placeholder);

    uploadPixels(table.slots[kWhiteSlot], 1, 1, kWhitePixel);
    uploadPixels(table.slots[kReplaceableRedSlot], 1, 1, kRedPixel);
    uploadPixels(table.slots[kSelectionTintSlot], 1, 1, kTintPixel);
    uploadPixels(table.placeholder, 1, 1, kPlaceholderGrey);
    for (std::size_t i = 0; i < table.modelTextureCount; ++i) {
        const TgaImage image = loadTextureImage(currentFileName, model.Textures[i]);
        uploadImage(table.slots[kFirstModelSlot + i], image.width, image.height, image.pixels);
    }
}

void releaseTextures(TextureTable& table) {
    for (std::uint32_t& name : table.slots) {
        if (name != 0) glDeleteTextures(1, &name);
        name = 0;
    }
    if (table.placeholder != 0) glDeleteTextures(1, &table.placeholder);
    table.placeholder = 0;
    table.modelTextureCount = 0;
}

std::uint32_t modelTextureName(const TextureTable& table, std::size_t textureIndex) {
    return textureIndex < table.modelTextureCount ? table.slots[kFirstModelSlot + textureIndex]
                                                  : table.placeholder;
}

}  // namespace tess

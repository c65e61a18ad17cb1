#include "ui/uv_texture_image.h"

#include <cstring>

#include "render/texture_table.h"

namespace tess {
namespace {

bool validTexture(const Model& model, std::int64_t index) {
    return index >= 0 && static_cast<std::uint64_t>(index) < model.Textures.size();
}

}  // namespace

std::int32_t uvShownTexture(const Document& document, std::int32_t chosen) {
    const Model& model = document.model;
    if (chosen != -1) return validTexture(model, chosen) ? chosen : -1;
    for (std::size_t g = 0; g < model.Geosets.size(); ++g) {
        const Geoset& geoset = model.Geosets[g];
        if (!document.selection.isShown(g) || geoset.textureSetCount() == 0) continue;
        if (geoset.MaterialID >= model.Materials.size()) return -1;
        const Material& material = model.Materials[geoset.MaterialID];
        if (material.Layers.empty()) return -1;
        const std::uint32_t texture = material.Layers.front().TextureID.staticValue;
        return validTexture(model, texture) ? static_cast<std::int32_t>(texture) : -1;
    }
    return -1;
}

QImage uvTextureImage(const Model& model, const std::string& modelFileName, std::int32_t index) {
    if (!validTexture(model, index)) return {};
    TgaImage image = loadTextureImage(modelFileName, model.Textures[static_cast<std::size_t>(index)]);
    const auto bytes = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4;
    if (image.width <= 0 || image.height <= 0 || image.pixels.size() < bytes) image = placeholderImage();
    const auto rowBytes = static_cast<std::size_t>(image.width) * 4;
    QImage flipped(image.width, image.height, QImage::Format_RGBA8888);
    if (flipped.isNull()) return {};  // too large to hold: shown as no image
    for (int y = 0; y < image.height; ++y)
        std::memcpy(flipped.scanLine(image.height - 1 - y),
                    image.pixels.data() + rowBytes * static_cast<std::size_t>(y), rowBytes);
    return flipped;
}

}  // namespace tess

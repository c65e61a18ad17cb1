#include "render/tga.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace tess {

namespace {

constexpr std::size_t kHeaderSize = 18;

int readLe16(const unsigned char* bytes) {
    return bytes[0] | (bytes[1] << 8);
}

std::uint8_t glowChannel(float factor, float intensity) {
    const double product = std::trunc(static_cast<double>(factor) * intensity);
    if (!std::isfinite(product)) return 0;
    double wrapped = std::fmod(product, 256.0);
    if (wrapped < 0) wrapped += 256.0;
    return static_cast<std::uint8_t>(wrapped);
}

}  // namespace

TgaImage placeholderImage() {
    return TgaImage{{std::begin(kPlaceholderGrey), std::end(kPlaceholderGrey)}, 1, 1};
}

std::optional<TgaImage> loadTga(const std::string& path) {
    if (path.empty()) return std::nullopt;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return std::nullopt;
    const std::streamoff fileSize = file.tellg();
    if (fileSize < static_cast<std::streamoff>(kHeaderSize)) return std::nullopt;

    unsigned char header[kHeaderSize];
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(header), kHeaderSize)) return std::nullopt;
    const int width = readLe16(header + 12);
    const int height = readLe16(header + 14);
    if (width == 0 || height == 0) return std::nullopt;

    const auto filePixels =
        static_cast<std::uint64_t>(fileSize - static_cast<std::streamoff>(kHeaderSize)) / 4;
    const auto rowLength = static_cast<std::uint64_t>(width);
    const std::uint64_t rows = std::min<std::uint64_t>(height, (filePixels + rowLength - 1) / rowLength);
    if (rows == 0) return std::nullopt;
    const std::uint64_t pixelCount = rowLength * rows;
    const std::uint64_t readPixels = std::min(pixelCount, filePixels);

    TgaImage image;
    image.width = width;
    image.height = static_cast<int>(rows);
    image.pixels.resize(pixelCount * 4);
    if (!file.read(reinterpret_cast<char*>(image.pixels.data()),
                   static_cast<std::streamsize>(readPixels * 4)))
        return std::nullopt;
    for (std::uint64_t p = readPixels; p < pixelCount; ++p)
        std::copy(std::begin(kPlaceholderGrey), std::end(kPlaceholderGrey), image.pixels.begin() + p * 4);
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) std::swap(image.pixels[i], image.pixels[i + 2]);
    return image;
}

std::vector<std::uint8_t> makeGlowTexture(int w, int h, float r, float g, float b) {
    if (w <= 0 || h <= 0) return {};
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float fx = static_cast<float>(x) * 32 / static_cast<float>(w);
            const float fy = static_cast<float>(y) * 32 / static_cast<float>(h);
            const float d = std::sqrt((16 - fx) * (16 - fx) + (16 - fy) * (16 - fy));
            float intensity =
                -0.0158f * d * d * d * d + 0.519025f * d * d * d - 5.003f * d * d + 2.29456f * d + 126.4537f;
            if (intensity < 0) intensity = 0;
            std::uint8_t* pixel = &pixels[(static_cast<std::size_t>(y) * w + x) * 4];
            pixel[0] = glowChannel(r, intensity);
            pixel[1] = glowChannel(g, intensity);
            pixel[2] = glowChannel(b, intensity);
            pixel[3] = 255;
        }
    }
    return pixels;
}

}  // namespace tess

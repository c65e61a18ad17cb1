#include "render/tga.h"

#include <stb_image.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>

namespace tess {

namespace {

constexpr std::size_t kTgaHeaderSize = 18;
constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
// No compressed image format expands one byte to more than this many pixels (a deflate
// byte becomes at most 1032 bytes, which hold at most 8 one-bit pixels each).
constexpr std::uint64_t kMaxPixelsPerByte = 8 * 1032;

std::uint64_t readLe16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8);
}

bool isPng(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= std::size(kPngSignature) &&
           std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin());
}

// Whether a TGA's bytes hold everything its header announces: the identification field,
// the colour map and every pixel, stored plainly or in run-length packets. The image
// library itself fills what is missing with zeros, which would show a damaged file as a
// plausible but wrong picture.
bool tgaComplete(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kTgaHeaderSize) return false;
    const std::uint64_t mapEntryBytes = (bytes[7] + 7u) / 8;
    std::uint64_t at = kTgaHeaderSize + bytes[0] + (bytes[1] != 0 ? readLe16(bytes, 5) * mapEntryBytes : 0);
    const std::uint64_t pixelBytes = (bytes[16] + 7u) / 8;
    const std::uint64_t pixelCount = readLe16(bytes, 12) * readLe16(bytes, 14);
    if (pixelBytes == 0) return false;
    const bool runLength = (bytes[2] & 8) != 0;
    if (!runLength) return at + pixelCount * pixelBytes <= bytes.size();
    for (std::uint64_t pixels = 0; pixels < pixelCount;) {
        if (at >= bytes.size()) return false;
        const std::uint8_t packet = bytes[at++];
        const std::uint64_t run = (packet & 0x7fu) + 1;
        at += (packet & 0x80) != 0 ? pixelBytes : run * pixelBytes;
        pixels += run;
    }
    return at <= bytes.size();
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

std::optional<TgaImage> decodeImage(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
    if (!isPng(bytes) && !tgaComplete(bytes)) return std::nullopt;
    const int length = static_cast<int>(bytes.size());
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(bytes.data(), length, &width, &height, &channels) || width <= 0 || height <= 0)
        return std::nullopt;
    const auto pixelCount = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (pixelCount > kMaxImagePixels || pixelCount > kMaxPixelsPerByte * bytes.size()) return std::nullopt;

    const std::unique_ptr<stbi_uc, void (*)(void*)> decoded(
        stbi_load_from_memory(bytes.data(), length, &width, &height, &channels, 4), stbi_image_free);
    if (!decoded) return std::nullopt;
    // The library gives the top row first; the texture wants the bottom row first.
    TgaImage image{std::vector<std::uint8_t>(pixelCount * 4), width, height};
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    for (std::size_t row = 0; row < static_cast<std::size_t>(height); ++row)
        std::copy_n(decoded.get() + row * rowBytes, rowBytes,
                    image.pixels.begin() + static_cast<std::ptrdiff_t>((height - 1 - row) * rowBytes));
    return image;
}

std::optional<TgaImage> loadTga(const std::string& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file.tellg();
    if (!file || size < 0 || size > INT_MAX) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
    return decodeImage(bytes);
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

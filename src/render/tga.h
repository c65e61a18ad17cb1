#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tess {

// An image as handed to OpenGL: 4 bytes per pixel in the order R, G, B, A, the first row
// being the bottom row of the picture (and so of the texture).
struct TgaImage {
    std::vector<std::uint8_t> pixels;
    int width = 0;
    int height = 0;
};

// The light grey pixel that stands in for a texture that cannot be read.
inline constexpr std::uint8_t kPlaceholderGrey[4] = {204, 204, 204, 255};

// The largest image decoded, in pixels (a 256 MB RGBA buffer); larger ones are refused.
inline constexpr std::uint64_t kMaxImagePixels = std::uint64_t{1} << 26;

// The 1 x 1 image of kPlaceholderGrey, shown where no image could be read.
TgaImage placeholderImage();

// Decodes the bytes of an image file: TGA of every kind (true colour of 24 or 32 bits,
// grey, colour-mapped, uncompressed or run-length encoded, stored bottom-up or top-down),
// PNG, and the other formats the image library knows, all turned into RGBA with the bottom
// row first. Nothing for bytes that are not a whole image of a known kind (a truncated or
// damaged file), for a width or height of 0, and for an image of more than kMaxImagePixels
// pixels or of more pixels than its bytes could possibly describe, so that a short file
// never makes a large buffer. Only the given bytes are read.
std::optional<TgaImage> decodeImage(std::span<const std::uint8_t> bytes);

// decodeImage on the contents of the file at `path`; nothing for an empty path or a file
// that cannot be opened or read.
std::optional<TgaImage> loadTga(const std::string& path);

// A w x h radial glow on opaque black, centred in the image, brightest (about 126 times
// each colour factor) in the middle; channel bytes are the truncated products modulo 256.
// Non-positive sizes give no pixels.
std::vector<std::uint8_t> makeGlowTexture(int w, int h, float r, float g, float b);

}  // namespace tess

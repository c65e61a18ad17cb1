#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tess {

// An image as handed to OpenGL: 4 bytes per pixel in the order R, G, B, A, rows in the
// order the file stores them (the first row becomes the bottom row of a texture).
struct TgaImage {
    std::vector<std::uint8_t> pixels;
    int width = 0;
    int height = 0;
};

// The light grey pixel that stands in for a texture that cannot be read.
inline constexpr std::uint8_t kPlaceholderGrey[4] = {204, 204, 204, 255};

// The 1 x 1 image of kPlaceholderGrey, shown where no image could be read.
TgaImage placeholderImage();

// Reads an uncompressed 32-bit TGA: width and height from the header, pixels from byte 18
// on, each pixel's B, G, R, A turned into R, G, B, A. Nothing else of the header is read,
// so other kinds of TGA load as garbage rather than failing.
// Nothing (the caller shows placeholderImage) for an empty path, a file that cannot be
// opened or read, a file too short for its header, a width or height of 0, or no whole
// pixel after the header. A file shorter than its header promises keeps the header's
// width, but its height is cut to the rows the file begins; the missing pixels of the last
// row are placeholder grey. So nothing is read past the end of the file and the image is
// never larger than the file's pixel bytes plus one row.
std::optional<TgaImage> loadTga(const std::string& path);

// A w x h radial glow on opaque black, centred in the image, brightest (about 126 times
// each colour factor) in the middle; channel bytes are the truncated products modulo 256.
// Non-positive sizes give no pixels.
std::vector<std::uint8_t> makeGlowTexture(int w, int h, float r, float g, float b);

}  // namespace tess

// Decodes arbitrary bytes as a texture image file. The sanitizers catch any read outside the
// input, and libFuzzer's limits catch unbounded allocation. Whatever the bytes, an image that
// comes out must have whole RGBA rows for its size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "render/tga.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<tess::TgaImage> image = tess::decodeImage(std::span(data, size));
    if (image && (image->width <= 0 || image->height <= 0 ||
                  image->pixels.size() != static_cast<std::size_t>(image->width) * image->height * 4))
        std::abort();
    return 0;
}

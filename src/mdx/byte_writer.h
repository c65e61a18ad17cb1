#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "mdx/little_endian.h"

namespace tess {

// Writes little-endian values into a buffer the caller has already sized from the
// computed file size. Writing past the end is a programmer error (a size function that
// disagrees with the writer) and asserts.
class ByteWriter {
public:
    ByteWriter(std::uint8_t* begin, std::uint8_t* end) : p_(begin), end_(end) {}

    std::uint8_t* position() const { return p_; }
    bool atEnd() const { return p_ == end_; }

    // Hands out the next `n` bytes for bulk encoding and moves past them.
    std::uint8_t* take(std::size_t n) {
        assert(static_cast<std::size_t>(end_ - p_) >= n);
        std::uint8_t* p = p_;
        p_ += n;
        return p;
    }

    void u8(std::uint8_t v) { *take(1) = v; }
    void u32(std::uint32_t v) { storeU32(take(4), v); }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f32(float v) { storeF32(take(4), v); }
    void vec3(const Vec3& v) { storeVec3(take(12), v); }
    // A red, green, blue colour stored blue, green, red.
    void bgr(const Vec3& v) { vec3({v[2], v[1], v[0]}); }
    // `text` in a zero-filled field of `width` bytes, cut to width - 1 bytes so the field
    // always keeps a terminating zero.
    void fixedString(const std::string& text, std::size_t width) {
        std::uint8_t* p = take(width);
        const std::size_t length = text.size() < width ? text.size() : width - 1;
        std::memcpy(p, text.data(), length);
        std::memset(p + length, 0, width - length);
    }

private:
    std::uint8_t* p_;
    std::uint8_t* end_;
};

}  // namespace tess

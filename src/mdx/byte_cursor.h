#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "mdx/little_endian.h"

namespace tess {

// A bounds-checked little-endian reader over a whole file image held in memory. It
// never reads at or past its limit (the file size, or a lower bound set while a chunk
// is read). A read that does not fit sets the failed state and returns zero; once
// failed, every read fails and the position stays where it was, so callers may run a
// sequence of reads and test failed() once afterwards. The bytes are borrowed: they
// must outlive the cursor.
class ByteCursor {
public:
    explicit ByteCursor(std::span<const std::uint8_t> bytes)
        : data_(bytes.data()), size_(bytes.size()), limit_(bytes.size()) {}

    std::size_t position() const { return pos_; }
    std::size_t fileSize() const { return size_; }
    std::size_t limit() const { return limit_; }
    bool failed() const { return failed_; }
    bool atLimit() const { return pos_ >= limit_; }
    std::size_t remaining() const { return failed_ ? 0 : limit_ - pos_; }

    // Restricts reading to [position, limit); `limit` is clamped to the file size.
    void setLimit(std::size_t limit) { limit_ = limit < size_ ? limit : size_; }
    // Forgets a failure and moves to `position` (clamped to the limit), to go on after a
    // damaged chunk.
    void resumeAt(std::size_t position) {
        failed_ = false;
        pos_ = position < limit_ ? position : limit_;
    }

    // True when `count` elements of `elementSize` bytes fit in the bytes left; fails the
    // cursor otherwise. Call before allocating anything sized by `count`.
    bool require(std::uint64_t count, std::uint64_t elementSize) {
        if (failed_) return false;
        if (elementSize != 0 && count > remaining() / elementSize) {
            failed_ = true;
            return false;
        }
        return true;
    }

    // Returns the next `n` bytes and moves past them, or nullptr (and fails) when fewer
    // are left.
    const std::uint8_t* take(std::uint64_t n) {
        if (!require(n, 1)) return nullptr;
        const std::uint8_t* p = data_ + pos_;
        pos_ += static_cast<std::size_t>(n);
        return p;
    }

    bool skip(std::uint64_t n) { return take(n) != nullptr; }

    std::uint8_t u8() {
        const std::uint8_t* p = take(1);
        return p ? *p : 0;
    }
    std::uint32_t u32() {
        const std::uint8_t* p = take(4);
        return p ? loadU32(p) : 0;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    float f32() {
        const std::uint8_t* p = take(4);
        return p ? loadF32(p) : 0.0f;
    }
    Vec3 vec3() {
        const std::uint8_t* p = take(12);
        return p ? loadVec3(p) : Vec3{};
    }
    // A colour stored blue, green, red, returned red, green, blue.
    Vec3 bgr() {
        const Vec3 v = vec3();
        return {v[2], v[1], v[0]};
    }
    // A zero-padded field of `width` bytes: the text up to the first zero byte (the
    // whole field when it holds none).
    std::string fixedString(std::size_t width) {
        const std::uint8_t* p = take(width);
        if (!p) return {};
        const void* zero = std::memchr(p, 0, width);
        const std::size_t length =
            zero ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - p) : width;
        return std::string(reinterpret_cast<const char*>(p), length);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t limit_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

}  // namespace tess

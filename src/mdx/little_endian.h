#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "model/track.h"

namespace tess {

// Little-endian loads and stores on raw bytes, at any alignment. On little-endian hosts
// they are plain moves; elsewhere the bytes are assembled one by one.

inline constexpr bool kLittleEndianHost = std::endian::native == std::endian::little;

inline std::uint16_t loadU16(const std::uint8_t* p) {
    if constexpr (kLittleEndianHost) {
        std::uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    } else {
        return static_cast<std::uint16_t>(p[0] | p[1] << 8);
    }
}

inline std::uint32_t loadU32(const std::uint8_t* p) {
    if constexpr (kLittleEndianHost) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    } else {
        return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
               static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    }
}

inline std::int32_t loadI32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(loadU32(p));
}

inline float loadF32(const std::uint8_t* p) {
    return std::bit_cast<float>(loadU32(p));
}

inline Vec3 loadVec3(const std::uint8_t* p) {
    return {loadF32(p), loadF32(p + 4), loadF32(p + 8)};
}

inline void storeU16(std::uint8_t* p, std::uint16_t v) {
    if constexpr (kLittleEndianHost) {
        std::memcpy(p, &v, 2);
    } else {
        p[0] = static_cast<std::uint8_t>(v);
        p[1] = static_cast<std::uint8_t>(v >> 8);
    }
}

inline void storeU32(std::uint8_t* p, std::uint32_t v) {
    if constexpr (kLittleEndianHost) {
        std::memcpy(p, &v, 4);
    } else {
        p[0] = static_cast<std::uint8_t>(v);
        p[1] = static_cast<std::uint8_t>(v >> 8);
        p[2] = static_cast<std::uint8_t>(v >> 16);
        p[3] = static_cast<std::uint8_t>(v >> 24);
    }
}

inline void storeF32(std::uint8_t* p, float v) {
    storeU32(p, std::bit_cast<std::uint32_t>(v));
}

inline void storeVec3(std::uint8_t* p, const Vec3& v) {
    storeF32(p, v[0]);
    storeF32(p + 4, v[1]);
    storeF32(p + 8, v[2]);
}

// Bulk moves of float tuples (positions, normals, texture coordinates) between an array
// and the bytes of a file, `4 * N` bytes per element: one copy on little-endian hosts.
template <std::size_t N>
void loadFloatTuples(std::span<std::array<float, N>> to, const std::uint8_t* from) {
    static_assert(sizeof(std::array<float, N>) == 4 * N, "tuples must be packed floats");
    if constexpr (kLittleEndianHost) {
        if (!to.empty()) std::memcpy(to.data(), from, to.size_bytes());
    } else {
        for (std::array<float, N>& tuple : to)
            for (float& value : tuple) {
                value = loadF32(from);
                from += 4;
            }
    }
}

template <std::size_t N>
void storeFloatTuples(std::uint8_t* to, std::span<const std::array<float, N>> from) {
    static_assert(sizeof(std::array<float, N>) == 4 * N, "tuples must be packed floats");
    if constexpr (kLittleEndianHost) {
        if (!from.empty()) std::memcpy(to, from.data(), from.size_bytes());
    } else {
        for (const std::array<float, N>& tuple : from)
            for (float value : tuple) {
                storeF32(to, value);
                to += 4;
            }
    }
}

}  // namespace tess

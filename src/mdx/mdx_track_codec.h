#pragma once

#include <cstddef>
#include <cstdint>

#include "mdx/byte_writer.h"
#include "mdx/little_endian.h"
#include "model/track.h"

namespace tess {

// How one track value kind is laid out in MDX: its byte size and its encoding.
template <class V>
struct MdxValue;

template <>
struct MdxValue<float> {
    static constexpr std::size_t kSize = 4;
    static float load(const std::uint8_t* p) { return loadF32(p); }
    static void store(std::uint8_t* p, float v) { storeF32(p, v); }
};

template <>
struct MdxValue<std::uint32_t> {
    static constexpr std::size_t kSize = 4;
    static std::uint32_t load(const std::uint8_t* p) { return loadU32(p); }
    static void store(std::uint8_t* p, std::uint32_t v) { storeU32(p, v); }
};

template <>
struct MdxValue<Vec3> {
    static constexpr std::size_t kSize = 12;
    static Vec3 load(const std::uint8_t* p) { return loadVec3(p); }
    static void store(std::uint8_t* p, const Vec3& v) { storeVec3(p, v); }
};

template <>
struct MdxValue<Quat> {
    static constexpr std::size_t kSize = 16;
    static Quat load(const std::uint8_t* p) {
        return {loadF32(p), loadF32(p + 4), loadF32(p + 8), loadF32(p + 12)};
    }
    static void store(std::uint8_t* p, const Quat& v) {
        for (std::size_t i = 0; i < 4; ++i) storeF32(p + 4 * i, v[i]);
    }
};

// Bytes of the track header: tag, key count, interpolation type, global sequence.
inline constexpr std::size_t kTrackHeaderSize = 16;

// Bytes of one key: time, value, and both tangents when the type carries them.
template <class V>
constexpr std::size_t mdxKeySize(bool tangents) {
    return 4 + MdxValue<V>::kSize * (tangents ? 3 : 1);
}

// Bytes the track occupies in a file: 0 when it has no keys (it is then not written).
template <class V>
std::size_t trackSize(const Track<V>& track) {
    if (track.keys.empty()) return 0;
    return kTrackHeaderSize + track.keys.size() * mdxKeySize<V>(hasTangents(track.interpolationType));
}

// Writes the track under `tag` when it has keys; writes nothing otherwise. Tangents are
// written for every kind whose type carries them, integer tracks included.
template <class V>
void writeTrack(ByteWriter& out, std::uint32_t tag, const Track<V>& track) {
    if (track.keys.empty()) return;
    const bool tangents = hasTangents(track.interpolationType);
    out.u32(tag);
    out.u32(static_cast<std::uint32_t>(track.keys.size()));
    out.i32(track.interpolationType);
    out.i32(track.GlobalSeqId);
    std::uint8_t* p = out.take(track.keys.size() * mdxKeySize<V>(tangents));
    for (const TrackKey<V>& key : track.keys) {
        storeU32(p, static_cast<std::uint32_t>(key.time));
        MdxValue<V>::store(p + 4, key.value);
        p += 4 + MdxValue<V>::kSize;
        if (tangents) {
            MdxValue<V>::store(p, key.InTan);
            MdxValue<V>::store(p + MdxValue<V>::kSize, key.OutTan);
            p += 2 * MdxValue<V>::kSize;
        }
    }
}

}  // namespace tess

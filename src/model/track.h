#pragma once

#include <array>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace tess {

using Vec2 = std::array<float, 2>;
using Vec3 = std::array<float, 3>;
using Quat = std::array<float, 4>;   // x, y, z, w
using Mat4 = std::array<float, 16>;  // row-major, element (r, k) at 4r + k

// Interpolation codes shared by both file formats. A track carries tangents in its
// keys (and in files) only when its code is above Linear.
enum InterpolationType : std::int32_t {
    DontInterp = 0,
    Linear = 1,
    Hermite = 2,
    Bezier = 3,
};

inline bool hasTangents(std::int32_t interpolationType) {
    return interpolationType > Linear;
}

template <class V>
struct TrackKey {
    std::int32_t time = 0;
    V value{};
    V InTan{};
    V OutTan{};

    friend bool operator==(const TrackKey&, const TrackKey&) = default;
};

// The constant value a track has while it has no keys. Quaternion tracks have none.
template <class V>
struct TrackStatic {
    V staticValue{};
    friend bool operator==(const TrackStatic&, const TrackStatic&) = default;
};
template <>
struct TrackStatic<Quat> {
    friend bool operator==(const TrackStatic&, const TrackStatic&) = default;
};

// An animated property: interpolation, optional global sequence, keys in stored
// order (times expected to ascend, but kept as the file wrote them) and, for all kinds
// but quaternion, a static value. `interpolationType` is signed: the text reader stores
// -1 for an unknown name. Stored data only: evaluation results live in the pose.
template <class V>
struct Track : TrackStatic<V> {
    using Value = V;
    using Key = TrackKey<V>;

    std::int32_t interpolationType = Linear;
    std::int32_t GlobalSeqId = -1;
    std::vector<Key> keys;

    bool keyed() const { return !keys.empty(); }

    friend bool operator==(const Track&, const Track&) = default;
};

using FloatTrack = Track<float>;
using IntTrack = Track<std::uint32_t>;
using VectorTrack = Track<Vec3>;
using QuatTrack = Track<Quat>;

template <class V>
constexpr bool kIsQuaternionTrack = std::is_same_v<V, Quat>;

}  // namespace tess

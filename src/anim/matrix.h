#pragma once

#include "model/track.h"

namespace tess {

// 4 x 4 matrices in the model's convention: row-major, element (r, k) at 4r + k, points as
// column vectors (p' = M * p), translation in elements 3, 7 and 11.

inline constexpr Mat4 kIdentityMatrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

inline Mat4 multiply(const Mat4& a, const Mat4& b) {
    Mat4 p{};
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k) {
            float sum = 0;
            for (int j = 0; j < 4; ++j) sum += a[4 * r + j] * b[4 * j + k];
            p[4 * r + k] = sum;
        }
    return p;
}

inline Mat4 translationMatrix(const Vec3& v) {
    Mat4 m = kIdentityMatrix;
    m[3] = v[0];
    m[7] = v[1];
    m[11] = v[2];
    return m;
}

// The rotation matrix of (x, y, z, w), used as given (a quaternion that is not of unit
// length also scales).
inline Mat4 rotationMatrix(const Quat& q) {
    const float x = q[0], y = q[1], z = q[2], w = q[3];
    return {1 - 2 * (y * y + z * z),
            2 * (x * y - z * w),
            2 * (x * z + y * w),
            0,
            2 * (x * y + z * w),
            1 - 2 * (x * x + z * z),
            2 * (y * z - x * w),
            0,
            2 * (x * z - y * w),
            2 * (y * z + x * w),
            1 - 2 * (x * x + y * y),
            0,
            0,
            0,
            0,
            1};
}

inline Vec3 transformPoint(const Mat4& m, const Vec3& p) {
    return {m[0] * p[0] + m[1] * p[1] + m[2] * p[2] + m[3], m[4] * p[0] + m[5] * p[1] + m[6] * p[2] + m[7],
            m[8] * p[0] + m[9] * p[1] + m[10] * p[2] + m[11]};
}

}  // namespace tess

#include "editor/screen_geometry.h"

#include <array>

namespace tess {
namespace {

// Whether the line through one edge of the triangle has every corner of the rectangle
// [x0, x1] x [y0, y1] strictly on the side away from the triangle (exactly so in real
// arithmetic): a quick answer for most triangles that only come near the rectangle.
bool edgeSeparates(const std::array<Vec2, 3>& p, double x0, double y0, double x1, double y1) {
    const double area = doubleArea(p[0], p[1], p[2]);
    if (area == 0) return false;
    for (std::size_t i = 0; i < 3; ++i) {
        const Vec2& a = p[i];
        const Vec2& b = p[(i + 1) % 3];
        // Oriented so that the triangle's inside is where the edge function is positive.
        const double ex = area > 0 ? double{b[0]} - a[0] : double{a[0]} - b[0];
        const double ey = area > 0 ? double{b[1]} - a[1] : double{a[1]} - b[1];
        // The rectangle corner where the edge function is largest.
        const double cx = ey > 0 ? x0 : x1;
        const double cy = ex > 0 ? y1 : y0;
        if (ex * (cy - a[1]) - ey * (cx - a[0]) < 0) return true;
    }
    return false;
}

}  // namespace

bool segmentsCross(Vec2 a0, Vec2 a1, Vec2 b0, Vec2 b1) {
    const double ax0 = a0[0], ay0 = a0[1], ax1 = a1[0], ay1 = a1[1];
    const double bx0 = b0[0], by0 = b0[1], bx1 = b1[0], by1 = b1[1];
    const double dA = ax1 - ax0;
    const double dB = bx1 - bx0;
    if (dA == 0) {
        // b's x range must hold a's x: never when b is vertical too, so dB is not zero below.
        if ((ax0 >= bx0) == (ax0 >= bx1)) return false;
        const double y = (by1 - by0) / dB * (ax0 - bx0) + by0;
        return (y >= ay0) != (y >= ay1);
    }
    if (dB == 0) {
        if ((bx0 >= ax0) == (bx0 > ax1)) return false;
        const double y = (ay1 - ay0) / dA * (bx0 - ax0) + ay0;
        return (y >= by0) != (y >= by1);
    }
    const double mA = (ay1 - ay0) / dA;
    const double mB = (by1 - by0) / dB;
    if (mA == mB) return false;  // parallel (and below, mA - mB is not zero)
    const bool a0Above = (ax0 - bx0) * mB < ay0 - by0;
    const bool a1Above = (ax1 - bx0) * mB < ay1 - by0;
    if (a0Above == a1Above) return false;
    const double x = (mA * ax0 - mB * bx0 + by0 - ay0) / (mA - mB);
    return ((x >= ax0) != (x >= ax1)) && ((x >= bx0) != (x > bx1));
}

bool touchesRectangleAcross(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 s, Vec2 e) {
    if (edgeSeparates({p0, p1, p2}, std::min(s[0], e[0]), std::min(s[1], e[1]), std::max(s[0], e[0]),
                      std::max(s[1], e[1])))
        return false;
    const Vec2 es{e[0], s[1]};
    const Vec2 se{s[0], e[1]};
    if (pointInTriangle(p0, p1, p2, e) || pointInTriangle(p0, p1, p2, s) || pointInTriangle(p0, p1, p2, es))
        return true;
    const std::array<std::array<Vec2, 2>, 4> sides{{{e, es}, {e, se}, {s, es}, {s, se}}};
    const std::array<std::array<Vec2, 2>, 3> edges{{{p0, p1}, {p0, p2}, {p1, p2}}};
    for (const auto& side : sides)
        for (const auto& edge : edges)
            if (segmentsCross(side[0], side[1], edge[0], edge[1])) return true;
    return false;
}

}  // namespace tess

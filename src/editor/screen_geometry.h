#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/track.h"

namespace tess {

// Plane geometry in window coordinates (x to the right, y downward, pixels) for screen-space
// picking. Points are (x, y). Everything is computed in double from the float inputs; no
// function divides by zero, and for finite inputs no NaN ever decides a result. Where a point
// lies exactly on a border, each function follows its own stated rule. What the picking
// loops call for every vertex or triangle is defined here, so that it inlines.

// Whether segment a0-a1 crosses segment b0-b1; parallel segments (two vertical ones
// included) never do. At the ends: the crossing's x must lie in a's x range, lower end in and
// upper end out, and in b's, which is [b0x, b1x] when b0 is left of b1 and (b1x, b0x) when not.
// A vertical segment is met where the other passes its x: in b's range as a's is taken above
// when a is the vertical one, in a's range as b's is taken above when b is; the crossing's y
// must then lie in the vertical segment's y range, lower end in and upper end out.
bool segmentsCross(Vec2 a0, Vec2 a1, Vec2 b0, Vec2 b1);

// Whether the ray from the origin straight down the window (toward growing y, without end)
// crosses the edge a-b, whose ends are given relative to the ray's start: 0 lies in the
// edge's x range, closed at its lower end and open at its upper end (so a ray through a
// corner is counted once where the outline passes the corner and zero or two times where it
// turns back; a vertical edge is never met), and the edge passes at or below the start.
inline bool rayCrossesEdge(double ax, double ay, double bx, double by) {
    const bool bRight = bx >= 0;
    const double below = ay * bx - ax * by;  // the edge's y at x = 0, times bx - ax
    return ((ax >= 0) != bRight) & ((bRight & (below >= 0)) | (!bRight & (below <= 0)));
}

// Twice the signed area of the triangle; finite exactly when every corner is.
inline double doubleArea(Vec2 p0, Vec2 p1, Vec2 p2) {
    return (double{p1[0]} - p0[0]) * (double{p2[1]} - p0[1]) -
           (double{p1[1]} - p0[1]) * (double{p2[0]} - p0[0]);
}

// Whether q lies inside the triangle p0 p1 p2: the downward ray from q crosses exactly one of
// its edges. A triangle of zero area (or with a non-finite corner) contains no point.
inline bool pointInTriangle(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 q) {
    const double x0 = double{p0[0]} - q[0], y0 = double{p0[1]} - q[1];
    const double x1 = double{p1[0]} - q[0], y1 = double{p1[1]} - q[1];
    const double x2 = double{p2[0]} - q[0], y2 = double{p2[1]} - q[1];
    const int crossings = int{rayCrossesEdge(x0, y0, x1, y1)} + int{rayCrossesEdge(x1, y1, x2, y2)} +
                          int{rayCrossesEdge(x2, y2, x0, y0)};
    if (crossings != 1) return false;
    const double area = doubleArea(p0, p1, p2);
    return area != 0 && std::isfinite(area);
}

// Whether q lies in the rectangle with opposite corners a and b: exactly one of qx >= ax,
// qx >= bx holds, and exactly one of qy >= ay, qy > by.
inline bool pointInRectangle(Vec2 a, Vec2 b, Vec2 q) {
    return ((q[0] >= a[0]) != (q[0] >= b[0])) & ((q[1] >= a[1]) != (q[1] > b[1]));
}

// The depth at q of the plane through the screen positions p0, p1, p2 (x, y, depth): depth
// interpolated linearly in window pixels, exact at the corners. Meant for q inside the
// triangle. A triangle of zero area (or with a non-finite corner) has no such plane: the
// smallest corner depth.
inline double depthInTriangle(const Vec3& p0, const Vec3& p1, const Vec3& p2, Vec2 q) {
    const double e1x = double{p1[0]} - p0[0], e1y = double{p1[1]} - p0[1];
    const double e2x = double{p2[0]} - p0[0], e2y = double{p2[1]} - p0[1];
    const double area = e1x * e2y - e1y * e2x;
    if (area == 0 || !std::isfinite(area)) return std::min({p0[2], p1[2], p2[2]});
    const double qx = double{q[0]} - p0[0], qy = double{q[1]} - p0[1];
    // The weights of p1 and p2 at q, times the area.
    const double weight1 = qx * e2y - qy * e2x;
    const double weight2 = e1x * qy - e1y * qx;
    return p0[2] + (weight1 * (double{p1[2]} - p0[2]) + weight2 * (double{p2[2]} - p0[2])) / area;
}

// Where a point lies against a click or a rectangle, one bit per fact, so that most
// triangles are judged from their corners' codes alone.
inline constexpr std::uint8_t kCodeRight = 1;       // click: x >= its x; rectangle: beyond its right
inline constexpr std::uint8_t kCodeBelow = 2;       // click: y >= its y; rectangle: beyond its bottom
inline constexpr std::uint8_t kCodeLeft = 4;        // rectangle: beyond its left
inline constexpr std::uint8_t kCodeAbove = 8;       // rectangle: beyond its top
inline constexpr std::uint8_t kCodeInside = 16;     // rectangle: pointInRectangle(e, s, p)
inline constexpr std::uint8_t kCodeNotFinite = 32;  // a coordinate is NaN or infinite (no other bit)

inline bool isFinitePoint(Vec2 p) {
    // x - x is 0 for a finite x and NaN otherwise.
    return (p[0] - p[0]) + (p[1] - p[1]) == 0;
}

// The code of p against the click q: kCodeRight and kCodeBelow (neither for a NaN).
inline std::uint8_t clickCode(Vec2 p, Vec2 q) {
    return static_cast<std::uint8_t>((p[0] >= q[0] ? kCodeRight : 0) | (p[1] >= q[1] ? kCodeBelow : 0));
}

// Whether corners whose click codes have this union and this intersection lie on both sides
// of the click in x and in y. pointInTriangle is false for any triangle whose corners do not:
// the ray must meet an edge that spans the click's x, and exactly one crossing needs corners
// above the click (with none, no edge passes below it) and at or below it (with all, every
// spanning edge does, an even number).
inline bool aroundClick(unsigned any, unsigned all) {
    return ((any & ~all) & (kCodeRight | kCodeBelow)) == (kCodeRight | kCodeBelow);
}

// The code of p against the rectangle of the drag from s to e.
inline std::uint8_t rectangleCode(Vec2 p, Vec2 s, Vec2 e) {
    if (!isFinitePoint(p)) return kCodeNotFinite;
    return static_cast<std::uint8_t>(
        (p[0] > std::max(s[0], e[0]) ? kCodeRight : 0) | (p[1] > std::max(s[1], e[1]) ? kCodeBelow : 0) |
        (p[0] < std::min(s[0], e[0]) ? kCodeLeft : 0) | (p[1] < std::min(s[1], e[1]) ? kCodeAbove : 0) |
        (pointInRectangle(e, s, p) ? kCodeInside : 0));
}

// triangleTouchesRectangle for a finite triangle none of whose corners lies in the rectangle
// or beyond the same side of it.
bool touchesRectangleAcross(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 s, Vec2 e);

// triangleTouchesRectangle with the corners' rectangleCode given.
inline bool triangleTouchesRectangle(std::uint8_t c0, std::uint8_t c1, std::uint8_t c2, Vec2 p0, Vec2 p1,
                                     Vec2 p2, Vec2 s, Vec2 e) {
    const unsigned any = c0 | c1 | c2;
    const unsigned all = c0 & c1 & c2;
    // Settled by the codes: a corner not finite (no), a corner inside (yes), all beyond one side (no).
    const bool settled = (any & (kCodeNotFinite | kCodeInside)) != 0 ||
                         (all & (kCodeRight | kCodeBelow | kCodeLeft | kCodeAbove)) != 0;
    if (settled) return (any & (kCodeNotFinite | kCodeInside)) == kCodeInside;
    return touchesRectangleAcross(p0, p1, p2, s, e);
}

// Whether the triangle touches the rectangle spanned by the drag start s and end e: a corner
// of the triangle lies in the rectangle (pointInRectangle(e, s, corner)), the corner e, s or
// (ex, sy) lies in the triangle, or an edge of the triangle crosses a side of the rectangle
// (segmentsCross(side, edge)). A triangle of zero area is touched through its corners and
// edges only; one with a non-finite corner touches nothing.
inline bool triangleTouchesRectangle(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 s, Vec2 e) {
    return triangleTouchesRectangle(rectangleCode(p0, s, e), rectangleCode(p1, s, e), rectangleCode(p2, s, e),
                                    p0, p1, p2, s, e);
}

}  // namespace tess

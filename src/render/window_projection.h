#pragma once

#include <array>

#include "model/track.h"

namespace tess {

// A point in window coordinates: x and y in pixels with y counted upward from the bottom
// of the viewport's framebuffer, z the depth in 0..1 (as the projection maps it).
struct WindowPoint {
    double x = 0;
    double y = 0;
    double z = 0;
};

// The transform from object to window coordinates that the GL state holds when it is
// captured: the same arithmetic as gluProject, with the two matrices multiplied once so
// that projecting many points is cheap.
class WindowProjection {
public:
    // Reads the current modelview and projection matrices and the viewport.
    static WindowProjection current();

    // False, leaving `out` as it was, when the point projects to w = 0.
    bool project(const Vec3& point, WindowPoint& out) const { return project(point, out, false); }
    // As project, but false also for a point behind the eye (w < 0).
    bool projectInFront(const Vec3& point, WindowPoint& out) const { return project(point, out, true); }

    // x, y, width, height of the viewport that was captured.
    const std::array<int, 4>& viewport() const { return viewport_; }

private:
    bool project(const Vec3& point, WindowPoint& out, bool inFrontOnly) const;

    std::array<double, 16> clipFromObject_{};  // column-major, as GL stores matrices
    std::array<int, 4> viewport_{};
};

}  // namespace tess

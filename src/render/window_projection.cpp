#include "render/window_projection.h"

#include <GL/gl.h>

namespace tess {

WindowProjection WindowProjection::current() {
    std::array<double, 16> modelview{};
    std::array<double, 16> projection{};
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    WindowProjection result;
    glGetIntegerv(GL_VIEWPORT, result.viewport_.data());
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += projection[4 * k + row] * modelview[4 * column + k];
            result.clipFromObject_[4 * column + row] = sum;
        }
    return result;
}

bool WindowProjection::project(const Vec3& point, WindowPoint& out, bool inFrontOnly) const {
    const std::array<double, 16>& m = clipFromObject_;
    const double x = point[0], y = point[1], z = point[2];
    const double w = m[3] * x + m[7] * y + m[11] * z + m[15];
    if (inFrontOnly ? !(w > 0.0) : w == 0.0) return false;
    const double nx = (m[0] * x + m[4] * y + m[8] * z + m[12]) / w;
    const double ny = (m[1] * x + m[5] * y + m[9] * z + m[13]) / w;
    const double nz = (m[2] * x + m[6] * y + m[10] * z + m[14]) / w;
    out.x = viewport_[0] + (1 + nx) * viewport_[2] / 2;
    out.y = viewport_[1] + (1 + ny) * viewport_[3] / 2;
    out.z = (1 + nz) / 2;
    return true;
}

}  // namespace tess

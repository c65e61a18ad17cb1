#include "view/framing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace tess {

namespace {

using Vector = std::array<double, 3>;
using Matrix = std::array<Vector, 3>;  // rows

constexpr double kFill = 0.9;
constexpr double kHalfFieldOfView = 22.5;  // degrees: the perspective's vertical field is 45
constexpr double kPerspectiveNear = 10;
constexpr double kOrthoNear = 1;
constexpr double kNearMargin = 1.05;

// The rotation of `degrees` about axis 0, 1 or 2, as the GL builds it.
Matrix rotation(double degrees, int axis) {
    const double radians = degrees * std::numbers::pi / 180;
    const double c = std::cos(radians), s = std::sin(radians);
    const int a = (axis + 1) % 3, b = (axis + 2) % 3;
    Matrix m{};
    m[axis][axis] = 1;
    m[a][a] = c;
    m[a][b] = -s;
    m[b][a] = s;
    m[b][b] = c;
    return m;
}

Matrix multiply(const Matrix& x, const Matrix& y) {
    Matrix m{};
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            for (int i = 0; i < 3; ++i) m[r][k] += x[r][i] * y[i][k];
    return m;
}

Vector apply(const Matrix& m, const Vector& v) {
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

Vector applyTransposed(const Matrix& m, const Vector& v) {
    return {m[0][0] * v[0] + m[1][0] * v[1] + m[2][0] * v[2],
            m[0][1] * v[0] + m[1][1] * v[1] + m[2][1] * v[2],
            m[0][2] * v[0] + m[1][2] * v[1] + m[2][2] * v[2]};
}

bool finite(const Vec3& p) {
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

double nonZeroSize(std::int32_t size) {
    return size == 0 ? 1.0 : static_cast<double>(size);
}

}  // namespace

std::vector<Vec3> framingPoints(const Model& model, const Selection& selection,
                                const std::vector<std::vector<Vec3>>& posed, bool wholeModel) {
    auto positionsOf = [&](std::size_t g) -> const std::vector<Vec3>& {
        const Geoset& geoset = model.Geosets[g];
        return g < posed.size() && posed[g].size() >= geoset.vertexCount() ? posed[g] : geoset.positions;
    };
    std::vector<Vec3> points;
    for (std::size_t g = 0; g < model.Geosets.size() && !wholeModel; ++g) {
        const std::vector<std::uint8_t>* marks =
            g < selection.geosets.size() ? &selection.geosets[g].vertices : nullptr;
        for (std::size_t v = 0; marks != nullptr && v < model.Geosets[g].vertexCount(); ++v)
            if (flagAt(*marks, v) != 0) points.push_back(positionsOf(g)[v]);
    }
    if (!points.empty()) return points;
    for (std::size_t g = 0; g < model.Geosets.size(); ++g)
        if (selection.isShown(g))
            points.insert(
                points.end(), positionsOf(g).begin(),
                positionsOf(g).begin() + static_cast<std::ptrdiff_t>(model.Geosets[g].vertexCount()));
    return points;
}

bool frameView(View& view, std::span<const Vec3> points) {
    // Camera orientation: pitch, yaw, roll, after the Z-up model has been turned Y-up.
    const Matrix cameraTurn = multiply(multiply(rotation(view.cameraPitch, 0), rotation(view.cameraYaw, 1)),
                                       rotation(view.cameraRoll, 2));
    const Matrix toEye = multiply(cameraTurn, rotation(-90, 0));

    // In the eye's axes, per point q: the extent of q, and for the perspective the extremes
    // of q.x + t q.z and q.x - t q.z (likewise for y), t being the tangent of the view's
    // half-angle on that axis, which the tightest fit follows from.
    const double aspect = nonZeroSize(view.windowWidth) / nonZeroSize(view.windowHeight);
    const double tanY = std::tan(kHalfFieldOfView * std::numbers::pi / 180) * kFill;
    const double tangents[2] = {tanY * aspect, tanY};
    constexpr double kInf = std::numeric_limits<double>::infinity();
    Vector low{kInf, kInf, kInf}, high{-kInf, -kInf, -kInf};
    double above[2] = {-kInf, -kInf}, below[2] = {kInf, kInf};
    for (const Vec3& p : points) {
        if (!finite(p)) continue;
        const Vector q = apply(toEye, {p[0], p[1], p[2]});
        for (int i = 0; i < 3; ++i) {
            low[i] = std::min(low[i], q[i]);
            high[i] = std::max(high[i], q[i]);
        }
        for (int i = 0; i < 2; ++i) {
            above[i] = std::max(above[i], q[i] + tangents[i] * q[2]);
            below[i] = std::min(below[i], q[i] - tangents[i] * q[2]);
        }
    }
    if (low[0] > high[0]) return false;

    // The target goes to -centre; the eye then sees q at (q.x - centre.x, q.y - centre.y,
    // q.z - centre.z - distance). Depth-wise the centre is the middle of the extent.
    Vector centre{(low[0] + high[0]) / 2, (low[1] + high[1]) / 2, (low[2] + high[2]) / 2};
    const double nearest = high[2] - centre[2];
    double distance = 0;
    if (view.viewType == ViewType::Perspective) {
        // Every q within the fill cone, |q.x - c.x| <= t (distance - (q.z - c.z)), holds from
        // this distance on, and the centre below balances the two sides exactly.
        distance = nearest + kPerspectiveNear * kNearMargin;
        for (int i = 0; i < 2; ++i) {
            distance = std::max(distance, (above[i] - below[i]) / (2 * tangents[i]) - centre[2]);
            centre[i] = (above[i] + below[i]) / 2;
        }
    } else {
        const double halfWidth = std::max(high[0] - centre[0], (high[1] - centre[1]) * aspect) / kFill;
        distance = std::max(halfWidth, nearest + kOrthoNear * kNearMargin);
    }
    const Vector target = applyTransposed(cameraTurn, {-centre[0], -centre[1], -centre[2]});
    view.cameraTarget = {static_cast<float>(target[0]), static_cast<float>(target[1]),
                         static_cast<float>(target[2])};
    view.cameraDistance = static_cast<float>(distance);
    return true;
}

}  // namespace tess

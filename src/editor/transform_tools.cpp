#include "editor/transform_tools.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "anim/normals.h"
#include "editor/keyframes.h"

namespace tess {
namespace {

struct AxisProjection {
    bool usable = false;  // the axis vector has a length
    float length = 0;     // |p| in pixels
    bool along = false;   // p points along the axis
};

bool usableAxis(Vec2 a) {
    const float aa = a[0] * a[0] + a[1] * a[1];
    return aa > 0 && std::isfinite(aa);
}

AxisProjection projectOntoAxis(Vec2 a, Vec2 d) {
    if (!usableAxis(a)) return {};
    const float aa = a[0] * a[0] + a[1] * a[1];
    const float scale = (d[0] * a[0] + d[1] * a[1]) / aa;
    const Vec2 p{a[0] * scale, a[1] * scale};
    const bool along = ((p[0] > 0) == (a[0] > 0)) && ((p[1] > 0) == (a[1] > 0));
    return {true, std::sqrt(p[0] * p[0] + p[1] * p[1]), along};
}

// The drag's axis (0 X, 1 Y, 2 Z) when it is one of the three states starting at `first`.
int axisOf(DragState drag, DragState first) {
    const auto offset = static_cast<std::int32_t>(drag) - static_cast<std::int32_t>(first);
    return offset >= 0 && offset < 3 ? offset : -1;
}

Vec2 screenAxis(const AppState& state, int axis) {
    return axis == 0   ? state.gizmo.axisScreenX
           : axis == 1 ? state.gizmo.axisScreenY
                       : state.gizmo.axisScreenZ;
}

Vec2 movement(std::int32_t dx, std::int32_t dy) {
    return {static_cast<float>(dx), static_cast<float>(dy)};
}

// Calls visit(geoset, vertex) for every selected vertex of every geoset.
template <class Visit>
void forEachSelectedVertex(const Document& document, Visit visit) {
    const std::size_t geosets = std::min(document.model.Geosets.size(), document.selection.geosets.size());
    for (std::size_t g = 0; g < geosets; ++g) {
        const std::vector<std::uint8_t>& flags = document.selection.geosets[g].vertices;
        const std::size_t count = std::min(document.model.Geosets[g].vertexCount(), flags.size());
        for (std::size_t v = 0; v < count; ++v)
            if (flags[v]) visit(g, v);
    }
}

bool hasSelection(const Document& document) {
    bool any = false;
    forEachSelectedVertex(document, [&](std::size_t, std::size_t) { any = true; });
    return any;
}

// The centroid of the selected vertices' animated positions (a vertex the pose does not
// cover yet counts at its rest position). False when none is selected.
bool selectionCentroid(const Document& document, Vec3& centroid) {
    double sum[3] = {0, 0, 0};
    std::size_t count = 0;
    forEachSelectedVertex(document, [&](std::size_t g, std::size_t v) {
        const std::vector<std::vector<Vec3>>& animated = document.pose.animatedPositions;
        const Vec3& p = g < animated.size() && v < animated[g].size()
                            ? animated[g][v]
                            : document.model.Geosets[g].positions[v];
        for (int k = 0; k < 3; ++k) sum[k] += p[k];
        ++count;
    });
    if (count == 0) return false;
    for (int k = 0; k < 3; ++k) centroid[k] = static_cast<float>(sum[k] / static_cast<double>(count));
    return true;
}

Vec3& restPosition(Document& document, std::size_t g, std::size_t v) {
    return document.model.Geosets[g].positions[v];
}

void recomputeAllNormals(Model& model) {
    for (Geoset& geoset : model.Geosets) recomputeNormals(geoset);
}

}  // namespace

float axisDragAmount(Vec2 axis, Vec2 d) {
    const AxisProjection p = projectOntoAxis(axis, d);
    if (!p.usable) return 0;
    const float amount = p.length / std::sqrt(axis[0] * axis[0] + axis[1] * axis[1]) * 15;
    return p.along ? amount : -amount;
}

void moveSelection(Document& document, const AppState& state, DragState drag, std::int32_t dx,
                   std::int32_t dy) {
    const int axis = axisOf(drag, DragState::MoveX);
    if (axis < 0 || !usableAxis(screenAxis(state, axis)) || !hasSelection(document)) return;
    const float s = axisDragAmount(screenAxis(state, axis), movement(dx, dy));
    forEachSelectedVertex(document,
                          [&](std::size_t g, std::size_t v) { restPosition(document, g, v)[axis] += s; });
    recomputeAllNormals(document.model);
}

void rotateSelection(Document& document, const AppState& state, DragState drag, std::int32_t dx,
                     std::int32_t dy) {
    const int axis = axisOf(drag, DragState::RotateX);
    Vec3 g{};
    if (axis < 0 || !usableAxis(screenAxis(state, axis)) || !selectionCentroid(document, g)) return;
    const float alpha = axisDragAmount(screenAxis(state, axis), movement(dx, dy)) / 3;
    // The coordinates (a, b) turned about each axis: X turns z towards y, Y x towards z,
    // Z x towards y.
    static constexpr int kA[3] = {2, 0, 0};
    static constexpr int kB[3] = {1, 2, 1};
    const int ia = kA[axis], ib = kB[axis];
    forEachSelectedVertex(document, [&](std::size_t geoset, std::size_t v) {
        Vec3& p = restPosition(document, geoset, v);
        const float a = p[ia] - g[ia], b = p[ib] - g[ib];
        const float r = std::sqrt(a * a + b * b);
        const float theta = std::atan2(a, b) + alpha;
        p[ia] = r * std::sin(theta) + g[ia];
        p[ib] = r * std::cos(theta) + g[ib];
    });
}

void scaleSelection(Document& document, const AppState& state, DragState drag, std::int32_t dx,
                    std::int32_t dy) {
    const int axis = axisOf(drag, DragState::ScaleX);
    if (axis < 0) return;
    const AxisProjection p = projectOntoAxis(screenAxis(state, axis), movement(dx, dy));
    Vec3 g{};
    if (!p.usable || !selectionCentroid(document, g)) return;
    float f = p.length / 20 + 1;
    if (!p.along) f = 1 / f;
    forEachSelectedVertex(document, [&](std::size_t geoset, std::size_t v) {
        float& c = restPosition(document, geoset, v)[axis];
        c = (c - g[axis]) * f + g[axis];
    });
}

void extrudeMove(Document& document, const AppState& state, std::int32_t dx, std::int32_t dy) {
    if (!usableAxis(state.gizmo.axisScreenZ) || !hasSelection(document)) return;
    const float s = axisDragAmount(state.gizmo.axisScreenZ, movement(dx, dy));
    forEachSelectedVertex(document, [&](std::size_t g, std::size_t v) {
        Vec3& p = restPosition(document, g, v);
        for (int k = 0; k < 3; ++k) p[k] += state.gizmo.extrudeNormal[k] * s;
    });
    recomputeAllNormals(document.model);
}

void rotateNodeKey(Document& document, AppState& state, Host& host, DragState drag, std::int32_t dx,
                   std::int32_t dy) {
    const int axis = axisOf(drag, DragState::RotateX);
    Node* node = selectedBoneNode(document.model, state);
    if (axis < 0 || node == nullptr) return;
    const AxisProjection p = projectOntoAxis(screenAxis(state, axis), movement(dx, dy));
    if (!p.usable) return;
    const float beta = p.along ? p.length / 20 : -p.length / 20;

    Quat r{0, 0, 0, std::cos(beta / 2)};
    r[axis] = std::sin(beta / 2);
    Quat& q = node->Rotation.keys[findOrInsertKey(node->Rotation, state.currentTime)].value;
    const float x = q[0], y = q[1], z = q[2], w = q[3];
    q = {w * r[0] + x * r[3] + y * r[2] - z * r[1], w * r[1] - x * r[2] + y * r[3] + z * r[0],
         w * r[2] + x * r[1] - y * r[0] + z * r[3], w * r[3] - x * r[0] - y * r[1] - z * r[2]};
    refreshTime(document, state, host);
}

void moveNodeKey(Document& document, AppState& state, Host& host, DragState drag, std::int32_t dx,
                 std::int32_t dy) {
    const int axis = axisOf(drag, DragState::MoveX);
    Node* node = selectedBoneNode(document.model, state);
    if (axis < 0 || node == nullptr || !usableAxis(screenAxis(state, axis))) return;
    const float s = axisDragAmount(screenAxis(state, axis), movement(dx, dy));
    node->Translation.keys[findOrInsertKey(node->Translation, state.currentTime)].value[axis] += s;
    refreshTime(document, state, host);
}

}  // namespace tess

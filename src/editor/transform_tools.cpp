#include "editor/transform_tools.h"

#include <cmath>

#include "anim/normals.h"
#include "editor/document.h"
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

// The code's axis (0 X, 1 Y, 2 Z) when it is one of the three codes starting at `first`.
int axisOfCode(std::int32_t code, std::int32_t first) {
    return code >= first && code < first + 3 ? code - first : -1;
}

Vec2 screenAxis(const AppState& state, int axis) {
    return axis == 0 ? state.axisScreenX : axis == 1 ? state.axisScreenY : state.axisScreenZ;
}

Vec2 movement(std::int32_t dx, std::int32_t dy) {
    return {static_cast<float>(dx), static_cast<float>(dy)};
}

template <class Visit>
void forEachSelectedVertex(Model& model, Visit visit) {
    for (Geoset& geoset : model.Geosets)
        for (Vertex& v : geoset.Vertices)
            if (v.selected) visit(v);
}

bool hasSelection(const Model& model) {
    for (const Geoset& geoset : model.Geosets)
        for (const Vertex& v : geoset.Vertices)
            if (v.selected) return true;
    return false;
}

// The centroid of the selected vertices' rest positions (in Vertex and Triangle mode the
// pose is the rest pose, so this is where the gizmo stands). False when none is selected.
bool selectionCentroid(const Model& model, Vec3& centroid) {
    double sum[3] = {0, 0, 0};
    std::size_t count = 0;
    for (const Geoset& geoset : model.Geosets)
        for (const Vertex& v : geoset.Vertices)
            if (v.selected) {
                for (int k = 0; k < 3; ++k) sum[k] += v.position[k];
                ++count;
            }
    if (count == 0) return false;
    for (int k = 0; k < 3; ++k) centroid[k] = static_cast<float>(sum[k] / static_cast<double>(count));
    return true;
}

Node* selectedBone(Model& model, const AppState& state) {
    if (state.selectedNode < 0 || static_cast<std::size_t>(state.selectedNode) >= model.Bones.size())
        return nullptr;
    return &model.Bones[static_cast<std::size_t>(state.selectedNode)].node;
}

}  // namespace

float axisDragAmount(Vec2 axis, Vec2 d) {
    const AxisProjection p = projectOntoAxis(axis, d);
    if (!p.usable) return 0;
    const float amount = p.length / std::sqrt(axis[0] * axis[0] + axis[1] * axis[1]) * 15;
    return p.along ? amount : -amount;
}

void moveSelection(Model& model, const AppState& state, std::int32_t dragCode, std::int32_t dx,
                   std::int32_t dy) {
    const int axis = axisOfCode(dragCode, kDragMoveX);
    if (axis < 0 || !usableAxis(screenAxis(state, axis)) || !hasSelection(model)) return;
    const float s = axisDragAmount(screenAxis(state, axis), movement(dx, dy));
    forEachSelectedVertex(model, [&](Vertex& v) { v.position[axis] += s; });
    for (Geoset& geoset : model.Geosets) recomputeNormals(geoset);
}

void rotateSelection(Model& model, const AppState& state, std::int32_t dragCode, std::int32_t dx,
                     std::int32_t dy) {
    const int axis = axisOfCode(dragCode, kDragRotateX);
    Vec3 g{};
    if (axis < 0 || !usableAxis(screenAxis(state, axis)) || !selectionCentroid(model, g)) return;
    const float alpha = axisDragAmount(screenAxis(state, axis), movement(dx, dy)) / 3;
    // The coordinates (a, b) turned about each axis: X turns z towards y, Y x towards z,
    // Z x towards y.
    static constexpr int kA[3] = {2, 0, 0};
    static constexpr int kB[3] = {1, 2, 1};
    const int ia = kA[axis], ib = kB[axis];
    forEachSelectedVertex(model, [&](Vertex& v) {
        const float a = v.position[ia] - g[ia], b = v.position[ib] - g[ib];
        const float r = std::sqrt(a * a + b * b);
        const float theta = std::atan2(a, b) + alpha;
        v.position[ia] = r * std::sin(theta) + g[ia];
        v.position[ib] = r * std::cos(theta) + g[ib];
    });
}

void scaleSelection(Model& model, const AppState& state, std::int32_t dragCode, std::int32_t dx,
                    std::int32_t dy) {
    const int axis = axisOfCode(dragCode, kDragScaleX);
    if (axis < 0) return;
    const AxisProjection p = projectOntoAxis(screenAxis(state, axis), movement(dx, dy));
    Vec3 g{};
    if (!p.usable || !selectionCentroid(model, g)) return;
    float f = p.length / 20 + 1;
    if (!p.along) f = 1 / f;
    forEachSelectedVertex(model,
                          [&](Vertex& v) { v.position[axis] = (v.position[axis] - g[axis]) * f + g[axis]; });
}

void extrudeMove(Model& model, const AppState& state, std::int32_t dx, std::int32_t dy) {
    if (!usableAxis(state.axisScreenZ) || !hasSelection(model)) return;
    const float s = axisDragAmount(state.axisScreenZ, movement(dx, dy));
    forEachSelectedVertex(model, [&](Vertex& v) {
        for (int k = 0; k < 3; ++k) v.position[k] += state.extrudeNormal[k] * s;
    });
    for (Geoset& geoset : model.Geosets) recomputeNormals(geoset);
}

void rotateNodeKey(Model& model, AppState& state, Host& host, std::int32_t dragCode, std::int32_t dx,
                   std::int32_t dy) {
    const int axis = axisOfCode(dragCode, kDragRotateX);
    Node* node = selectedBone(model, state);
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
    refreshTime(model, state, host);
}

void moveNodeKey(Model& model, AppState& state, Host& host, std::int32_t dragCode, std::int32_t dx,
                 std::int32_t dy) {
    const int axis = axisOfCode(dragCode, kDragMoveX);
    Node* node = selectedBone(model, state);
    if (axis < 0 || node == nullptr || !usableAxis(screenAxis(state, axis))) return;
    const float s = axisDragAmount(screenAxis(state, axis), movement(dx, dy));
    node->Translation.keys[findOrInsertKey(node->Translation, state.currentTime)].value[axis] += s;
    refreshTime(model, state, host);
}

}  // namespace tess

#include "render/draw_gizmo.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "anim/normals.h"
#include "render/window_projection.h"

namespace tess {

namespace {

constexpr float kAxisLength = 15;
constexpr float kConeTip = 22;
constexpr float kRadiansToDegrees = 57.29578f;

bool selectedCentroid(const Scene& scene, Vec3& centroid) {
    double sum[3] = {0, 0, 0};
    std::size_t count = 0;
    for (std::size_t g = 0; g < scene.model.Geosets.size(); ++g) {
        const std::vector<Vec3>& positions = scene.positions(g);
        const std::vector<std::uint8_t>& selected = scene.marks(g).vertices;
        const std::size_t n = std::min(scene.model.Geosets[g].vertexCount(), selected.size());
        for (std::size_t v = 0; v < n; ++v) {
            if (selected[v] == 0) continue;
            for (int c = 0; c < 3; ++c) sum[c] += positions[v][c];
            ++count;
        }
    }
    if (count == 0) return false;
    for (int c = 0; c < 3; ++c) centroid[c] = static_cast<float>(sum[c] / static_cast<double>(count));
    return true;
}

// The window vector from `origin` to `end` (both in current object coordinates), y down.
bool screenVector(const WindowProjection& projection, const Vec3& origin, const Vec3& end, Vec2& out) {
    WindowPoint o, e;
    if (!projection.project(origin, o) || !projection.project(end, e)) return false;
    out = {static_cast<float>(e.x - o.x), static_cast<float>(o.y - e.y)};
    return true;
}

// The cones: a fan from the tip around a square base of half-diagonal 2 at 15 on the axis.
constexpr float kCones[3][6][3] = {
    {{kConeTip, 0, 0}, {15, 2, 0}, {15, 0, 2}, {15, -2, 0}, {15, 0, -2}, {15, 2, 0}},
    {{0, kConeTip, 0}, {2, 15, 0}, {0, 15, 2}, {-2, 15, 0}, {0, 15, -2}, {2, 15, 0}},
    {{0, 0, kConeTip}, {2, 0, 15}, {0, 2, 15}, {-2, 0, 15}, {0, -2, 15}, {2, 0, 15}},
};

void drawCone(std::uint32_t name, int axis) {
    glPushName(name);
    glBegin(GL_TRIANGLE_FAN);
    for (const auto& vertex : kCones[axis]) glVertex3fv(vertex);
    glEnd();
    glPopName();
}

void quad(float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2, float z2, float x3,
          float y3, float z3) {
    glVertex3f(x0, y0, z0);
    glVertex3f(x1, y1, z1);
    glVertex3f(x2, y2, z2);
    glVertex3f(x3, y3, z3);
}

// Along +X: a square shaft (half-width 1.5) from 0 to 10 closed at 0, a square plate
// (half-width 4) at 10 and a pyramid from the plate's corners to the tip at 15.
void drawArrow() {
    const float s = 1.5f, p = 4, shaftEnd = 10, tip = 15;
    glBegin(GL_QUADS);
    quad(0, -s, -s, shaftEnd, -s, -s, shaftEnd, s, -s, 0, s, -s);
    quad(0, -s, s, shaftEnd, -s, s, shaftEnd, s, s, 0, s, s);
    quad(0, -s, -s, shaftEnd, -s, -s, shaftEnd, -s, s, 0, -s, s);
    quad(0, s, -s, shaftEnd, s, -s, shaftEnd, s, s, 0, s, s);
    quad(0, -s, -s, 0, s, -s, 0, s, s, 0, -s, s);
    quad(shaftEnd, -p, -p, shaftEnd, p, -p, shaftEnd, p, p, shaftEnd, -p, p);
    glEnd();
    const float corners[4][2] = {{-p, -p}, {p, -p}, {p, p}, {-p, p}};
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < 4; ++i) {
        const float* a = corners[i];
        const float* b = corners[(i + 1) % 4];
        glVertex3f(shaftEnd, a[0], a[1]);
        glVertex3f(shaftEnd, b[0], b[1]);
        glVertex3f(tip, 0, 0);
    }
    glEnd();
}

}  // namespace

void drawGizmo(GizmoVectors& gizmo) {
    glDisable(GL_CULL_FACE);
    glBegin(GL_LINES);
    glColor3f(1, 0, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(kAxisLength, 0, 0);
    glColor3f(0, 1, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, kAxisLength, 0);
    glColor3f(0, 0, 1);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0, kAxisLength);
    glEnd();
    glColor3f(1, 0, 0);
    drawCone(kGizmoXName, 0);
    glColor3f(0, 1, 0);
    drawCone(kGizmoYName, 1);
    glColor3f(0, 0, 1);
    drawCone(kGizmoZName, 2);
    glEnable(GL_CULL_FACE);

    const WindowProjection projection = WindowProjection::current();
    const Vec3 origin{0, 0, 0};
    Vec2 x, y, z;
    if (screenVector(projection, origin, {0, 0, kAxisLength}, z) &&
        screenVector(projection, origin, {0, kAxisLength, 0}, y) &&
        screenVector(projection, origin, {kAxisLength, 0, 0}, x)) {
        gizmo.axisScreenX = x;
        gizmo.axisScreenY = y;
        gizmo.axisScreenZ = z;
    }
}

void drawCentroidGizmo(const Scene& scene, GizmoVectors& gizmo) {
    Vec3 centroid;
    if (!selectedCentroid(scene, centroid)) return;
    glPushMatrix();
    glTranslatef(centroid[0], centroid[1], centroid[2]);
    drawGizmo(gizmo);
    glPopMatrix();
}

void drawExtrudeGizmo(const Scene& scene, GizmoVectors& gizmo) {
    Vec3 centroid;
    if (!selectedCentroid(scene, centroid)) return;
    double n[3] = {0, 0, 0};
    for (std::size_t g = 0; g < scene.model.Geosets.size(); ++g) {
        if (!scene.selection.isShown(g)) continue;
        const Geoset& geoset = scene.model.Geosets[g];
        const std::vector<std::uint8_t>& selected = scene.marks(g).triangles;
        const std::size_t count = std::min(geoset.triangleCount(), selected.size());
        for (std::size_t t = 0; t < count; ++t) {
            if (selected[t] == 0) continue;
            const Vec3 face = faceNormal(geoset, t);
            for (int c = 0; c < 3; ++c) n[c] += face[c];
        }
    }
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    const double yaw = std::atan2(n[1], n[0]);
    const double pitch = -std::atan2(n[2], std::sqrt(n[0] * n[0] + n[1] * n[1]));
    if (length > 0)
        gizmo.extrudeNormal = {static_cast<float>(n[0] / length), static_cast<float>(n[1] / length),
                               static_cast<float>(n[2] / length)};
    else
        gizmo.extrudeNormal = {1, 0, 0};

    glDisable(GL_CULL_FACE);
    glPushMatrix();
    glTranslatef(centroid[0], centroid[1], centroid[2]);
    glRotatef(static_cast<float>(yaw) * kRadiansToDegrees, 0, 0, 1);
    glRotatef(static_cast<float>(pitch) * kRadiansToDegrees, 0, 1, 0);
    glPushName(kExtrudeArrowName);
    glColor3f(0, 0, 1);
    drawArrow();
    glPopName();
    Vec2 arrow;
    if (screenVector(WindowProjection::current(), {0, 0, 0}, {10, 0, 0}, arrow)) gizmo.axisScreenZ = arrow;
    glPopMatrix();
    glEnable(GL_CULL_FACE);
}

}  // namespace tess

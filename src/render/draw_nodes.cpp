#include "render/draw_nodes.h"

#include <GL/gl.h>

#include <array>

#include "anim/matrix.h"
#include "render/draw_gizmo.h"

namespace tess {

namespace {

constexpr float kHalfMarker = 2.5f;

std::array<float, 16> columnMajor(const Mat4& rowMajor) {
    std::array<float, 16> m{};
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k) m[4 * k + r] = rowMajor[4 * r + k];
    return m;
}

void drawMarker(std::uint32_t name, bool selected) {
    // Keep only the translation, so the square faces the viewer at a fixed size.
    std::array<float, 16> m{};
    glPushMatrix();
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row) m[4 * column + row] = column == row ? 1.0f : 0.0f;
    glLoadMatrixf(m.data());
    glPushName(name);
    if (selected)
        glColor3f(1.0f, 0.5f, 0.5f);
    else
        glColor3f(0.8f, 0.8f, 0.8f);
    glBegin(GL_TRIANGLES);
    glVertex3f(-kHalfMarker, kHalfMarker, 0);
    glVertex3f(kHalfMarker, -kHalfMarker, 0);
    glVertex3f(kHalfMarker, kHalfMarker, 0);
    glVertex3f(-kHalfMarker, -kHalfMarker, 0);
    glVertex3f(kHalfMarker, -kHalfMarker, 0);
    glVertex3f(-kHalfMarker, kHalfMarker, 0);
    glEnd();
    glPopName();
    glPopMatrix();
}

}  // namespace

void drawNode(const Scene& scene, std::uint32_t boneIndex, GizmoVectors& gizmo) {
    const Model& model = scene.model;
    if (boneIndex >= model.Bones.size()) return;
    const Node& node = model.Bones[boneIndex].node;
    const NodePose& pose = scene.bonePose(boneIndex);
    const bool selected =
        scene.view.selectedNode >= 0 && static_cast<std::uint32_t>(scene.view.selectedNode) == boneIndex;
    const Vec3 pivot = node.ObjectId < model.PivotPoints.size() ? model.PivotPoints[node.ObjectId] : Vec3{};

    glBindTexture(GL_TEXTURE_2D, scene.textures.slots[kWhiteSlot]);
    glPushMatrix();
    glMultMatrixf(columnMajor(pose.worldMatrix).data());
    glTranslatef(pivot[0], pivot[1], pivot[2]);
    drawMarker(node.ObjectId + kFirstNodeName, selected);
    if (selected) {
        if (scene.view.currentTool == Tool::Move) {
            // The row-major rotation read as column-major is its transpose, the inverse
            // rotation: the gizmo's axes become the parent frame's.
            glPushMatrix();
            glMultMatrixf(rotationMatrix(pose.rotation).data());
            drawGizmo(gizmo);
            glPopMatrix();
        } else {
            drawGizmo(gizmo);
        }
    }
    glPopMatrix();
}

}  // namespace tess

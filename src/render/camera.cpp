#include "render/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace tess {

namespace {

constexpr double kFieldOfView = 45.0;
constexpr double kPerspectiveNear = 10.0;
constexpr double kOrthoNear = 1.0;
constexpr double kFar = 5000.0;

double nonZeroSize(std::int32_t size) {
    return size == 0 ? 1.0 : static_cast<double>(size);
}

void multiplyProjection(const View& view) {
    const double w = nonZeroSize(view.windowWidth);
    const double h = nonZeroSize(view.windowHeight);
    if (view.viewType == ViewType::Perspective) {
        gluPerspective(kFieldOfView, w / h, kPerspectiveNear, kFar);
        return;
    }
    const double d = view.cameraDistance;
    glOrtho(-d, d, -d * h / w, d * h / w, kOrthoNear, kFar);
}

}  // namespace

void setProjection(const View& view, bool keep) {
    if (keep) {
        multiplyProjection(view);
        return;
    }
    GLint savedMode = GL_MODELVIEW;
    glGetIntegerv(GL_MATRIX_MODE, &savedMode);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    multiplyProjection(view);
    glMatrixMode(static_cast<GLenum>(savedMode));
}

void applyViewTransform(const View& view) {
    glTranslatef(0, 0, -view.cameraDistance);
    glRotatef(view.cameraPitch, 1, 0, 0);
    glRotatef(view.cameraYaw, 0, 1, 0);
    glRotatef(view.cameraRoll, 0, 0, 1);
    glTranslatef(view.cameraTarget[0], view.cameraTarget[1], view.cameraTarget[2]);
    glRotatef(-90, 1, 0, 0);
}

}  // namespace tess

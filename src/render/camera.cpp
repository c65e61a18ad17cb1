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

void multiplyProjection(const AppState& state) {
    const double w = nonZeroSize(state.windowWidth);
    const double h = nonZeroSize(state.windowHeight);
    if (state.viewType == 0) {
        gluPerspective(kFieldOfView, w / h, kPerspectiveNear, kFar);
        return;
    }
    const double d = state.cameraDistance;
    glOrtho(-d, d, -d * h / w, d * h / w, kOrthoNear, kFar);
}

}  // namespace

void setProjection(const AppState& state, bool keep) {
    if (keep) {
        multiplyProjection(state);
        return;
    }
    GLint savedMode = GL_MODELVIEW;
    glGetIntegerv(GL_MATRIX_MODE, &savedMode);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    multiplyProjection(state);
    glMatrixMode(static_cast<GLenum>(savedMode));
}

void applyViewTransform(const AppState& state) {
    glTranslatef(0, 0, -state.cameraDistance);
    glRotatef(state.cameraPitch, 1, 0, 0);
    glRotatef(state.cameraYaw, 0, 1, 0);
    glRotatef(state.cameraRoll, 0, 0, 1);
    glTranslatef(state.cameraTarget[0], state.cameraTarget[1], state.cameraTarget[2]);
    glRotatef(-90, 1, 0, 0);
}

}  // namespace tess

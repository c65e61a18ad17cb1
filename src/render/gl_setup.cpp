#include "render/gl_setup.h"

#include <GL/gl.h>

#include "render/camera.h"

namespace tess {

void initGL(TextureTable& table, const Model& model, const std::string& currentFileName) {
    reloadTextures(table, model, currentFileName);
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_NORMALIZE);
    const GLfloat white[4] = {1, 1, 1, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
    const GLfloat lightPosition[4] = {0, -1000, 1000, 0};
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glEnable(GL_LIGHT0);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void loadViewportAndProjection(const View& view) {
    const GLsizei height = view.windowHeight == 0 ? 1 : view.windowHeight;
    glViewport(0, 0, view.windowWidth, height);
    setProjection(view, false);
}

void resizeScene(const View& view) {
    loadViewportAndProjection(view);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

}  // namespace tess

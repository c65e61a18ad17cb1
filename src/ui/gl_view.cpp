#include "ui/gl_view.h"

#include <GL/gl.h>

#include <cmath>

#include "render/draw_scene.h"
#include "render/gl_setup.h"

namespace tess {

GlView::GlView(Model& model, AppState& state, const TextureTable& textures, QWidget* parent)
    : QOpenGLWidget(parent), model_(model), state_(state), textures_(textures) {}

void GlView::resizeGL(int width, int height) {
    // Qt passes logical pixels; the viewport, picking and projection work in device pixels.
    const double ratio = devicePixelRatioF();
    state_.windowWidth = static_cast<std::int32_t>(std::lround(width * ratio));
    state_.windowHeight = static_cast<std::int32_t>(std::lround(height * ratio));
    resizeScene(state_);
}

void GlView::paintGL() {
    if (!ready_) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    drawScene(model_, state_, textures_);
}

}  // namespace tess

#include "ui/gl_view.h"

#include <GL/gl.h>

#include <cmath>

#include "render/draw_scene.h"
#include "render/gl_setup.h"

namespace tess {

GlView::GlView(Document& document, AppState& state, const TextureTable& textures, QWidget* parent)
    : QOpenGLWidget(parent), document_(document), state_(state), textures_(textures) {}

void GlView::resizeGL(int width, int height) {
    // Qt passes logical pixels; the viewport, picking and projection work in device pixels.
    const double ratio = devicePixelRatioF();
    state_.view.windowWidth = static_cast<std::int32_t>(std::lround(width * ratio));
    state_.view.windowHeight = static_cast<std::int32_t>(std::lround(height * ratio));
    resizeScene(state_.view);
}

void GlView::paintGL() {
    if (!ready_) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    const Scene scene{document_.model, document_.pose, document_.selection, state_.view, textures_};
    state_.gizmo = drawScene(scene, document_.screenPositions, state_.gizmo);
}

}  // namespace tess

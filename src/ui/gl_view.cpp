#include "ui/gl_view.h"

#include <GL/gl.h>

#include <QtGui/QMouseEvent>
#include <QtGui/QWheelEvent>
#include <cmath>

#include "render/draw_scene.h"

namespace tess {

namespace {

// Qt reports logical pixels; the editor works in device pixels (the pixel under the point).
std::int32_t devicePixel(double logical, double ratio) {
    return static_cast<std::int32_t>(std::floor(logical * ratio));
}

}  // namespace

GlView::GlView(Editor& editor, const TextureTable& textures, QWidget* parent)
    : QOpenGLWidget(parent), editor_(editor), textures_(textures) {
    setMouseTracking(true);
}

void GlView::resizeGL(int width, int height) {
    const double ratio = devicePixelRatioF();
    handleResize(editor_, static_cast<std::int32_t>(std::lround(width * ratio)),
                 static_cast<std::int32_t>(std::lround(height * ratio)));
}

void GlView::paintGL() {
    if (!ready_) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    Document& document = editor_.document;
    AppState& state = editor_.state;
    const Scene scene{document.model, document.pose, document.selection, state.view, textures_};
    state.gizmo = drawScene(scene, document.screenPositions, state.gizmo);
}

void GlView::mousePressEvent(QMouseEvent* event) {
    const double ratio = devicePixelRatioF();
    const QPointF at = event->position();
    if (event->button() == Qt::LeftButton)
        onLeftButtonDown(editor_, devicePixel(at.x(), ratio), devicePixel(at.y(), ratio));
    else if (event->button() == Qt::MiddleButton)
        onMiddleButtonDown(editor_);
    else {
        QOpenGLWidget::mousePressEvent(event);
        return;
    }
    if (afterMouseButton_) afterMouseButton_();
}

void GlView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::MiddleButton) {
        QOpenGLWidget::mouseReleaseEvent(event);
        return;
    }
    const double ratio = devicePixelRatioF();
    onButtonUp(editor_, devicePixel(event->position().x(), ratio), devicePixel(event->position().y(), ratio));
    if (afterMouseButton_) afterMouseButton_();
}

void GlView::mouseMoveEvent(QMouseEvent* event) {
    const double ratio = devicePixelRatioF();
    onMouseMove(editor_, devicePixel(event->position().x(), ratio),
                devicePixel(event->position().y(), ratio));
}

void GlView::wheelEvent(QWheelEvent* event) {
    // Only the vertical wheel zooms; a horizontal turn (or a touchpad's empty phase event)
    // carries no vertical delta and is left alone.
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QOpenGLWidget::wheelEvent(event);
        return;
    }
    handleWheel(editor_, static_cast<std::uint16_t>(delta));
}

}  // namespace tess

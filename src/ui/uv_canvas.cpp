#include "ui/uv_canvas.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QWheelEvent>
#include <algorithm>
#include <vector>

#include "editor/uv_commands.h"
#include "editor/uv_input.h"
#include "editor/uv_operations.h"
#include "ui/uv_texture_image.h"

namespace tess {
namespace {

const QColor kBackground(40, 40, 40);
const QColor kBand(232, 179, 17);
constexpr int kHalfSquare = 2;

QPointF pointOf(const UvEditorState& state, const Vec2& uv) {
    const UvScreenPoint p = uvToScreen(state, uv[0], uv[1]);
    return {static_cast<double>(p.x), static_cast<double>(p.y)};
}

// Whether a segment lies wholly beyond one side of `area`, so drawing it shows nothing.
bool outside(const QPointF& a, const QPointF& b, const QRectF& area) {
    return (a.x() < area.left() && b.x() < area.left()) || (a.x() > area.right() && b.x() > area.right()) ||
           (a.y() < area.top() && b.y() < area.top()) || (a.y() > area.bottom() && b.y() > area.bottom());
}

std::string imageKey(const Model& model, const std::string& fileName, std::int32_t index) {
    if (index < 0) return {};
    const Texture& texture = model.Textures[static_cast<std::size_t>(index)];
    return fileName + '\n' + texture.Image + '\n' + std::to_string(texture.ReplaceableId);
}

}  // namespace

UvCanvas::UvCanvas(Editor& editor, UvEditorState& state, QWidget* parent)
    : QWidget(parent), editor_(editor), state_(state) {
    // Moves without a button keep the last mouse position current, so a drag starts from
    // where the button went down.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void UvCanvas::updateImage() {
    const Model& model = editor_.document.model;
    const std::int32_t index = uvShownTexture(editor_.document, state_.uvTexture);
    std::string key = imageKey(model, editor_.state.currentFileName, index);
    if (index == state_.loadedTexture && key == imageKey_) return;
    image_ = uvTextureImage(model, editor_.state.currentFileName, index);
    state_.loadedTexture = index;
    imageKey_ = std::move(key);
}

void UvCanvas::drawTexture(QPainter& painter) const {
    const QRectF target(pointOf(state_, {0, 0}), pointOf(state_, {1, 1}));
    // Only the visible part is drawn: at a large zoom the square is far bigger than the
    // window, and the painter's coordinates must stay small.
    const QRectF visible = target.intersected(QRectF(rect()));
    if (visible.isEmpty()) return;
    if (image_.isNull()) {
        painter.fillRect(visible, Qt::black);
        return;
    }
    const double sx = image_.width() / target.width();
    const double sy = image_.height() / target.height();
    const QRectF source((visible.left() - target.left()) * sx, (visible.top() - target.top()) * sy,
                        visible.width() * sx, visible.height() * sy);
    painter.drawImage(visible, image_, source);
}

void UvCanvas::drawMesh(QPainter& painter) const {
    const Document& document = editor_.document;
    const std::size_t geosets = std::min(document.model.Geosets.size(), document.selection.geosets.size());
    const QRectF area(rect());
    std::vector<QLineF> lines;
    for (std::size_t g = 0; g < geosets; ++g) {
        const Geoset& geoset = document.model.Geosets[g];
        if (!document.selection.isShown(g) || geoset.textureSetCount() == 0) continue;
        const std::vector<Vec2>& uvs = geoset.uvSets[0];
        for (std::size_t t = 0; t + 2 < geoset.corners.size(); t += 3) {
            const std::uint32_t* c = &geoset.corners[t];
            if (c[0] >= uvs.size() || c[1] >= uvs.size() || c[2] >= uvs.size()) continue;
            const QPointF p[3] = {pointOf(state_, uvs[c[0]]), pointOf(state_, uvs[c[1]]),
                                  pointOf(state_, uvs[c[2]])};
            for (int e = 0; e < 3; ++e)
                if (!outside(p[e], p[(e + 1) % 3], area)) lines.emplace_back(p[e], p[(e + 1) % 3]);
        }
    }
    painter.setPen(Qt::white);
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));

    const QRectF near = area.adjusted(-kHalfSquare, -kHalfSquare, kHalfSquare, kHalfSquare);
    for (std::size_t g = 0; g < geosets; ++g) {
        const Geoset& geoset = document.model.Geosets[g];
        if (!document.selection.isShown(g) || geoset.textureSetCount() == 0) continue;
        const std::vector<std::uint8_t>& flags = document.selection.geosets[g].uvs;
        const std::vector<Vec2>& uvs = geoset.uvSets[0];
        for (std::size_t v = 0; v < uvs.size(); ++v) {
            const QPointF p = pointOf(state_, uvs[v]);
            if (!near.contains(p)) continue;
            const QRect square(static_cast<int>(p.x()) - kHalfSquare, static_cast<int>(p.y()) - kHalfSquare,
                               2 * kHalfSquare, 2 * kHalfSquare);
            painter.fillRect(square, Qt::black);
            painter.setPen(v < flags.size() && flags[v] ? QColor(255, 0, 0) : QColor(Qt::white));
            painter.drawRect(square.adjusted(0, 0, -1, -1));
        }
    }
}

void UvCanvas::paintEvent(QPaintEvent*) {
    state_.clientWidth = width();
    state_.clientHeight = height();
    updateImage();
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    drawTexture(painter);
    drawMesh(painter);
    if (state_.uvDragState == UvDragState::BandSelecting) {
        painter.setPen(kBand);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(
            QRect(QPoint(state_.dragStartX, state_.dragStartY), QPoint(state_.lastMouseX, state_.lastMouseY))
                .normalized());
    }
}

void UvCanvas::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    switch (event->button()) {
        case Qt::LeftButton:
            uvLeftButtonDown(state_, at.x(), at.y());
            break;
        case Qt::RightButton:
            uvEditorRightButtonDown(editor_, state_, at.x(), at.y());
            break;
        case Qt::MiddleButton:
            uvMiddleButtonDown(state_);
            break;
        default:
            QWidget::mousePressEvent(event);
            break;
    }
}

void UvCanvas::mouseReleaseEvent(QMouseEvent* event) {
    switch (event->button()) {
        case Qt::LeftButton:
        case Qt::RightButton:
            uvEditorButtonUp(editor_, state_);
            break;
        case Qt::MiddleButton:
            uvMiddleButtonUp(state_);
            break;
        default:
            QWidget::mouseReleaseEvent(event);
            break;
    }
}

void UvCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    uvMouseMove(editor_.document, state_, editor_.host, at.x(), at.y());
}

void UvCanvas::wheelEvent(QWheelEvent* event) {
    // Only the vertical wheel zooms; an event without a vertical delta is left alone.
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QWidget::wheelEvent(event);
        return;
    }
    uvWheel(state_, editor_.host, static_cast<std::uint16_t>(delta));
}

}  // namespace tess

#pragma once

#include <QtGui/QImage>
#include <QtWidgets/QWidget>
#include <string>

#include "editor/commands.h"
#include "editor/uv_editor_state.h"

namespace tess {

// The UV editor's client area. It draws, on the dark background, the shown texture
// stretched over the texture square, the first texture-coordinate set of every shown
// geoset as a white wire mesh with a small square at each vertex (red when UV-selected),
// and the rubber band while one is dragged. Its mouse goes to the UV editor's handlers in
// logical pixels (the size it stores as the client size is logical too).
class UvCanvas : public QWidget {
public:
    // The editor and the state must outlive the canvas.
    UvCanvas(Editor& editor, UvEditorState& state, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Loads the image of the texture to show when it differs from the one held.
    void updateImage();
    void drawTexture(QPainter& painter) const;
    void drawMesh(QPainter& painter) const;

    Editor& editor_;
    UvEditorState& state_;
    QImage image_;
    // What image_ was loaded from (model file, texture name and replaceable id), so that a
    // new document or a renamed texture at the same index loads again.
    std::string imageKey_;
};

}  // namespace tess

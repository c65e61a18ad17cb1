#pragma once

#include <QtOpenGLWidgets/QOpenGLWidget>
#include <functional>

#include "editor/commands.h"
#include "render/texture_table.h"

class QMouseEvent;
class QWheelEvent;

namespace tess {

// The 3D view under the main window's animation bar. It borrows the editor and the texture
// table; both must outlive it. Painting only draws, keeping what drawing computes (the
// document's screen positions, the state's gizmo vectors): the idle work runs in the main
// loop before each frame, so a repaint or a grab never advances the animation. Frames are
// drawn once the fixed GL state is set (setReady); before that a paint only clears.
// Mouse buttons, moves (tracked with no button held too) and the wheel go to the editor,
// positions in device pixels, so picking meets what is drawn at any scale factor.
class GlView : public QOpenGLWidget {
public:
    GlView(Editor& editor, const TextureTable& textures, QWidget* parent = nullptr);

    void setReady() { ready_ = true; }
    // Called after each mouse button press or release has gone to the editor.
    void setAfterMouseButton(std::function<void()> handler) { afterMouseButton_ = std::move(handler); }

protected:
    // The size message: the client size in device pixels goes to the editor, which stores
    // it and has the viewport and projection rebuilt.
    void resizeGL(int width, int height) override;
    void paintGL() override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    Editor& editor_;
    const TextureTable& textures_;
    bool ready_ = false;
    std::function<void()> afterMouseButton_;
};

}  // namespace tess

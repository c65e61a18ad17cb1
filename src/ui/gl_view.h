#pragma once

#include <QtOpenGLWidgets/QOpenGLWidget>

#include "editor/app_state.h"
#include "editor/document.h"
#include "render/texture_table.h"

namespace tess {

// The 3D view filling the main window's client area. It borrows the document, the editor
// state and the texture table; all three must outlive it. Painting only draws, keeping what
// drawing computes (the document's screen positions, the state's gizmo vectors): the idle
// work runs in the main loop before each frame, so a repaint or a grab never advances the
// animation. Frames are drawn once the fixed GL state is set (setReady); before that a paint
// only clears.
class GlView : public QOpenGLWidget {
public:
    GlView(Document& document, AppState& state, const TextureTable& textures, QWidget* parent = nullptr);

    void setReady() { ready_ = true; }

protected:
    // The size message: stores the client size in device pixels in the view's windowWidth
    // and windowHeight and rebuilds the viewport and projection.
    void resizeGL(int width, int height) override;
    void paintGL() override;

private:
    Document& document_;
    AppState& state_;
    const TextureTable& textures_;
    bool ready_ = false;
};

}  // namespace tess

#pragma once

#include <QtOpenGLWidgets/QOpenGLWidget>

#include "editor/app_state.h"
#include "model/model.h"
#include "render/texture_table.h"

namespace tess {

// The 3D view filling the main window's client area. It borrows the document, the editor
// state and the texture table; all three must outlive it. Painting only draws: the idle
// work runs in the main loop before each frame, so a repaint or a grab never advances the
// animation. Frames are drawn once the fixed GL state is set (setReady); before that a
// paint only clears.
class GlView : public QOpenGLWidget {
public:
    GlView(Model& model, AppState& state, const TextureTable& textures, QWidget* parent = nullptr);

    void setReady() { ready_ = true; }

protected:
    // The size message: stores the client size in device pixels in windowWidth and
    // windowHeight and rebuilds the viewport and projection.
    void resizeGL(int width, int height) override;
    void paintGL() override;

private:
    Model& model_;
    AppState& state_;
    const TextureTable& textures_;
    bool ready_ = false;
};

}  // namespace tess

#pragma once

#include <QtWidgets/QMainWindow>
#include <functional>

#include "editor/app_state.h"

class QKeyEvent;

namespace tess {

// The top-level editor window. Its client area (the central widget) is the 3D view. It
// keeps the window-level parts of the editor state: keysDown from key-down and key-up
// (auto-repeated releases are ignored, so a held key stays down), and isActive (false
// while minimised). Closing it does not close it: it calls the close handler, which posts
// the quit, and the window lives until killGLWindow destroys it.
class MainWindow : public QMainWindow {
public:
    explicit MainWindow(AppState& state);

    // Called when the user closes the window; without a handler a close does nothing.
    void setCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }

    // Resizes the window so that its client area below the menu bar is width x height
    // logical pixels.
    void setClientSize(int width, int height);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    AppState& state_;
    std::function<void()> closeHandler_;
};

}  // namespace tess

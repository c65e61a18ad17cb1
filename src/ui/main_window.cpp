#include "ui/main_window.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>

#include "ui/key_translation.h"

namespace tess {

namespace {

int virtualKeyOf(const QKeyEvent& event) {
    return virtualKeyFromQt(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

}  // namespace

MainWindow::MainWindow(AppState& state) : state_(state) {
    // The window itself takes the keyboard focus, so every key reaches the editor whatever
    // child the mouse was last over.
    setFocusPolicy(Qt::StrongFocus);
}

void MainWindow::setClientSize(int width, int height) {
    const QWidget* menu = menuWidget();
    const int menuHeight = menu != nullptr && !menu->isHidden() ? menu->sizeHint().height() : 0;
    resize(width, height + menuHeight);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const int key = virtualKeyOf(*event);
    if (key < 0) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    state_.keysDown[static_cast<std::size_t>(key)] = true;
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    const int key = virtualKeyOf(*event);
    if (key < 0) {
        QMainWindow::keyReleaseEvent(event);
        return;
    }
    // The platform repeats a held key as release-press pairs; only the real release counts.
    if (event->isAutoRepeat()) return;
    state_.keysDown[static_cast<std::size_t>(key)] = false;
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange || event->type() == QEvent::ActivationChange)
        state_.isActive = !isMinimized();
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (closeHandler_) closeHandler_();
}

}  // namespace tess

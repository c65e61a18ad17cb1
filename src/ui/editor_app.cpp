#include "ui/editor_app.h"

#include <QtWidgets/QApplication>

#include "editor/document.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"

namespace tess {

EditorApp::EditorApp() : window_(model_, state_, host_), loop_(model_, state_, host_) {
    // Only the editor's own quit ends the program, not the last message box closing.
    QApplication::setQuitOnLastWindowClosed(false);
}

bool EditorApp::start() {
    buildDefaultDocument(model_);
    prepareDocument(model_, state_, host_);
    if (!window_.createGLWindow(kTitle, state_.windowWidth, state_.windowHeight)) return false;
    host_.setMainWindow(window_.mainWindow());
    window_.mainWindow()->setCloseHandler([this] { loop_.quit(0); });
    return true;
}

int EditorApp::run() {
    loop_.setFinishedHandler([](int exitCode) { QCoreApplication::exit(exitCode); });
    loop_.start(*window_.view());
    const int exitCode = QCoreApplication::exec();
    window_.killGLWindow();
    return exitCode;
}

}  // namespace tess

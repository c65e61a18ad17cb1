#include "ui/editor_app.h"

#include <QtWidgets/QApplication>

#include "ui/gl_view.h"
#include "ui/main_window.h"

namespace tess {

EditorApp::EditorApp() : window_(document_, state_, host_), loop_(document_, state_, host_) {
    // Only the editor's own quit ends the program, not the last message box closing.
    QApplication::setQuitOnLastWindowClosed(false);
}

bool EditorApp::start(const std::string& modelFile) {
    buildDefaultDocument(document_.model);
    prepareDocument(document_, state_, host_);
    if (!window_.createGLWindow(kTitle, state_.view.windowWidth, state_.view.windowHeight)) return false;
    host_.setMainWindow(window_.mainWindow());
    window_.mainWindow()->setCloseHandler([this] { loop_.quit(0); });
    if (!modelFile.empty()) openModelFile(window_.editor(), modelFile);
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

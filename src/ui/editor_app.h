#pragma once

#include <string>

#include "editor/app_state.h"
#include "editor/document.h"
#include "ui/gl_window.h"
#include "ui/main_loop.h"
#include "ui/qt_host.h"

namespace tess {

// The whole program: the one document, the editor state, the Qt host, the GL window and
// the main loop. A QApplication must exist for the object's whole life.
class EditorApp {
public:
    static constexpr const char* kTitle = "Tessarine 0.80";

    EditorApp();

    // Start-up: the default document, prepareDocument, then the GL window (client area the
    // view's windowWidth x windowHeight, initGL included), then, when `modelFile` is not
    // empty, openModelFile of it (a file that cannot be read is reported and the default
    // document stays). False when the window could not be made; its message box has been
    // shown then.
    bool start(const std::string& modelFile = {});

    // Runs the main loop until Escape is held during an idle pass or the window is closed,
    // destroys the GL window, and returns the exit code (0).
    int run();

    Document& document() { return document_; }
    AppState& state() { return state_; }
    Editor& editor() { return window_.editor(); }
    GlWindow& glWindow() { return window_; }
    MainLoop& loop() { return loop_; }

private:
    Document document_;
    AppState state_;
    QtHost host_;
    GlWindow window_;
    MainLoop loop_;
};

}  // namespace tess

#pragma once

#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <algorithm>
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
    static constexpr int kAutosaveIntervalMs = 2 * 60 * 1000;

    EditorApp();

    // The folder for this editor's autosave (set before start); empty, the default: no
    // autosave and no recovery.
    void setAutosaveFolder(std::string folder) { state_.autosaveFolder = std::move(folder); }
    // How often run() autosaves a modified document (set before run); at least 1 ms.
    void setAutosaveInterval(int milliseconds) { autosaveTimer_.setInterval(std::max(milliseconds, 1)); }

    // Start-up: the default document, prepareDocument, then the GL window (client area the
    // view's windowWidth x windowHeight, initGL included) with the hidden UV editor, then the recovery of
    // autosaves left by editors that did not end cleanly (each offered in turn until one is taken: Yes opens
    // it as a modified document of its file's name, No deletes it), then, when `modelFile` is not empty,
    // openModelFile of it (asking first about a recovered document; a file that cannot be read is reported
    // and the document stays). False when the window could not be made; its message box has been shown then.
    bool start(const std::string& modelFile = {});

    // Runs the main loop, autosaving every kAutosaveIntervalMs (or the interval set) while the document is
    // modified, until Escape is held during an idle pass or the window is closed and the
    // unsaved changes allow it (mayDiscardChanges); removes the autosave, destroys the GL
    // window, and returns the exit code (0).
    int run();

    // What closing the window and Escape do: ask about unsaved changes, then quit unless
    // cancelled.
    void requestQuit();

    Document& document() { return document_; }
    AppState& state() { return state_; }
    Editor& editor() { return window_.editor(); }
    GlWindow& glWindow() { return window_; }
    MainLoop& loop() { return loop_; }
    // The UV editor window, made hidden by start; null before.
    UvEditorWindow* uvEditor() const { return uvEditor_; }

private:
    void offerRecovery();
    void autosave();

    Document document_;
    AppState state_;
    QtHost host_;
    GlWindow window_;
    MainLoop loop_;
    QTimer autosaveTimer_;
    QPointer<UvEditorWindow> uvEditor_;  // owned by the main window
};

}  // namespace tess

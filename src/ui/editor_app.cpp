#include "ui/editor_app.h"

#include <QtWidgets/QApplication>
#include <iostream>

#include "editor/autosave.h"
#include "editor/file_commands.h"
#include "editor/undo_commands.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"

namespace tess {

namespace {

void printProblems(const Diagnostics& diagnostics) {
    for (const Diagnostic& entry : diagnostics.entries) std::cerr << "autosave: " << entry.text << '\n';
}

}  // namespace

EditorApp::EditorApp() : window_(document_, state_, host_), loop_(document_, state_, host_) {
    // Only the editor's own quit ends the program, not the last message box closing.
    QApplication::setQuitOnLastWindowClosed(false);
    autosaveTimer_.setInterval(kAutosaveIntervalMs);
    QObject::connect(&autosaveTimer_, &QTimer::timeout, &autosaveTimer_, [this] { autosave(); });
}

bool EditorApp::start(const std::string& modelFile) {
    buildDefaultDocument(document_.model);
    prepareDocument(document_, state_, host_);
    if (!window_.createGLWindow(kProgramTitle, state_.view.windowWidth, state_.view.windowHeight))
        return false;
    host_.setMainWindow(window_.mainWindow());
    uvEditor_ = new UvEditorWindow(editor(), window_.mainWindow());
    host_.setUvEditor(uvEditor_);
    window_.mainWindow()->setCloseHandler([this] { requestQuit(); });
    loop_.setStopHandler([this] { requestQuit(); });
    showDocumentStatus(editor());
    offerRecovery();
    if (!modelFile.empty() && mayDiscardChanges(editor())) openModelFile(editor(), modelFile);
    return true;
}

void EditorApp::offerRecovery() {
    if (state_.autosaveFolder.empty()) return;
    const LeftAutosaves left = findLeftAutosaves(state_.autosaveFolder);
    printProblems(left.problems);
    for (const LeftAutosave& found : left.found) {
        if (!host_.askYesNo(recoveryQuestion(found), "Recover")) {
            printProblems(deleteAutosave(found));
            continue;
        }
        Model recovered;
        const Diagnostics read = loadAutosave(found, recovered);
        if (read.hasErrors()) {
            // The files stay, so that nothing is lost; a later start offers them again.
            for (const Diagnostic& entry : read.entries)
                if (entry.severity == Severity::Error) showEditError(host_, entry.text);
            continue;
        }
        document_.model = std::move(recovered);
        state_.currentFileName = found.originalPath;
        state_.readWithErrors = false;
        prepareDocument(document_, state_, host_);
        window_.reloadTextures();
        document_.history.markUnsaved();
        showDocumentStatus(editor());
        // The left files go once this editor's own autosave holds the recovered model.
        const Diagnostics written =
            writeAutosave(state_.autosaveFolder, document_.model, found.originalPath, WallClock::now());
        printProblems(written);
        if (!written.hasErrors()) printProblems(deleteAutosave(found));
        return;
    }
}

void EditorApp::autosave() {
    if (state_.autosaveFolder.empty() || !document_.history.modified()) return;
    printProblems(
        writeAutosave(state_.autosaveFolder, document_.model, state_.currentFileName, WallClock::now()));
}

void EditorApp::requestQuit() {
    // The key's release goes to the question box, so the editor would see Escape still held.
    state_.keysDown[kKeyEscape] = false;
    if (mayDiscardChanges(editor())) loop_.quit(0);
}

int EditorApp::run() {
    loop_.setFinishedHandler([](int exitCode) { QCoreApplication::exit(exitCode); });
    loop_.start(*window_.view());
    autosaveTimer_.start();
    const int exitCode = QCoreApplication::exec();
    autosaveTimer_.stop();
    if (!state_.autosaveFolder.empty()) printProblems(removeAutosave(state_.autosaveFolder));
    window_.killGLWindow();
    return exitCode;
}

}  // namespace tess

#pragma once

#include <QtCore/QPointer>

#include "editor/host.h"
#include "ui/main_window.h"
#include "ui/uv_editor_window.h"

namespace tess {

// The editor's Host on Qt widgets. Message boxes and questions are QMessageBoxes with the
// given text, caption, icon and buttons, owned by the main window when asked to be (and
// one is set); the dialogs are PrimitiveDialog, AnimationRangeDialog, VisibilityDialog and
// SequencesDialog over the main window; the file dialogs are
// Qt's own (not the platform's) over "MDX Files (*.mdx *.MDX)" and "MDL Files (*.mdl
// *.MDL)" with the default suffix "mdx". Repainting the animation bar also shows the new
// time in the status bar.
class QtHost : public Host {
public:
    // The owner for owned message boxes and dialogs and the holder of the mode menu; it may
    // be destroyed at any time (the host then shows them without an owner).
    void setMainWindow(MainWindow* window) { mainWindow_ = window; }
    // The UV editor window that showUvEditor and repaintUvEditor reach; without one (or once
    // it is destroyed) they do nothing.
    void setUvEditor(UvEditorWindow* window) { uvEditor_ = window; }

    void messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                    bool ownedByMainWindow) override;
    bool askYesNo(const std::string& text, const std::string& caption) override;
    SaveChoice askSaveDiscardCancel(const std::string& text) override;
    void showDocumentStatus(const std::string& title, const std::string& undoText, bool canUndo,
                            const std::string& redoText, bool canRedo) override;
    int runPrimitiveDialog(PrimitiveParameters& parameters) override;
    int runAnimationRangeDialog(AnimationRangeForm& form) override;
    int runVisibilityDialog(VisibilityForm& form) override;
    int runSequencesDialog(SequenceList& sequences) override;
    std::optional<std::string> askOpenFileName() override;
    std::optional<std::string> askSaveFileName() override;
    void showModeMenu(EditMode mode) override;
    void showUvEditor() override;
    void closeMainWindow() override;
    void repaintAnimationBar() override;
    void repaintUvEditor() override;
    // The Alt key's state as of the last input event handled.
    bool altKeyDown() const override;

private:
    QPointer<MainWindow> mainWindow_;
    QPointer<UvEditorWindow> uvEditor_;
};

}  // namespace tess

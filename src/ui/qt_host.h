#pragma once

#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

#include "editor/host.h"

namespace tess {

// The editor's Host on Qt widgets. Message boxes and questions are QMessageBoxes with the
// given text, caption, icon and buttons, owned by the main window when asked to be (and
// one is set); the primitive parameter dialog is a PrimitiveDialog. The animation bar and
// the UV editor do not exist yet, so their repaint requests do nothing.
class QtHost : public Host {
public:
    // The owner for owned message boxes and dialogs; it may be destroyed at any time (the
    // host then shows them without an owner).
    void setMainWindow(QWidget* window) { mainWindow_ = window; }

    void messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                    bool ownedByMainWindow) override;
    bool askYesNo(const std::string& text, const std::string& caption) override;
    int runPrimitiveDialog(PrimitiveParameters& parameters) override;
    void repaintAnimationBar() override {}
    void repaintUvEditor() override {}
    // The Alt key's state as of the last input event handled.
    bool altKeyDown() const override;

private:
    QPointer<QWidget> mainWindow_;
};

}  // namespace tess

#pragma once

#include <QtWidgets/QMainWindow>
#include <array>
#include <functional>

#include "editor/commands.h"

class QKeyEvent;
class QMenu;

namespace tess {

// The top-level editor window: the menu bar, whose every item runs its command through
// handleCommand, and the keyboard, whose keys go to handleKeyDown / handleKeyUp as virtual-key
// codes (auto-repeated releases are ignored, so a held key stays down). It keeps isActive
// (false while minimised). Closing it does not close it: it calls the close handler, which
// posts the quit, and the window lives until killGLWindow destroys it.
//
// Menu bar positions 0 to 6: "&File", "&Edit", "M&odel", "&View", "&Mode", "Create", and the
// menu of the current mode, "Vertex" at creation.
class MainWindow : public QMainWindow {
public:
    // The editor must outlive the window.
    explicit MainWindow(Editor& editor);

    // Called when the user closes the window; without a handler a close does nothing.
    void setCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }

    // Resizes the window so that its client area below the menu bar is width x height
    // logical pixels.
    void setClientSize(int width, int height);

    // Sets the title and the Edit menu's Undo and Redo items (text, enabled).
    void showDocumentStatus(const QString& title, const QString& undoText, bool canUndo,
                            const QString& redoText, bool canRedo);

    // Puts the menu of `mode` at position 6 under "&Vertex", "&Triangle" or "&Animation";
    // any other mode changes nothing.
    void showModeMenu(EditMode mode);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Item {
        const char* text;
        int id;
    };
    // Appends `items` to `menu`, each running its command id; returns the last item.
    QAction* addItems(QMenu* menu, std::initializer_list<Item> items);

    Editor& editor_;
    std::array<QMenu*, 3> modeMenus_{};  // Animation, Vertex, Triangle (EditMode order)
    std::function<void()> closeHandler_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
};

}  // namespace tess

#pragma once

#include <QtWidgets/QMainWindow>
#include <array>
#include <functional>

#include "editor/commands.h"
#include "ui/animation_bar.h"
#include "ui/status_bar.h"

class QKeyEvent;
class QMenu;
class QVBoxLayout;

namespace tess {

// The top-level editor window: the menu bar, whose every item runs its command through
// handleCommand, and the keyboard, whose keys go to handleKeyDown / handleKeyUp as virtual-key
// codes (auto-repeated releases are ignored, so a held key stays down). It keeps isActive
// (false while minimised). Closing it does not close it: it calls the close handler, which
// posts the quit, and the window lives until killGLWindow destroys it.
//
// Menu bar positions 0 to 6: "&File", "&Edit", "M&odel", "&View", "&Mode", "Create", and the
// menu of the current mode, "Vertex" at creation.
//
// Below the menu bar the client area holds the animation bar (kAnimationBarHeight pixels
// high, full width; its "..." runs the Animation Range dialog, its "< o >" the Visibility
// dialog), the view under it, and the status bar at the bottom. The status bar
// is shown again after every command, key, mouse button over the view and document status
// change; its time after every time change. Dropping one .mdx or .mdl file (either case) on
// the window opens it as File > Open does, after the question about unsaved changes; any
// other drop is refused.
class MainWindow : public QMainWindow {
public:
    // The editor must outlive the window.
    explicit MainWindow(Editor& editor);

    // Called when the user closes the window; without a handler a close does nothing.
    void setCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }

    // Puts `view` below the animation bar, filling the rest of the client area; the window
    // owns it from then on.
    void setView(QWidget* view);

    // Resizes the window so that its view is width x height logical pixels.
    void setClientSize(int width, int height);

    AnimationBar* animationBar() const { return animationBar_; }
    StatusBar* statusLine() const { return status_; }

    // Shows the editor state in the status bar.
    void refreshStatus();
    // After a time change: the animation bar and the status bar's time.
    void refreshTime();

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
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

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
    QVBoxLayout* client_ = nullptr;         // owned by the central widget
    AnimationBar* animationBar_ = nullptr;  // owned by the window
    StatusBar* status_ = nullptr;           // owned by the window
};

}  // namespace tess

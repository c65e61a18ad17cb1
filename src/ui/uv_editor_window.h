#pragma once

#include <QtWidgets/QMainWindow>
#include <array>

#include "editor/commands.h"
#include "editor/uv_editor_state.h"

class QAction;

namespace tess {

class UvCanvas;

// The UV editor: a resizable tool window titled "UV Editor", owned by the main window and
// hidden until shown. Its menu bar holds "&Tool" ("&Move", "&Rotate", "&Scale", exactly the
// current tool checked), "&Action" ("Next Texture") and "&Edit" ("Re&map", "&Mirror X",
// "&Mirror Y", "&Expand Selection"); each item's data is its command id. Keys go to
// uvEditorKeyDown / uvKeyUp as virtual-key codes (so '1', '2', '3' pick the tool and Ctrl+Z,
// Ctrl+Y, Ctrl+Shift+Z undo and redo); the key flags are cleared whenever the window stops
// being the active one, so no key stays down while it is released elsewhere. Closing it
// only hides it.
class UvEditorWindow : public QMainWindow {
public:
    // The editor must outlive the window.
    UvEditorWindow(Editor& editor, QWidget* owner);

    // Shows the window (normal show state), brings it to the front and gives it the keyboard.
    void showEditor();
    // Updates the tool check marks and repaints the client area.
    void refresh();

    UvEditorState& state() { return state_; }
    UvCanvas* canvas() const { return canvas_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addItem(QMenu* menu, const char* text, int id);

    Editor& editor_;
    UvEditorState state_;
    UvCanvas* canvas_ = nullptr;
    std::array<QAction*, 3> tools_{};  // Move, Rotate, Scale (UvTool order)
};

}  // namespace tess

#include "ui/uv_editor_window.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QMenuBar>

#include "editor/uv_commands.h"
#include "editor/uv_input.h"
#include "ui/key_translation.h"
#include "ui/uv_canvas.h"

namespace tess {
namespace {

// The window's size in dialog units: a quarter of the average character width across,
// an eighth of the line height down.
constexpr int kWidthUnits = 218;
constexpr int kHeightUnits = 196;

int virtualKeyOf(const QKeyEvent& event) {
    return virtualKeyFromQt(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

}  // namespace

UvEditorWindow::UvEditorWindow(Editor& editor, QWidget* owner)
    : QMainWindow(owner, Qt::Tool), editor_(editor) {
    setWindowTitle(QStringLiteral("UV Editor"));
    setFocusPolicy(Qt::StrongFocus);
    canvas_ = new UvCanvas(editor_, state_, this);
    setCentralWidget(canvas_);

    QMenuBar* bar = menuBar();
    QMenu* tool = bar->addMenu(QStringLiteral("&Tool"));
    tools_ = {addItem(tool, "&Move", kUvCommandMove), addItem(tool, "&Rotate", kUvCommandRotate),
              addItem(tool, "&Scale", kUvCommandScale)};
    for (QAction* action : tools_) action->setCheckable(true);
    addItem(bar->addMenu(QStringLiteral("&Action")), "Next Texture", kUvCommandNextTexture);
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    addItem(edit, "Re&map", kUvCommandRemap);
    addItem(edit, "&Mirror X", kUvCommandMirrorX);
    addItem(edit, "&Mirror Y", kUvCommandMirrorY);
    addItem(edit, "&Expand Selection", kUvCommandExpandSelection);

    const QFontMetrics metrics = fontMetrics();
    resize(kWidthUnits * metrics.averageCharWidth() / 4, kHeightUnits * metrics.height() / 8);
    refresh();
}

QAction* UvEditorWindow::addItem(QMenu* menu, const char* text, int id) {
    QAction* action = menu->addAction(QString::fromLatin1(text));
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { uvEditorCommand(editor_, state_, id); });
    return action;
}

void UvEditorWindow::showEditor() {
    showNormal();
    raise();
    activateWindow();
}

void UvEditorWindow::refresh() {
    for (std::size_t i = 0; i < tools_.size(); ++i)
        tools_[i]->setChecked(static_cast<std::size_t>(state_.uvTool) == i);
    canvas_->update();
}

void UvEditorWindow::keyPressEvent(QKeyEvent* event) {
    const int key = virtualKeyOf(*event);
    if (key < 0) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    uvEditorKeyDown(editor_, state_, key);
}

void UvEditorWindow::keyReleaseEvent(QKeyEvent* event) {
    const int key = virtualKeyOf(*event);
    if (key < 0) {
        QMainWindow::keyReleaseEvent(event);
        return;
    }
    // A held key repeats as release-press pairs; only the real release counts.
    if (!event->isAutoRepeat()) uvKeyUp(state_, key);
}

void UvEditorWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) state_.uvKeysDown = {};
    QMainWindow::changeEvent(event);
}

void UvEditorWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

}  // namespace tess

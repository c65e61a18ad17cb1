#include "ui/main_window.h"

#include <QtCore/QFile>
#include <QtCore/QMimeData>
#include <QtGui/QCloseEvent>
#include <QtGui/QDropEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QVBoxLayout>
#include <optional>

#include "editor/animation_bar_layout.h"
#include "editor/dialog_commands.h"
#include "editor/undo_commands.h"
#include "ui/key_translation.h"

namespace tess {

namespace {

constexpr int kModeMenuPosition = 6;
constexpr const char* kModeMenuTitles[] = {"&Animation", "&Vertex", "&Triangle"};

int virtualKeyOf(const QKeyEvent& event) {
    return virtualKeyFromQt(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

// The path of the one local model file (.mdx or .mdl, either case) that `data` carries;
// nullopt for anything else, several files included.
std::optional<std::string> droppedModelFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return std::nullopt;
    const QUrl& url = data->urls().front();
    if (!url.isLocalFile()) return std::nullopt;
    const QString path = url.toLocalFile();
    if (!path.endsWith(QStringLiteral(".mdx"), Qt::CaseInsensitive) &&
        !path.endsWith(QStringLiteral(".mdl"), Qt::CaseInsensitive))
        return std::nullopt;
    return QFile::encodeName(path).toStdString();
}

}  // namespace

MainWindow::MainWindow(Editor& editor) : editor_(editor) {
    // The window itself takes the keyboard focus, so every key reaches the editor whatever
    // child the mouse was last over.
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);

    auto* client = new QWidget(this);
    client_ = new QVBoxLayout(client);
    client_->setContentsMargins(0, 0, 0, 0);
    client_->setSpacing(0);
    animationBar_ = new AnimationBar(editor_, client);
    animationBar_->setRangeHandler([this] { editAnimationRange(editor_); });
    animationBar_->setVisibilityHandler([this] { editVisibility(editor_); });
    client_->addWidget(animationBar_);
    setCentralWidget(client);
    status_ = new StatusBar(this);
    setStatusBar(status_);
    refreshStatus();

    QMenuBar* bar = menuBar();
    addItems(bar->addMenu(QStringLiteral("&File")), {{"&Open...", command::kOpen},
                                                     {"&Save", command::kSave},
                                                     {"Save As...", command::kSaveAs},
                                                     {"E&xit", command::kExit}});
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    undo_ = addItems(edit, {{"&Undo", command::kUndo}});
    redo_ = addItems(edit, {{"&Redo", command::kRedo}});
    undo_->setEnabled(false);
    redo_->setEnabled(false);
    addItems(bar->addMenu(QStringLiteral("M&odel")), {{"Sequences", command::kSequences}});
    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    addItems(view->addMenu(QStringLiteral("Viewport")), {{"Perspective", command::kPerspective},
                                                         {"Left", command::kPerspective + 1},
                                                         {"Right", command::kPerspective + 2},
                                                         {"Front", command::kPerspective + 3},
                                                         {"Back", command::kPerspective + 4},
                                                         {"Top", command::kPerspective + 5},
                                                         {"Bottom", command::kBottom}});
    addItems(view, {{"&UV Editor", command::kUvEditor},
                    {"&Overlay", command::kToggleOverlay},
                    {"&Frame Selection", command::kFrameSelection}});
    addItems(bar->addMenu(QStringLiteral("&Mode")), {{"&Vertex", command::kVertexMode},
                                                     {"&Triangle", command::kTriangleMode},
                                                     {"&Animation", command::kAnimationMode}});
    QMenu* create = bar->addMenu(QStringLiteral("Create"));
    addItems(create->addMenu(QStringLiteral("Primitive")), {{"Plane", command::kPlane},
                                                            {"Box", command::kBox},
                                                            {"Geosphere", command::kGeosphere},
                                                            {"Cylinder", command::kCylinder},
                                                            {"Tube", command::kTube},
                                                            {"Sphere", command::kSphere}});

    for (QMenu*& menu : modeMenus_) menu = new QMenu(this);
    addItems(modeMenus_[static_cast<std::size_t>(EditMode::Vertex)],
             {{"Weld", command::kWeldVertices},
              {"Divide", command::kDivide},
              {"Delete", command::kDeleteVertices},
              {"Create Triangle", command::kCreateTriangle}});
    addItems(modeMenus_[static_cast<std::size_t>(EditMode::Triangle)], {{"Weld", command::kWeldTriangles},
                                                                        {"Delete", command::kDeleteTriangles},
                                                                        {"Turn Edge", command::kTurnEdge},
                                                                        {"Flip", command::kFlip}});
    addItems(modeMenus_[static_cast<std::size_t>(EditMode::Animation)],
             {{"Copy Keyframe", command::kCopyKeyframe},
              {"Paste Keyframe", command::kPasteKeyframe},
              {"Zero Keyframe", command::kZeroKeyframe},
              {"Delete Keyframe", command::kDeleteKeyframe}});
    QMenu* vertex = modeMenus_[static_cast<std::size_t>(EditMode::Vertex)];
    vertex->setTitle(QStringLiteral("Vertex"));
    bar->addMenu(vertex);
}

QAction* MainWindow::addItems(QMenu* menu, std::initializer_list<Item> items) {
    QAction* action = nullptr;
    for (const Item& item : items) {
        action = menu->addAction(QString::fromLatin1(item.text));
        action->setData(item.id);
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] {
            handleCommand(editor_, id);
            refreshStatus();
        });
    }
    return action;
}

void MainWindow::showDocumentStatus(const QString& title, const QString& undoText, bool canUndo,
                                    const QString& redoText, bool canRedo) {
    setWindowTitle(title);
    undo_->setText(undoText);
    undo_->setEnabled(canUndo);
    redo_->setText(redoText);
    redo_->setEnabled(canRedo);
    refreshStatus();
}

void MainWindow::refreshStatus() {
    status_->showState(editor_.document, editor_.state);
}

void MainWindow::refreshTime() {
    animationBar_->refresh();
    status_->showTime(editor_.state.currentTime);
}

void MainWindow::setView(QWidget* view) {
    client_->addWidget(view, 1);
}

void MainWindow::showModeMenu(EditMode mode) {
    const auto index = static_cast<std::size_t>(mode);
    if (index >= modeMenus_.size()) return;
    QMenuBar* bar = menuBar();
    const QList<QAction*> menus = bar->actions();
    if (menus.size() <= kModeMenuPosition) return;
    bar->removeAction(menus[kModeMenuPosition]);
    modeMenus_[index]->setTitle(QString::fromLatin1(kModeMenuTitles[index]));
    bar->addMenu(modeMenus_[index]);
}

void MainWindow::setClientSize(int width, int height) {
    const QWidget* menu = menuWidget();
    const int menuHeight = menu != nullptr && !menu->isHidden() ? menu->sizeHint().height() : 0;
    resize(width, height + menuHeight + kAnimationBarHeight + status_->sizeHint().height());
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const int key = virtualKeyOf(*event);
    if (key < 0) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    handleKeyDown(editor_, key);
    refreshStatus();
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    const int key = virtualKeyOf(*event);
    if (key < 0) {
        QMainWindow::keyReleaseEvent(event);
        return;
    }
    // The platform repeats a held key as release-press pairs; only the real release counts.
    if (event->isAutoRepeat()) return;
    handleKeyUp(editor_, key);
    refreshStatus();
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange || event->type() == QEvent::ActivationChange)
        editor_.state.isActive = !isMinimized();
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (closeHandler_) closeHandler_();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedModelFile(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const std::optional<std::string> path = droppedModelFile(event->mimeData());
    if (!path) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The drag source waits for the drop to end: the question and the load come after it.
    QMetaObject::invokeMethod(
        this,
        [this, file = *path] {
            if (mayDiscardChanges(editor_)) openModelFile(editor_, file);
        },
        Qt::QueuedConnection);
}

}  // namespace tess

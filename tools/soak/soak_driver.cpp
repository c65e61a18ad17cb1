#include "soak_driver.h"

#include <QtGui/QKeySequence>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <algorithm>
#include <array>
#include <ostream>

#include "editor/commands.h"
#include "model/validate.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"

namespace tess {

namespace {

constexpr std::size_t kLoggedLines = 40;
constexpr int kFrameTimeoutMs = 20000;

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

// Every key of the keyboard table, in every mode; Escape, which ends the editor, is left out.
const std::array kKeys{
    Key{Qt::Key_1, {}},
    Key{Qt::Key_2, {}},
    Key{Qt::Key_3, {}},
    Key{Qt::Key_4, {}},
    Key{Qt::Key_L, Qt::ControlModifier},
    Key{Qt::Key_Z, Qt::ControlModifier},
    Key{Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
    Key{Qt::Key_Y, Qt::ControlModifier},
    Key{Qt::Key_O, {}},
    Key{Qt::Key_F1, {}},
    Key{Qt::Key_F2, {}},
    Key{Qt::Key_F3, {}},
    Key{Qt::Key_F4, {}},
    Key{Qt::Key_Delete, {}},
    Key{Qt::Key_0, {}},
    Key{Qt::Key_C, {}},
    Key{Qt::Key_V, {}},
    Key{Qt::Key_N, {}},
    Key{Qt::Key_D, {}},
    Key{Qt::Key_W, {}},
    Key{Qt::Key_E, {}},
};

struct Modifier {
    Qt::Key key;
    Qt::KeyboardModifier flag;
};

// Modifiers held during mouse actions: Control adds to the selection, Alt removes, Shift
// orbits the perspective camera.
constexpr std::array kMouseModifiers{
    Modifier{Qt::Key_unknown, Qt::NoModifier}, Modifier{Qt::Key_Control, Qt::ControlModifier},
    Modifier{Qt::Key_Alt, Qt::AltModifier}, Modifier{Qt::Key_Shift, Qt::ShiftModifier}};

std::string keyName(int key) {
    return QKeySequence(key).toString().toStdString();
}

// The menu items below `menu`, with their menu path, submenus opened.
void collectItems(const QList<QAction*>& actions, const QString& path,
                  std::vector<std::pair<QAction*, QString>>& items) {
    for (QAction* action : actions) {
        const QString name = path + "/" + action->text();
        if (action->menu() != nullptr)
            collectItems(action->menu()->actions(), name, items);
        else if (!action->isSeparator())
            items.emplace_back(action, name);
    }
}

}  // namespace

SoakDriver::SoakDriver(EditorApp& app, std::uint32_t seed, std::string scratchFolder, std::ostream* trace)
    : app_(app),
      seed_(seed),
      random_(seed),
      answerer_(seed ^ 0x5eed, std::move(scratchFolder), [this](std::string line) { log(std::move(line)); }),
      trace_(trace) {
    answerer_.start(10);
}

bool SoakDriver::run(int count, std::ostream& report) {
    GlView* view = app_.glWindow().view();
    QObject::connect(view, &GlView::frameSwapped, view, [this] { ++frames_; });
    startFindings_ = validateModel(app_.document().model);
    for (int action = 1; action <= count; ++action) {
        act();
        if (trace_ != nullptr) *trace_ << "  now " << summary() << '\n';
        const std::string failure = failedCheck();
        if (failure.empty()) continue;
        report << "soak failed: seed " << seed_ << ", action " << action << ": " << failure
               << "\nlast actions:\n";
        for (const std::string& line : log_) report << "  " << line << '\n';
        return false;
    }
    return true;
}

void SoakDriver::act() {
    const int roll = pick(0, 99);
    if (roll < 30)
        pressKey();
    else if (roll < 35)
        holdArrow();
    else if (roll < 70)
        clickOrDrag();
    else if (roll < 74)
        wheel();
    else
        triggerMenuItem();
}

void SoakDriver::pressKey() {
    const Key& key = kKeys[pick<std::size_t>(0, kKeys.size() - 1)];
    log("key " + keyName(key.key | key.modifiers.toInt()));
    QTest::keyClick(app_.glWindow().mainWindow(), key.key, key.modifiers);
}

void SoakDriver::holdArrow() {
    const Qt::Key key = pick(0, 1) == 0 ? Qt::Key_Left : Qt::Key_Right;
    const int passes = pick(1, 4);
    log("hold " + keyName(key) + " for " + std::to_string(passes) + " frames");
    MainWindow* window = app_.glWindow().mainWindow();
    QTest::keyPress(window, key);
    const int from = frames_;
    // Frames that do not come are reported by the check after the action.
    if (!QTest::qWaitFor([&] { return frames_ >= from + passes; }, kFrameTimeoutMs))
        log("  no frame while held");
    QTest::keyRelease(window, key);
}

QPoint SoakDriver::randomPoint() {
    GlView* view = app_.glWindow().view();
    const int roll = pick(0, 9);
    QPoint point(pick(0, view->width() - 1), pick(0, view->height() - 1));
    if (roll < 3) {
        // Near the middle, where the gizmos of a model at the origin are drawn.
        point = view->rect().center() + QPoint(pick(-40, 40), pick(-40, 40));
    } else if (roll < 7) {
        // Near where a vertex was drawn last, so that clicks pick and drags grab something.
        const ScreenPositions& screen = app_.document().screenPositions;
        if (!screen.empty()) {
            const std::vector<Vec3>& geoset = screen[pick<std::size_t>(0, screen.size() - 1)];
            const double ratio = view->devicePixelRatioF();
            // Vertices off the view (or behind the camera) may be drawn anywhere.
            if (!geoset.empty()) {
                const Vec3& at = geoset[pick<std::size_t>(0, geoset.size() - 1)];
                const QPointF drawn(at[0] / ratio, at[1] / ratio);
                if (QRectF(view->rect()).contains(drawn))
                    point = drawn.toPoint() + QPoint(pick(-3, 3), pick(-3, 3));
            }
        }
    }
    return inView(point);
}

QPoint SoakDriver::inView(QPoint point) {
    // The robot's mouse stays over the view, as QTest delivers nothing outside the window.
    const GlView* view = app_.glWindow().view();
    return {std::clamp(point.x(), 0, view->width() - 1), std::clamp(point.y(), 0, view->height() - 1)};
}

void SoakDriver::mouse(QTest::MouseAction action, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                       QPoint point) {
    // Sent to the window as the window system would, so that Qt tracks the modifiers.
    MainWindow* window = app_.glWindow().mainWindow();
    QTest::mouseEvent(action, window->windowHandle(), action == QTest::MouseMove ? Qt::NoButton : button,
                      modifiers, app_.glWindow().view()->mapTo(window, point));
}

void SoakDriver::clickOrDrag() {
    MainWindow* window = app_.glWindow().mainWindow();
    const auto [modifier, flag] = kMouseModifiers[pick<std::size_t>(0, kMouseModifiers.size() - 1)];
    const Qt::MouseButton button = pick(0, 5) == 0 ? Qt::MiddleButton : Qt::LeftButton;
    const int moves = pick(0, 6);
    QPoint point = randomPoint();
    std::string text = std::string(button == Qt::LeftButton ? "left" : "middle") +
                       (moves == 0 ? " click" : " drag") +
                       (modifier == Qt::Key_unknown ? "" : " with " + keyName(modifier)) + " from " +
                       std::to_string(point.x()) + "," + std::to_string(point.y());
    if (modifier != Qt::Key_unknown) QTest::keyPress(window, modifier);
    mouse(QTest::MouseMove, button, flag, point);
    mouse(QTest::MousePress, button, flag, point);
    for (int move = 0; move < moves; ++move) {
        point = inView(point + QPoint(pick(-60, 60), pick(-60, 60)));
        mouse(QTest::MouseMove, button, flag, point);
        text += " to " + std::to_string(point.x()) + "," + std::to_string(point.y());
    }
    mouse(QTest::MouseRelease, button, flag, point);
    if (modifier != Qt::Key_unknown) QTest::keyRelease(window, modifier);
    log(text);
}

void SoakDriver::wheel() {
    GlView* view = app_.glWindow().view();
    const int delta = pick(0, 1) == 0 ? -120 : 120;
    log("wheel " + std::to_string(delta));
    const QPointF at = view->rect().center();
    QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &event);
}

void SoakDriver::triggerMenuItem() {
    std::vector<std::pair<QAction*, QString>> items;
    collectItems(app_.glWindow().mainWindow()->menuBar()->actions(), QString(), items);
    // Exit ends the editor; disabled items do nothing.
    std::erase_if(items, [](const auto& item) {
        return !item.first->isEnabled() || item.first->data().toInt() == command::kExit;
    });
    if (items.empty()) return;
    const auto& [action, name] = items[pick<std::size_t>(0, items.size() - 1)];
    log("menu " + name.toStdString());
    action->trigger();
}

std::string SoakDriver::failedCheck() {
    if (!app_.loop().running()) return "the editor quit";
    for (const Diagnostic& finding : validateModel(app_.document().model).entries)
        if (std::find(startFindings_.entries.begin(), startFindings_.entries.end(), finding) ==
            startFindings_.entries.end())
            return "the model broke a rule: " + finding.text;
    const int from = frames_;
    if (!QTest::qWaitFor([&] { return frames_ > from; }, kFrameTimeoutMs)) return "no frame was drawn";
    return {};
}

std::string SoakDriver::summary() {
    const Document& document = app_.document();
    std::size_t vertices = 0, triangles = 0, selected = 0;
    for (const Geoset& geoset : document.model.Geosets) {
        vertices += geoset.vertexCount();
        triangles += geoset.corners.size() / 3;
    }
    for (const GeosetSelection& marks : document.selection.geosets)
        selected += static_cast<std::size_t>(std::count(marks.vertices.begin(), marks.vertices.end(), 1));
    return std::to_string(document.model.Geosets.size()) + " geosets, " + std::to_string(vertices) +
           " vertices (" + std::to_string(selected) + " selected), " + std::to_string(triangles) +
           " triangles, mode " + std::to_string(static_cast<int>(app_.state().view.editMode)) + ", time " +
           std::to_string(app_.state().currentTime);
}

void SoakDriver::log(std::string line) {
    if (trace_ != nullptr) *trace_ << line << '\n';
    log_.push_back(std::move(line));
    if (log_.size() > kLoggedLines) log_.pop_front();
}

}  // namespace tess

#pragma once

#include <QtCore/QPoint>
#include <QtTest/QTest>
#include <cstdint>
#include <deque>
#include <iosfwd>
#include <random>
#include <string>

#include "modal_answerer.h"
#include "model/diagnostics.h"
#include "ui/editor_app.h"

namespace tess {

// A robot user for the editor's real window: random keys of the keyboard table (every
// mode), clicks and drags in the view with and without modifiers, the wheel, held arrow
// keys, and every enabled menu item but Exit, with every modal dialog answered at random
// (ModalAnswerer; file dialogs stay inside `scratchFolder`). Escape and Exit, which end the
// editor, are never used. After each action the model must be no less valid than at the
// start (no validation finding that the start model did not have) and the view must draw
// the next frame.
class SoakDriver {
public:
    // Borrows `app`, which must outlive the driver; dialogs are answered from now on. Each
    // action and answer is also written to `trace` as it happens, when one is given.
    SoakDriver(EditorApp& app, std::uint32_t seed, std::string scratchFolder, std::ostream* trace = nullptr);

    // Runs `count` actions on the started editor (its main loop running). On the first
    // failed check, writes the seed, the action's number, what failed and the last actions
    // (with the dialogs' answers) to `report` and returns false.
    bool run(int count, std::ostream& report);

private:
    void act();
    void pressKey();
    void holdArrow();
    void clickOrDrag();
    void wheel();
    void triggerMenuItem();
    QPoint randomPoint();
    QPoint inView(QPoint point);
    void mouse(QTest::MouseAction action, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
               QPoint point);
    std::string failedCheck();
    // Geosets, vertices (selected), triangles, mode and time, for the trace.
    std::string summary();
    void log(std::string line);
    template <typename T>
    T pick(T low, T high) {
        return std::uniform_int_distribution<T>(low, high)(random_);
    }

    EditorApp& app_;
    std::uint32_t seed_;
    std::mt19937 random_;
    ModalAnswerer answerer_;
    std::ostream* trace_;
    std::deque<std::string> log_;
    Diagnostics startFindings_;
    int frames_ = 0;
};

}  // namespace tess

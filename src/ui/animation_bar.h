#pragma once

#include <QtWidgets/QWidget>
#include <functional>

#include "editor/commands.h"

class QLineEdit;

namespace tess {

// The strip across the top of the main window: the buttons "< o >" (object name "1010",
// runs the visibility handler) and "..." ("1003", runs the range handler, then repaints),
// the current time in edit "1002" (shown only: the keyboard stays with the editor), the
// three key switches, and the timeline with the selected bone's key marks and the
// current-time line. A left-button press goes to clickAnimationBar. Everything is painted
// from the editor state on each paint; the bar keeps no state of its own. The editor must
// outlive the bar.
class AnimationBar : public QWidget {
public:
    AnimationBar(Editor& editor, QWidget* parent);

    void setRangeHandler(std::function<void()> handler) { rangeHandler_ = std::move(handler); }
    void setVisibilityHandler(std::function<void()> handler) { visibilityHandler_ = std::move(handler); }

    // Shows the current time in the edit and has the bar painted again.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Editor& editor_;
    QLineEdit* time_ = nullptr;  // owned by the bar
    std::function<void()> rangeHandler_;
    std::function<void()> visibilityHandler_;
};

}  // namespace tess

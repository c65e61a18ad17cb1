#include "ui/animation_bar.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <cmath>

#include "editor/animation_bar_layout.h"

namespace tess {

namespace {

// The controls' places: dialog units of an 8-point font, times 6/4 across and 13/8 down.
constexpr QRect kVisibilityRect{18, 3, 29, 20};
constexpr QRect kTimeRect{86, 3, 71, 20};
constexpr QRect kRangeRect{159, 3, 23, 20};

QColor qtColour(BarColour colour) {
    return {colour.red, colour.green, colour.blue};
}

// Fills `rect` (right and bottom exclusive) with `fill` inside a one-pixel outline in the
// painter's pen, covering exactly the pixels of the rectangle.
void drawBox(QPainter& painter, const BarRect& rect, BarColour fill) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    painter.setBrush(qtColour(fill));
    painter.drawRect(rect.left, rect.top, rect.right - rect.left - 1, rect.bottom - rect.top - 1);
}

QPushButton* addButton(const char* text, int id, QRect place, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::number(id));
    button->setGeometry(place);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

AnimationBar::AnimationBar(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setFixedHeight(kAnimationBarHeight);
    QPushButton* visibility = addButton("< o >", 1010, kVisibilityRect, this);
    connect(visibility, &QPushButton::clicked, this, [this] {
        if (visibilityHandler_) visibilityHandler_();
    });
    time_ = new QLineEdit(this);
    time_->setObjectName(QStringLiteral("1002"));
    time_->setGeometry(kTimeRect);
    time_->setReadOnly(true);
    time_->setFocusPolicy(Qt::NoFocus);
    QPushButton* range = addButton("...", 1003, kRangeRect, this);
    connect(range, &QPushButton::clicked, this, [this] {
        if (rangeHandler_) rangeHandler_();
        refresh();
    });
    refresh();
}

void AnimationBar::refresh() {
    time_->setText(QString::number(editor_.state.currentTime));
    update();
}

void AnimationBar::paintEvent(QPaintEvent*) {
    const AppState& state = editor_.state;
    const Timeline timeline = timelineOf(width(), height(), state.rangeStart, state.rangeEnd);
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(Qt::black);
    for (const KeySwitch which : kKeySwitches)
        drawBox(painter, switchBox(timeline, which),
                switchColour(which, keySwitchFlag(editor_.state, which)));
    drawBox(painter, timeline.rect, kTimelineColour);
    const KeyMarks marks = keyMarksOf(timeline, editor_.document.model, state.view.selectedNode);
    for (const BarRect& mark : marks.rotation) drawBox(painter, mark, kRotationMarkColour);
    for (const BarRect& mark : marks.translation) drawBox(painter, mark, kTranslationMarkColour);
    const int x = xOfTime(timeline, state.currentTime);
    painter.drawLine(x, timeline.rect.top, x, timeline.rect.bottom - 1);
}

void AnimationBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPointF at = event->position();
    const auto x = static_cast<std::int32_t>(std::floor(at.x()));
    const auto y = static_cast<std::int32_t>(std::floor(at.y()));
    if (clickAnimationBar(editor_, width(), height(), x, y)) update();
}

}  // namespace tess

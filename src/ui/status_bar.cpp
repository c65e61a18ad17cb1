#include "ui/status_bar.h"

#include <QtWidgets/QLabel>

#include "editor/selection_counts.h"

namespace tess {

namespace {

QLabel* addLabel(QStatusBar* bar, const char* name, int stretch) {
    auto* label = new QLabel(bar);
    label->setObjectName(QString::fromLatin1(name));
    bar->addWidget(label, stretch);
    return label;
}

QString fromView(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

StatusBar::StatusBar(QWidget* parent)
    : QStatusBar(parent),
      mode_(addLabel(this, "mode", 0)),
      tool_(addLabel(this, "tool", 0)),
      time_(addLabel(this, "time", 0)),
      selection_(addLabel(this, "selection", 1)) {
    setSizeGripEnabled(false);
}

void StatusBar::showState(const Document& document, const AppState& state) {
    mode_->setText(fromView(editModeName(state.view.editMode)));
    tool_->setText(fromView(toolName(state.view.currentTool)));
    showTime(state.currentTime);
    const SelectionCounts counts = countSelection(document.selection);
    selection_->setText(QStringLiteral("Selected vertices: %1, triangles: %2 (all geosets: %3, %4)")
                            .arg(counts.shownVertices)
                            .arg(counts.shownTriangles)
                            .arg(counts.allVertices)
                            .arg(counts.allTriangles));
}

void StatusBar::showTime(std::int32_t time) {
    time_->setText(QStringLiteral("Time %1").arg(time));
}

}  // namespace tess

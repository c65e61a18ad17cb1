#pragma once

#include <QtWidgets/QStatusBar>
#include <cstdint>

#include "editor/app_state.h"
#include "editor/document.h"

class QLabel;

namespace tess {

// The line under the view: the edit mode ("Vertex"), the tool ("Rotate"), the current time
// ("Time 250") and the selection ("Selected vertices: 3, triangles: 1 (all geosets: 5, 2)",
// first in the shown geosets, then in all), in labels named "mode", "tool", "time" and
// "selection". It shows what it was last given.
class StatusBar : public QStatusBar {
public:
    explicit StatusBar(QWidget* parent = nullptr);

    void showState(const Document& document, const AppState& state);
    // Only the time: cheap enough for every frame of playback.
    void showTime(std::int32_t time);

private:
    QLabel* mode_;
    QLabel* tool_;
    QLabel* time_;
    QLabel* selection_;
};

}  // namespace tess

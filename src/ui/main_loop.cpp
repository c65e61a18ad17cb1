#include "ui/main_loop.h"

#include <QtWidgets/QApplication>

namespace tess {

MainLoop::MainLoop(Document& document, AppState& state, Host& host)
    : document_(document), state_(state), host_(host), start_(std::chrono::steady_clock::now()) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { pass(); });
}

std::int32_t MainLoop::clockMs() const {
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    return static_cast<std::int32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void MainLoop::start(GlView& view) {
    view_ = &view;
    running_ = true;
    // A swapped frame ends the pass that asked for it: the next one may run at once.
    frameConnection_ = QObject::connect(&view, &GlView::frameSwapped, &timer_, [this] {
        if (running_) timer_.start(0);
    });
    timer_.start(0);
}

void MainLoop::quit(int exitCode) {
    if (!running_) return;
    running_ = false;
    timer_.stop();
    QObject::disconnect(frameConnection_);
    view_ = nullptr;
    if (finishedHandler_) finishedHandler_(exitCode);
}

void MainLoop::pass() {
    if (!running_) return;
    if (QApplication::activeModalWidget() != nullptr) {
        timer_.start(kRetryMs);
        return;
    }
    const IdleOutcome outcome = idlePass(document_, state_, host_, clockMs());
    if (outcome.stop) {
        if (!stopHandler_) {
            quit(0);
            return;
        }
        stopHandler_();
        if (!running_) return;
    }
    if (outcome.drawFrame && view_ != nullptr) view_->update();
    timer_.start(kRetryMs);
}

}  // namespace tess

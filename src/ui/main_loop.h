#pragma once

#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <chrono>
#include <cstdint>
#include <functional>

#include "editor/app_state.h"
#include "editor/document.h"
#include "editor/host.h"
#include "ui/gl_view.h"

namespace tess {

// The editor's frame loop on top of the Qt event loop. Waiting events are always handled
// first (Qt does that); each idle pass runs the editor's idle work with the process clock
// and then asks the view for a frame unless the window is minimised. The next pass follows
// as soon as that frame has been swapped; a pass that draws nothing, or a frame that never
// comes, retries after kRetryMs. No pass runs while a modal dialog is open, as the dialog's
// own loop stands in for the main loop then. Escape held during a pass calls the stop
// handler, which decides whether to quit (without one, it quits); quit() stops the passes
// and calls the finished handler with the exit code.
class MainLoop {
public:
    static constexpr int kRetryMs = 16;

    // Borrows everything; all must outlive the loop. The clock starts now.
    MainLoop(Document& document, AppState& state, Host& host);

    void setFinishedHandler(std::function<void(int)> handler) { finishedHandler_ = std::move(handler); }
    void setStopHandler(std::function<void()> handler) { stopHandler_ = std::move(handler); }

    // Starts the passes, drawing into `view`; once the view is destroyed nothing is drawn.
    void start(GlView& view);
    // The quit message: no further pass runs; the finished handler gets `exitCode`.
    void quit(int exitCode);
    bool running() const { return running_; }

    // The process clock: milliseconds since the loop was constructed.
    std::int32_t clockMs() const;

private:
    void pass();

    Document& document_;
    AppState& state_;
    Host& host_;
    QPointer<GlView> view_;
    QTimer timer_;
    QMetaObject::Connection frameConnection_;
    bool running_ = false;
    std::function<void(int)> finishedHandler_;
    std::function<void()> stopHandler_;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace tess

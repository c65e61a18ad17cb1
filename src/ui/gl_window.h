#pragma once

#include <QtGui/QSurfaceFormat>
#include <memory>
#include <string>

#include "editor/commands.h"
#include "render/texture_table.h"

namespace tess {

class GlView;
class MainWindow;

// The surface the editor asks for: a compatibility-profile context (fixed-function GL),
// double-buffered, with a 16-bit depth buffer; the platform picks its closest format, so
// only a total failure to get a context is an error. No colour depth is requested: the
// view draws into a framebuffer object with 8 bits per channel whatever the window has.
QSurfaceFormat glWindowFormat();

// The main window with its GL view and context, and the texture table that lives in that
// context. Borrows the document, the editor state and the host (for the "ERROR" and
// "SHUTDOWN ERROR" message boxes, shown without an owner); all three must outlive it. It is
// the editor's Viewport and holds the Editor that its menus, keys and mouse drive.
class GlWindow : public Viewport {
public:
    GlWindow(Document& document, AppState& state, Host& host);
    ~GlWindow() override;
    GlWindow(const GlWindow&) = delete;
    GlWindow& operator=(const GlWindow&) = delete;

    // Creates and shows the window (title, its view width x height logical pixels) with
    // its GL context, gives it the keyboard focus, sets the viewport and projection and runs
    // initGL (textures and fixed state). On failure the partly built window is torn down,
    // the "ERROR" message box says which step failed, and the result is false.
    bool createGLWindow(const std::string& title, int width, int height,
                        const QSurfaceFormat& format = glWindowFormat());

    // Releases the textures (in their context) and destroys the window and its context.
    // Safe on a partly built window and when called twice.
    void killGLWindow();

    MainWindow* mainWindow() const { return window_.get(); }
    GlView* view() const { return view_; }
    Editor& editor() { return editor_; }

    // The Viewport, in the view's context; without a view nothing is picked or loaded.
    // Picking runs the pickable drawers of the mode in GL selection mode; what they compute
    // for the mouse tools is dropped, as it was computed under the pick matrix.
    bool pickHandle(std::int32_t x, std::int32_t y, DragState& code) override;
    void projectionChanged() override;
    void reloadTextures() override;

private:
    bool fail(const char* text);
    bool makeCurrent();

    Document& document_;
    AppState& state_;
    Host& host_;
    Editor editor_;
    TextureTable textures_;
    std::unique_ptr<MainWindow> window_;
    GlView* view_ = nullptr;  // owned by window_
};

}  // namespace tess

#include "ui/gl_window.h"

#include <QtGui/QOpenGLContext>

#include "render/gl_setup.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"

namespace tess {

namespace {

constexpr const char* kErrorCaption = "ERROR";
constexpr const char* kShutdownCaption = "SHUTDOWN ERROR";

}  // namespace

QSurfaceFormat glWindowFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setDepthBufferSize(16);
    return format;
}

GlWindow::GlWindow(Document& document, AppState& state, Host& host)
    : document_(document), state_(state), host_(host) {}

GlWindow::~GlWindow() {
    killGLWindow();
}

bool GlWindow::createGLWindow(const std::string& title, int width, int height, const QSurfaceFormat& format) {
    window_ = std::make_unique<MainWindow>(state_);
    window_->setWindowTitle(QString::fromStdString(title));
    view_ = new GlView(document_, state_, textures_);
    view_->setFormat(format);
    window_->setCentralWidget(view_);
    window_->setClientSize(width, height);

    // The view gets its context when it is first shown, so showing comes before the
    // context checks here.
    window_->show();
    window_->raise();
    window_->activateWindow();
    window_->setFocus();

    if (!view_->isValid()) return fail("Can't Create A GL Rendering Context.");
    view_->makeCurrent();
    if (QOpenGLContext::currentContext() != view_->context())
        return fail("Can't Activate The GL Rendering Context.");

    resizeScene(state_.view);
    initGL(textures_, document_.model, state_.currentFileName);
    view_->setReady();
    view_->update();
    return true;
}

bool GlWindow::fail(const char* text) {
    killGLWindow();
    host_.messageBox(text, kErrorCaption, MessageIcon::Exclamation, false);
    return false;
}

void GlWindow::killGLWindow() {
    if (view_ != nullptr && view_->isValid()) {
        // Texture objects belong to the view's context: delete them while it is current.
        view_->makeCurrent();
        releaseTextures(textures_);
        view_->doneCurrent();
        if (QOpenGLContext::currentContext() == view_->context())
            host_.messageBox("Release Of DC And RC Failed.", kShutdownCaption, MessageIcon::Information,
                             false);
    }
    view_ = nullptr;
    window_.reset();
}

}  // namespace tess

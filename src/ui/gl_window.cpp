#include "ui/gl_window.h"

#include <QtGui/QOpenGLContext>

#include "render/draw_gizmo.h"
#include "render/draw_nodes.h"
#include "render/gl_setup.h"
#include "render/picking.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"

namespace tess {

namespace {

constexpr const char* kErrorCaption = "ERROR";
constexpr const char* kShutdownCaption = "SHUTDOWN ERROR";

// The handles a click can grab in the scene's mode, as drawScene draws them.
void drawPickable(const Scene& scene) {
    GizmoVectors discarded;
    switch (scene.view.editMode) {
        case EditMode::Animation:
            for (const std::uint32_t bone : scene.view.allNodes) drawNode(scene, bone, discarded);
            break;
        case EditMode::Vertex:
            drawCentroidGizmo(scene, discarded);
            break;
        case EditMode::Triangle:
            if (scene.view.currentTool == Tool::Extrude)
                drawExtrudeGizmo(scene, discarded);
            else
                drawCentroidGizmo(scene, discarded);
            break;
        case EditMode::None:
            break;
    }
}

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
    : document_(document), state_(state), host_(host), editor_{document, state, host, *this} {}

GlWindow::~GlWindow() {
    killGLWindow();
}

bool GlWindow::createGLWindow(const std::string& title, int width, int height, const QSurfaceFormat& format) {
    window_ = std::make_unique<MainWindow>(editor_);
    window_->setWindowTitle(QString::fromStdString(title));
    view_ = new GlView(editor_, textures_);
    view_->setFormat(format);
    window_->setView(view_);
    view_->setAfterMouseButton([window = window_.get()] { window->refreshStatus(); });
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

bool GlWindow::makeCurrent() {
    if (view_ == nullptr || !view_->isValid()) return false;
    view_->makeCurrent();
    return true;
}

bool GlWindow::pickHandle(std::int32_t x, std::int32_t y, DragState& code) {
    if (!makeCurrent()) return false;
    const Scene scene{document_.model, document_.pose, document_.selection, state_.view, textures_};
    const std::optional<std::uint32_t> name = pickName(state_.view, x, y, [&scene] { drawPickable(scene); });
    if (!name) return false;
    const PickedHandle handle =
        handleForName(*name, state_.view.currentTool, document_.model, state_.view.allNodes);
    if (handle.code) code = *handle.code;
    if (handle.selectedNode) state_.view.selectedNode = *handle.selectedNode;
    return true;
}

void GlWindow::projectionChanged() {
    if (makeCurrent()) loadViewportAndProjection(state_.view);
}

void GlWindow::reloadTextures() {
    if (makeCurrent()) tess::reloadTextures(textures_, document_.model, state_.currentFileName);
}

}  // namespace tess

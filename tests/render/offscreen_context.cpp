#include "offscreen_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>

namespace tess::testing {

namespace {

// Framebuffer-object entry points, looked up once the context exists.
struct FramebufferFunctions {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

    bool complete() const {
        return genFramebuffers && deleteFramebuffers && bindFramebuffer && genRenderbuffers &&
               deleteRenderbuffers && bindRenderbuffer && renderbufferStorage && framebufferRenderbuffer &&
               checkFramebufferStatus;
    }
};

template <class F>
void lookUp(F& function, const char* name) {
    function = reinterpret_cast<F>(eglGetProcAddress(name));
}

struct ProcessContext {
    bool ready = false;
    std::string error;
    FramebufferFunctions fbo;
};

ProcessContext createProcessContext() {
    ProcessContext result;
    // The same rasterizer on every machine, so pixel results do not depend on a GPU.
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) {
        result.error = "EGL has no eglGetPlatformDisplayEXT";
        return result;
    }
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || eglInitialize(display, &major, &minor) == EGL_FALSE) {
        result.error = "no surfaceless EGL display";
        return result;
    }
    if (eglBindAPI(EGL_OPENGL_API) == EGL_FALSE) {
        result.error = "EGL cannot bind the desktop OpenGL API";
        return result;
    }
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) {
        result.error = "cannot create a compatibility-profile context";
        return result;
    }
    if (eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) == EGL_FALSE) {
        result.error = "cannot make the context current";
        return result;
    }
    FramebufferFunctions& f = result.fbo;
    lookUp(f.genFramebuffers, "glGenFramebuffers");
    lookUp(f.deleteFramebuffers, "glDeleteFramebuffers");
    lookUp(f.bindFramebuffer, "glBindFramebuffer");
    lookUp(f.genRenderbuffers, "glGenRenderbuffers");
    lookUp(f.deleteRenderbuffers, "glDeleteRenderbuffers");
    lookUp(f.bindRenderbuffer, "glBindRenderbuffer");
    lookUp(f.renderbufferStorage, "glRenderbufferStorage");
    lookUp(f.framebufferRenderbuffer, "glFramebufferRenderbuffer");
    lookUp(f.checkFramebufferStatus, "glCheckFramebufferStatus");
    if (!f.complete()) {
        result.error = "the context has no framebuffer objects";
        return result;
    }
    result.ready = true;
    return result;
}

const ProcessContext& processContext() {
    static const ProcessContext context = createProcessContext();
    return context;
}

}  // namespace

OffscreenContext::~OffscreenContext() {
    release();
}

void OffscreenContext::release() {
    const ProcessContext& context = processContext();
    if (!context.ready) return;
    if (framebuffer_ != 0) {
        context.fbo.bindFramebuffer(GL_FRAMEBUFFER, 0);
        context.fbo.deleteFramebuffers(1, &framebuffer_);
    }
    if (colour_ != 0) context.fbo.deleteRenderbuffers(1, &colour_);
    if (depth_ != 0) context.fbo.deleteRenderbuffers(1, &depth_);
    framebuffer_ = colour_ = depth_ = 0;
}

bool OffscreenContext::open(int width, int height) {
    const ProcessContext& context = processContext();
    if (!context.ready) {
        error_ = context.error;
        return false;
    }
    release();
    const FramebufferFunctions& f = context.fbo;
    f.genRenderbuffers(1, &colour_);
    f.bindRenderbuffer(GL_RENDERBUFFER, colour_);
    f.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    f.genRenderbuffers(1, &depth_);
    f.bindRenderbuffer(GL_RENDERBUFFER, depth_);
    f.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    f.genFramebuffers(1, &framebuffer_);
    f.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    f.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    f.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    if (f.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        error_ = "the framebuffer object is incomplete";
        release();
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

std::vector<std::uint8_t> OffscreenContext::readPixels() const {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) *
                                     4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glFinish();
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

}  // namespace tess::testing

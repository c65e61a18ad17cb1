#include "offscreen_context.h"

#define GL_GLEXT_PROTOTYPES
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>

namespace tess::testing {

namespace {

// Why the process's context could not be made; empty once it is current.
std::string createProcessContext() {
    // The same rasterizer on every machine, so pixel results do not depend on a GPU.
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    EGLDisplay display = getPlatformDisplay == nullptr ? EGL_NO_DISPLAY
                                                       : getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA,
                                                                            EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || eglInitialize(display, nullptr, nullptr) == EGL_FALSE)
        return "no surfaceless EGL display";
    if (eglBindAPI(EGL_OPENGL_API) == EGL_FALSE) return "EGL cannot bind the desktop OpenGL API";
    const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT) return "cannot create a compatibility-profile context";
    if (eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) == EGL_FALSE)
        return "cannot make the context current";
    return {};
}

const std::string& processContextError() {
    static const std::string error = createProcessContext();
    return error;
}

}  // namespace

OffscreenContext::~OffscreenContext() {
    release();
}

void OffscreenContext::release() {
    if (framebuffer_ != 0) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer_);
        glDeleteRenderbuffers(1, &colour_);
        glDeleteRenderbuffers(1, &depth_);
    }
    framebuffer_ = colour_ = depth_ = 0;
}

bool OffscreenContext::open(int width, int height) {
    error_ = processContextError();
    if (!error_.empty()) return false;
    release();
    glGenRenderbuffers(1, &colour_);
    glBindRenderbuffer(GL_RENDERBUFFER, colour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glGenRenderbuffers(1, &depth_);
    glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
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

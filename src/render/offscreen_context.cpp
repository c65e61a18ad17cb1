#include "render/offscreen_context.h"

#define GL_GLEXT_PROTOTYPES
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>

namespace tess {

namespace {

// The process's display and context, made once; `error` says why they could not be made.
struct ProcessContext {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    std::string error;
};

ProcessContext createProcessContext() {
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);  // the same rasteriser, so the same pixels, everywhere
    ProcessContext made;
    made.display = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    if (made.display == EGL_NO_DISPLAY || !eglInitialize(made.display, nullptr, nullptr) ||
        !eglBindAPI(EGL_OPENGL_API)) {
        made.error = "no surfaceless EGL display with desktop OpenGL";
        return made;
    }
    made.context = eglCreateContext(made.display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (made.context == EGL_NO_CONTEXT) made.error = "cannot create a compatibility-profile context";
    return made;
}

// Thread-safe: the first caller makes it, later callers wait for it.
const ProcessContext& processContext() {
    static const ProcessContext made = createProcessContext();
    return made;
}

}  // namespace

void OffscreenContext::release() {
    if (buffers_[0] != 0) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &buffers_[0]);
        glDeleteRenderbuffers(2, &buffers_[1]);
    }
    buffers_[0] = buffers_[1] = buffers_[2] = 0;
}

void OffscreenContext::prepare() {
    processContext();
}

bool OffscreenContext::open(int width, int height) {
    const ProcessContext& process = processContext();
    error_ = process.error;
    if (!error_.empty()) return false;
    // The API choice is per thread, so this thread binds desktop OpenGL before making the
    // context current on itself.
    if (eglGetCurrentContext() != process.context &&
        (!eglBindAPI(EGL_OPENGL_API) ||
         !eglMakeCurrent(process.display, EGL_NO_SURFACE, EGL_NO_SURFACE, process.context))) {
        error_ = "cannot make the compatibility-profile context current";
        return false;
    }
    release();
    glGenFramebuffers(1, &buffers_[0]);
    glGenRenderbuffers(2, &buffers_[1]);
    glBindFramebuffer(GL_FRAMEBUFFER, buffers_[0]);
    const GLenum formats[] = {GL_RGBA8, GL_DEPTH_COMPONENT24};
    const GLenum attachments[] = {GL_COLOR_ATTACHMENT0, GL_DEPTH_ATTACHMENT};
    for (int i = 0; i < 2; ++i) {
        glBindRenderbuffer(GL_RENDERBUFFER, buffers_[1 + i]);
        glRenderbufferStorage(GL_RENDERBUFFER, formats[i], width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachments[i], GL_RENDERBUFFER, buffers_[1 + i]);
    }
    width_ = width;
    height_ = height;
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) return true;
    error_ = "the framebuffer object is incomplete";
    release();
    return false;
}

std::vector<std::uint8_t> OffscreenContext::readPixels() const {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) *
                                     4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glFinish();
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

}  // namespace tess

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tess {

// A headless OpenGL compatibility context (EGL on Mesa's surfaceless platform, software
// rasteriser unless LIBGL_ALWAYS_SOFTWARE is set otherwise) drawing into a framebuffer
// object: no display server and no window, for thumbnails, tests and benchmarks.
// The context is made once per process and kept to the end (unloading the driver earlier
// would hide its allocations from the leak checker); each object owns only its framebuffer.
class OffscreenContext {
public:
    OffscreenContext() = default;
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;
    ~OffscreenContext() { release(); }

    // Makes the process's context (loading the driver takes a tenth of a second) without
    // making it current, so that a program can do it on another thread while it does other
    // work. Safe to call from any thread, any number of times; open() does it when needed.
    // The first call sets LIBGL_ALWAYS_SOFTWARE when it is unset, so other threads must not
    // read or change the environment meanwhile.
    static void prepare();
    // Makes the context current on the calling thread (it fails while another thread has it
    // current) with a width x height framebuffer (RGBA8, 24-bit depth) bound for drawing and
    // reading; false, with error() saying why, if anything fails.
    bool open(int width, int height);
    const std::string& error() const { return error_; }
    // The framebuffer's RGBA bytes, bottom row first.
    std::vector<std::uint8_t> readPixels() const;

private:
    void release();

    std::string error_;
    int width_ = 0, height_ = 0;
    std::uint32_t buffers_[3] = {};  // the framebuffer, its colour and its depth renderbuffer
};

}  // namespace tess

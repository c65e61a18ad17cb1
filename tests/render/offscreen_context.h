#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tess::testing {

// A headless OpenGL compatibility context (EGL on Mesa's surfaceless platform, software
// rasterizer) drawing into a framebuffer object, for tests and benchmarks without any
// display server. The GL context is made once per process and kept until exit (tearing it
// down would unload the driver before the leak checker could name its allocations); each
// OffscreenContext owns only its framebuffer.
class OffscreenContext {
public:
    OffscreenContext() = default;
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    // Makes the context current with a width x height framebuffer (8-bit RGBA, 24-bit depth)
    // bound for drawing and reading. False with error() saying why if anything fails.
    bool open(int width, int height);
    const std::string& error() const { return error_; }

    // The framebuffer's pixels: RGBA bytes, bottom row first.
    std::vector<std::uint8_t> readPixels() const;

private:
    void release();

    std::string error_;
    int width_ = 0;
    int height_ = 0;
    std::uint32_t framebuffer_ = 0;
    std::uint32_t colour_ = 0;
    std::uint32_t depth_ = 0;
};

}  // namespace tess::testing

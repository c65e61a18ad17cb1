#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "render/window_projection.h"

namespace tess {

// The vertex markers of one geoset: 5 x 5 pixel squares at window positions, drawn in one
// call. A marker for window point (wx, wy, wz) covers the same pixels as a 5 x 5 pixel
// block drawn at the raster position (wx - 2, wy - 2, wz): columns from round(wx - 2) and
// rows from round(wy - 2), five of each, depth-tested (and written) at depth wz, the corner
// rounded to single precision first (GL holds the raster position so) and a half rounding
// up. Like the block, a marker whose corner lies outside the viewport or the depth range is
// not drawn at all, and one near the top or right edge is cut by the framebuffer, not by the
// viewport.
class MarkerBatch {
public:
    // Empties the batch for markers placed against `viewport` (x, y, width, height).
    void reset(const std::array<int, 4>& viewport);
    // Adds one marker in the colour `rgba` (bytes); skipped as described above.
    void add(const WindowPoint& point, const std::array<std::uint8_t, 4>& rgba);
    std::size_t size() const { return colours_.size() / 4; }

    // Draws every marker in one call with the texture and blending state in force. Keeps
    // the matrices, the viewport, the point size and the client array state as they were.
    void draw() const;

private:
    std::array<int, 4> viewport_{};
    std::vector<float> centres_;  // window x, y and depth of each square's centre
    std::vector<std::uint8_t> colours_;
};

}  // namespace tess

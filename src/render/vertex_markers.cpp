#include "render/vertex_markers.h"

#include <GL/gl.h>

#include <cmath>

namespace tess {

namespace {

constexpr int kMarkerSize = 5;
// Room around the viewport for the parts of squares beyond its top and right edges.
constexpr int kMargin = kMarkerSize;

}  // namespace

void MarkerBatch::reset(const std::array<int, 4>& viewport) {
    viewport_ = viewport;
    centres_.clear();
    colours_.clear();
}

void MarkerBatch::add(const WindowPoint& point, const std::array<std::uint8_t, 4>& rgba) {
    // The raster position is held in single precision, so the corner is rounded to float
    // first: a corner a hair below a half pixel becomes the half pixel itself.
    const auto cornerX = static_cast<float>(point.x - 2);
    const auto cornerY = static_cast<float>(point.y - 2);
    if (!(cornerX >= static_cast<float>(viewport_[0]) &&
          cornerX <= static_cast<float>(viewport_[0] + viewport_[2]) &&
          cornerY >= static_cast<float>(viewport_[1]) &&
          cornerY <= static_cast<float>(viewport_[1] + viewport_[3]) && point.z >= 0 && point.z <= 1))
        return;
    // A pixel block starts at the pixel nearest its raster position, a half rounding up; a
    // point square of odd size covers the pixels around the one holding its centre, so the
    // centre goes in the middle of the block's third column and row.
    const float firstColumn = std::floor(cornerX + 0.5f);
    const float firstRow = std::floor(cornerY + 0.5f);
    centres_.push_back(firstColumn + 2.5f);
    centres_.push_back(firstRow + 2.5f);
    centres_.push_back(static_cast<float>(point.z));
    colours_.insert(colours_.end(), rgba.begin(), rgba.end());
}

void MarkerBatch::draw() const {
    if (colours_.empty()) return;
    const int left = viewport_[0] - kMargin;
    const int bottom = viewport_[1] - kMargin;
    const int width = viewport_[2] + 2 * kMargin;
    const int height = viewport_[3] + 2 * kMargin;

    glPushAttrib(GL_VIEWPORT_BIT | GL_POINT_BIT | GL_TRANSFORM_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glViewport(left, bottom, width, height);
    glPointSize(static_cast<float>(kMarkerSize));
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // Window x and y map to themselves and z to the window depth z.
    glOrtho(left, left + width, bottom, bottom + height, 0, -1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, centres_.data());
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, colours_.data());
    glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(size()));

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}

}  // namespace tess

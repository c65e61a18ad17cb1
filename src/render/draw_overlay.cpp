#include "render/draw_overlay.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <vector>

namespace tess {

namespace {

constexpr std::array<std::uint8_t, 4> kRectangleColour = {232, 179, 17, 0};
constexpr double kRectangleDepth = 0.1;

// Draws `width` x `height` pixels of the rectangle colour with their lower-left corner at
// window point (x, y), placed through the raster position like any other pixel drawing.
void drawRun(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    std::array<double, 16> modelview{};
    std::array<double, 16> projection{};
    std::array<GLint, 4> viewport{};
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    double ox = 0, oy = 0, oz = 0;
    if (gluUnProject(x, y, kRectangleDepth, modelview.data(), projection.data(), viewport.data(), &ox, &oy,
                     &oz) == GL_FALSE)
        return;
    glRasterPos3d(ox, oy, oz);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    for (std::size_t i = 0; i < pixels.size(); i += 4)
        std::copy(kRectangleColour.begin(), kRectangleColour.end(),
                  pixels.begin() + static_cast<std::ptrdiff_t>(i));
    glDrawPixels(width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
}

}  // namespace

void drawGrid(int count, float spacing, const TextureTable& table) {
    glColor3f(1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, table.slots[kWhiteSlot]);
    const float extent = static_cast<float>(count) * spacing;
    glBegin(GL_LINES);
    for (int i = -count; i <= count; ++i) {
        const float x = static_cast<float>(i) * spacing;
        glVertex3f(x, -extent, 0);
        glVertex3f(x, extent, 0);
    }
    for (int j = -count; j <= count; ++j) {
        const float y = static_cast<float>(j) * spacing;
        glVertex3f(-extent, y, 0);
        glVertex3f(extent, y, 0);
    }
    glEnd();
}

void drawSelectionRectangle(const View& view) {
    if (view.editMode != EditMode::Vertex && view.editMode != EditMode::Triangle) return;
    if (view.dragState != DragState::Rectangle) return;
    glClear(GL_DEPTH_BUFFER_BIT);
    const int x0 = std::min(view.dragStartX, view.lastMouseX);
    const int x1 = std::max(view.dragStartX, view.lastMouseX);
    const int y0 = std::min(view.dragStartY, view.lastMouseY);
    const int y1 = std::max(view.dragStartY, view.lastMouseY);
    const int w = x1 - x0;
    const int h = y1 - y0;
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    const int viewportHeight = viewport[3];
    drawRun(x0, viewportHeight - y0 - h, 1, h);
    drawRun(x1, viewportHeight - y0 - h, 1, h);
    drawRun(x0, viewportHeight - y0 - h, w, 1);
    drawRun(x0, viewportHeight - y0, w, 1);
}

}  // namespace tess

#pragma once

#include "render/texture_table.h"
#include "view/view.h"

namespace tess {

// The ground grid on the plane z = 0 in white: 2n + 1 lines along Y at x = i * spacing and
// 2n + 1 along X at y = j * spacing, for i and j from -n to n.
void drawGrid(int count, float spacing, const TextureTable& table);

// In Vertex and Triangle modes while a rectangle drag is going on: clears the depth buffer
// and draws the one-pixel outline of the rectangle between the drag start and the last
// mouse position (window pixels, y from the top) in (232, 179, 17). Otherwise draws nothing.
void drawSelectionRectangle(const View& view);

}  // namespace tess

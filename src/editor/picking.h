#pragma once

#include <cstdint>

#include "editor/app_state.h"
#include "editor/document.h"
#include "editor/host.h"

namespace tess {

// Screen-space picking of vertices (Vertex mode) and triangles (Triangle mode) against the
// screen positions the last drawn frame cached (Document::screenPositions: window x, y from
// the top, depth). Mouse positions are window pixels, y from the top. Ctrl is read from
// state.keysDown, Alt from the host. Only shown geosets are searched. A vertex without a
// cached position or selection flag, a triangle with a corner index past those vertices or
// without a selection flag, anything whose x or y is NaN or infinite and, for a click,
// anything whose depth is NaN are never hit; the document's arrays may be of any length.

// A click in Vertex mode. The hit is the vertex of the shown geosets less than 4 pixels from
// (x, y) with the smallest depth (below 1e6; the first of equals). Without Ctrl or Alt every
// vertex of every geoset, hidden ones too, is deselected first; then the hit is selected, or
// deselected when Alt is held.
void pickVertex(Document& document, const AppState& state, const Host& host, std::int32_t x, std::int32_t y);

// A rectangle drag in Vertex mode, corners in any order. For every vertex of the shown
// geosets, inside = within the rectangle, borders included. With Ctrl: selected |= inside;
// else with Alt: selected &= !inside; else selected = inside. Hidden geosets are untouched.
void pickVerticesInRectangle(Document& document, const AppState& state, const Host& host, std::int32_t x0,
                             std::int32_t y0, std::int32_t x1, std::int32_t y1);

// A click in Triangle mode. The hit is the triangle of the shown geosets that contains (x, y)
// (pointInTriangle: never one of zero screen area) with the smallest depth there
// (depthInTriangle, below 1e8; the first of equals). Without Ctrl or Alt every triangle of
// the shown geosets is deselected first; then the hit is selected, or deselected when Alt is
// held. Ends with selectVerticesOfSelectedFaces.
void pickTriangle(Document& document, const AppState& state, const Host& host, std::int32_t x,
                  std::int32_t y);

// A rectangle drag in Triangle mode from (startX, startY) to (endX, endY). Every triangle of
// the shown geosets that touches the rectangle (triangleTouchesRectangle) is selected, or
// deselected when Alt is held; every other one keeps its flag when Ctrl or Alt is held and is
// deselected otherwise. Ends with selectVerticesOfSelectedFaces.
void pickTrianglesInRectangle(Document& document, const AppState& state, const Host& host,
                              std::int32_t startX, std::int32_t startY, std::int32_t endX, std::int32_t endY);

}  // namespace tess

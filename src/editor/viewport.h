#pragma once

#include <cstdint>

#include "view/view.h"

namespace tess {

// What the editor asks of the 3D view besides drawing. The window implements it with the
// drawing layer; tests use a fake. Positions are device pixels, y downward.
class Viewport {
public:
    virtual ~Viewport() = default;

    // Picks the handles drawn for the current mode at (x, y): in Animation mode the node
    // markers of allNodes, in Vertex mode the centroid gizmo, in Triangle mode the centroid
    // gizmo or, with the extrude tool, the extrude arrow. On a hit returns true and, by the
    // pick code table, writes `code` (a cone of the current tool, the extrude arrow) or makes
    // the hit node the selected node and writes DragState::Idle; a cone with the extrude tool
    // leaves `code` as it was. False when nothing was hit.
    virtual bool pickHandle(std::int32_t x, std::int32_t y, DragState& code) = 0;

    // The camera or the window size changed: load the projection again.
    virtual void projectionChanged() = 0;

    // A new model was opened: load its textures again.
    virtual void reloadTextures() = 0;
};

}  // namespace tess

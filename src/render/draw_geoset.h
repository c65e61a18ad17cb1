#pragma once

#include <cstddef>
#include <vector>

#include "render/scene.h"

namespace tess {

// How drawGeoset blends a layer: additively for the Additive filter mode and for
// ReplaceableId 2, by source alpha for Transparent and Blend, not at all otherwise.
enum class LayerBlend { None, Additive, Alpha };
LayerBlend layerBlend(const Model& model, const Layer& layer);

// Draws geoset `g` of the scene with the current modelview matrix; nothing at all when the
// selection hides it.
//  - Each layer of its material draws every triangle at the scene's positions (the pose's
//    animated ones), textured with texture set 0 as (u, 1 - v), or (0, 0) for a geoset
//    without texture sets: plain red for ReplaceableId 1; additive blending for the Additive
//    filter mode and for ReplaceableId 2, alpha blending for Transparent and Blend, none
//    otherwise. Depth test, depth writes and back-face culling stay on for every layer.
//  - With showOverlay: the wireframe in white, then `screenPositions` (resized to the
//    geoset's vertices, existing entries kept) is refreshed: window x, y counted from the top
//    of the viewport, depth; a vertex that projects to w = 0 keeps its previous entry. In
//    Vertex mode a 5 x 5 marker is drawn per vertex, red when selected, white otherwise.
//  - In Triangle mode: the selected triangles again, tinted (1.0, 0.6, 0.6) with the grey
//    texture of slot 2, blended with whatever blend function is in force.
// No normals are sent: lighting is never enabled, so they could not change the image.
// Triangles with a corner outside the vertices are left out; a material id naming no
// material draws no layers; a layer's texture id naming no texture uses the placeholder.
// Leaves blending off, texturing on, the matrix mode at modelview and no client array
// enabled. Reuses internal scratch arrays between calls, so it is not for concurrent use.
void drawGeoset(const Scene& scene, std::size_t g, std::vector<Vec3>& screenPositions);

}  // namespace tess

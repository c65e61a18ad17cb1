#pragma once

#include "editor/app_state.h"
#include "model/model.h"
#include "render/texture_table.h"

namespace tess {

// Draws one geoset with the current matrices; nothing at all when it is hidden.
//  - Each layer of its material draws every triangle (animated positions, texture
//    coordinates (u, 1 - v)) with the layer's texture: plain red for ReplaceableId 1;
//    additive blending for the Additive filter mode and for ReplaceableId 2, alpha
//    blending for Transparent and Blend, none otherwise. Depth test, depth writes and
//    back-face culling stay on for every layer.
//  - With showOverlay: the wireframe in white, then every vertex's screen position is
//    refreshed (window x, y counted from the top of the viewport, depth; a vertex that
//    projects to w = 0 keeps its previous one), and in Vertex mode a 5 x 5 marker is drawn
//    per vertex, red when selected, white otherwise.
//  - In Triangle mode: the selected triangles again, tinted (1.0, 0.6, 0.6) with the grey
//    texture of slot 2, blended with whatever blend function is in force.
// No normals are sent: lighting is never enabled, so they could not change the image.
// Triangles with a corner outside the vertices are left out; a material id naming no
// material draws no layers; a layer's texture id naming no texture uses the placeholder.
// Leaves blending off, texturing on and no client array enabled. Reuses internal scratch
// arrays between calls, so it is not for concurrent use.
void drawGeoset(Geoset& geoset, const Model& model, const AppState& state, const TextureTable& table);

}  // namespace tess

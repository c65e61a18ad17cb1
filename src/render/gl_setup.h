#pragma once

#include <string>

#include "model/model.h"
#include "render/texture_table.h"
#include "view/view.h"

namespace tess {

// Loads the document's textures into `table` and sets the fixed GL state: texturing,
// smooth shading, clear colour (0, 0, 0, 0.5) and depth 1, less-or-equal depth test,
// normalised normals, white material, directional light 0 (lighting itself stays off),
// back faces culled, nicest perspective correction. Needs a current GL context.
void initGL(TextureTable& table, const Model& model, const std::string& currentFileName);

// Sets the viewport to the window (a height of 0 counts as 1) and loads the projection of
// the current view; the modelview matrix is kept, so picking still finds the last frame's
// view transform there.
void loadViewportAndProjection(const View& view);

// loadViewportAndProjection, then resets the modelview matrix.
void resizeScene(const View& view);

}  // namespace tess

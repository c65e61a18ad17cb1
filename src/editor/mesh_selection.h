#pragma once

#include "model/model.h"
#include "view/selection.h"

namespace tess {

// Sizes `selection` to the model (Selection::fit), then for every shown geoset clears every
// vertex's viewport flag and sets it on the corners of its selected triangles (corners past
// the vertices are skipped). Hidden geosets are left as they are.
void selectVerticesOfSelectedFaces(const Model& model, Selection& selection);

}  // namespace tess

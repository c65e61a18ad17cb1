#pragma once

#include "model/model.h"

namespace tess {

// For every shown geoset: clears every vertex's viewport selection, then selects the
// corners of its selected triangles. Hidden geosets are left as they are.
void selectVerticesOfSelectedFaces(Model& model);

}  // namespace tess

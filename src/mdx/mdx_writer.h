#pragma once

#include <cstdint>
#include <vector>

#include "model/diagnostics.h"
#include "model/model.h"

namespace tess {

// Appends the whole model to `out` as an MDX file image; `out` is grown once, to the size
// computed before writing. Refuses, appending nothing and returning one error, when a
// value does not fit its MDX field: a geoset of more than 65,536 vertices, a corner index
// above 65,535 or a vertex group above 255 (the error names the geoset, numbered from 1),
// or a chunk above 4 GiB. Strings longer than their fixed field lose their tail so the
// field keeps a terminating zero. A collision shape of a type other than Box or Sphere is
// written with its second vertex, like a box, so it reads back unchanged, and gives the
// warning kMdxUnknownCollisionShape.
Diagnostics writeMdx(const Model& model, std::vector<std::uint8_t>& out);

}  // namespace tess

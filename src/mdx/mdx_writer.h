#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/model.h"
#include "model/report.h"

namespace tess {

struct MdxWriteResult {
    bool ok = true;
    std::string error;  // why nothing was written, when !ok
};

// Appends the whole model to `out` as an MDX file image; `out` is grown once, to the size
// computed before writing. Refuses, appending nothing, when a value does not fit its MDX
// field: a geoset of more than 65,536 vertices, a corner index above 65,535 or a vertex
// group above 255 (the error names the geoset, numbered from 1), or a chunk above 4 GiB.
// Strings longer than their fixed field lose their tail so the field keeps a terminating
// zero. A collision shape of a type other than Box or Sphere is reported to `reports` and
// written with its second vertex, like a box, so it reads back unchanged.
MdxWriteResult writeMdx(const Model& model, std::vector<std::uint8_t>& out, ReportSink& reports);

}  // namespace tess

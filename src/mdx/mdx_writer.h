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

// Appends the whole model to `out` as an MDX file image. Refuses, appending nothing,
// when a value does not fit its MDX field (a geoset of more than 65,536 vertices or
// with a corner index above 65,535, a vertex group above 255); the result then says
// which. A collision shape of an unknown type is reported to `reports` and written
// with its first vertex only, as the size computation counts it.
MdxWriteResult writeMdx(const Model& model, std::vector<std::uint8_t>& out, ReportSink& reports);

}  // namespace tess

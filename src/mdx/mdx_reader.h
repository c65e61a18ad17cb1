#pragma once

#include <cstdint>
#include <ostream>
#include <span>

#include "model/model.h"
#include "model/report.h"

namespace tess {

// Reads an MDX file image into `model`, which is reset first. Every top-level tag read
// (the magic included) writes the line "Tag: XXXX" to `trace`. Structural problems are
// reported to `reports` with their own check numbers (mdx_checks.h) and reading carries
// on: each chunk is framed by its size, so a damaged chunk is left at its declared end
// and the chunks after it are still read. A file that ends inside a chunk ends reading
// with one report; a file that ends exactly between chunks is complete. Whatever was
// read stays in the model. Never reads outside `bytes`, never allocates more than the
// remaining bytes could describe, and always moves forward. A file that does not start
// with "MDLX" leaves the model empty, without a report.
void readMdx(Model& model, std::span<const std::uint8_t> bytes, ReportSink& reports, std::ostream& trace);

}  // namespace tess

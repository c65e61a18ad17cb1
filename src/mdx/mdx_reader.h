#pragma once

#include <cstdint>
#include <ostream>
#include <span>

#include "model/model.h"
#include "model/report.h"

namespace tess {

// Reads an MDX file image into `model`, which is reset first. Every top-level tag read
// (the magic included) writes the line "Tag: XXXX" to `trace`. Structural problems are
// reported to `reports` with their own check numbers and reading carries on where it
// can; it ends cleanly (with a report) when the data runs out inside a chunk or
// record. Whatever was read stays in the model. Never reads outside `bytes` and never
// allocates more than the remaining bytes could describe. A file that does not start
// with "MDLX" leaves the model empty, without a report.
void readMdx(Model& model, std::span<const std::uint8_t> bytes, ReportSink& reports, std::ostream& trace);

}  // namespace tess

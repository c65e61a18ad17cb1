#pragma once

#include <cstdint>
#include <ostream>
#include <span>

#include "model/diagnostics.h"
#include "model/model.h"

namespace tess {

// Reads an MDX file image into `model`, which is reset first. Every top-level tag read
// (the magic included) writes the line "Tag: XXXX" to `trace`. Structural problems are
// returned as errors with their own check numbers (model/checks.h) and reading carries
// on: each chunk is framed by its size, so a damaged chunk is left at its declared end
// and the chunks after it are still read. A file that ends inside a chunk ends reading
// with one error; a file that ends exactly between chunks is complete. Whatever was read
// stays in the model, every geoset with one entry per vertex in each per-vertex array: a
// short normal, group or texture-coordinate block is padded with zeros, a long one cut to
// the vertex count, both reported (short texture sets beyond one set's worth of padding,
// and any set of a geoset without vertices, are dropped). Never reads outside `bytes`,
// never allocates more than the remaining bytes could describe, and always moves forward.
// A file that does not start with "MDLX" leaves the model empty, without a finding.
Diagnostics readMdx(Model& model, std::span<const std::uint8_t> bytes, std::ostream& trace);

}  // namespace tess

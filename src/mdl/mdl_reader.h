#pragma once

#include <ostream>
#include <string_view>

#include "model/diagnostics.h"
#include "model/model.h"

namespace tess {

// Parses MDL text into `model`, which is reset first. Stops after the top-level block in
// which the first error occurred; everything read up to then, the failing object
// included, stays in the model. Accepts LF and CR LF line ends. Any text is safe: time
// and memory stay proportional to its size.
//
// Returns the parse errors in the order logged, each an Error with check 0, the line's
// number (from 1, blank and comment lines counted) and cleaned text, and the message.
// Whatever the text holds, every geoset's per-vertex arrays end with one entry per
// vertex: short Normals and VertexGroup blocks are errors and are padded with zeros; a
// TVertices block shorter than the vertices is padded with (0, 0) and reported as a
// warning (check kMdlShortTextureSet, against the block's head line), which does not
// stop the parse. Without vertices, TVertices blocks add no texture-coordinate set.
Diagnostics readMdl(Model& model, std::string_view text);

// The parse report: "N errors", then per error "  Line N: text" and "    message".
// Only the parse errors (check 0, severity Error) are counted and listed.
void printParseReport(const Diagnostics& diagnostics, std::ostream& out);

}  // namespace tess

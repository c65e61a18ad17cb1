#pragma once

#include <ostream>
#include <string_view>

#include "model/model.h"

namespace tess {

// Parses MDL text into `model`, which is reset first, and empties then fills
// model.parseLog. Stops after the top-level block in which the first error occurred;
// everything read up to then, the failing object included, stays in the model. Prints
// the parse report ("N errors" and the logged lines) to `report` at the end. Accepts
// LF and CR LF line ends. Any text is safe: time and memory stay proportional to its
// size.
void readMdl(Model& model, std::string_view text, std::ostream& report);

}  // namespace tess

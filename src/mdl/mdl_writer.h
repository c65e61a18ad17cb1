#pragma once

#include <ctime>
#include <string>

#include "model/diagnostics.h"
#include "model/model.h"

namespace tess {

// Appends the whole model to `out` as MDL text, lines ending in LF. `now` is the time
// written into the "// Converted" header line (local time). Values the text has no form
// for are written all the same and returned as check errors: a ParticleEmitter with
// neither EmitterUses flag (kMdlEmitterWithoutUsesFlag) and a ParticleEmitter2 filter
// mode of 3 or above 4 (kMdlUnknownEmitter2Filter). Floats that are not finite have no
// text form either: infinities are written as the largest finite float of their sign,
// NaN as 0, without a report. The per-vertex arrays of every geoset must hold one entry
// per vertex, as Geoset keeps them.
Diagnostics writeMdl(const Model& model, std::string& out, std::time_t now);

// The same, stamped with the current time.
Diagnostics writeMdl(const Model& model, std::string& out);

}  // namespace tess

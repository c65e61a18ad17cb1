#pragma once

#include <ctime>
#include <string>

#include "model/model.h"
#include "model/report.h"

namespace tess {

// Appends the whole model to `out` as MDL text, lines ending in LF. `now` is the time
// written into the "// Converted" header line (local time). Models holding values the
// text has no form for (a ParticleEmitter with neither EmitterUses flag, a
// ParticleEmitter2 filter mode of 3 or above 4) are reported to `reports` with checks
// 3309 and 3857 and written all the same. Floats that are not finite have no text
// form: infinities are written as the largest finite float of their sign, NaN as 0.
void writeMdl(const Model& model, std::string& out, ReportSink& reports, std::time_t now);

// The same, stamped with the current time.
void writeMdl(const Model& model, std::string& out, ReportSink& reports);

}  // namespace tess

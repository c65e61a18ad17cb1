#pragma once

#include <ctime>
#include <ostream>
#include <string>

namespace tess {

// The prefix of the converter's own messages.
inline constexpr const char* kConverterPrefix = "tessarine-convert: ";

// Reads `input` (MDX when its name ends in x or X, else MDL), prints its warnings and
// writes it to `output` in the format that name selects, atomically. MDL is stamped with
// `now`. Fails, leaving `output` as it was, when `input` cannot be read, the writer
// refuses the model, the write fails, or `strict` is set and there is any warning.
// `out` receives the reader's trace or parse report, `err` everything else.
// Returns kConvertOk or kConvertFailed.
int convertFile(const std::string& input, const std::string& output, bool strict, std::time_t now,
                std::ostream& out, std::ostream& err);

// Reads `path` and lists on `out` every broken reference or index in it, one per line.
// kConvertFailed when it cannot be read cleanly or anything was found.
int checkFile(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace tess

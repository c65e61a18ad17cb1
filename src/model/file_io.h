#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/diagnostics.h"

namespace tess {

// Reads the whole file into `bytes`. On failure returns one error saying why (naming the
// path); `bytes` is then unspecified.
Diagnostics readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

// Replaces `path` with `bytes` so that the old file survives any failure: the data goes
// to a temporary file in the same folder, every write, the flush to disk and the close
// are checked, and only then is it renamed over `path` (keeping an existing file's
// permission bits). On failure the temporary file is removed, `path` is untouched, and
// one error says why.
Diagnostics writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace tess

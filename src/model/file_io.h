#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tess {

// Reads the whole file into `bytes`. On failure returns false and says why in `error`.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error);

// Replaces `path` with `bytes` so that the old file survives any failure: the data goes
// to a temporary file in the same folder, every write and the close are checked, and
// only then is it renamed over `path` (keeping an existing file's permission bits).
// On failure the temporary file is removed, `path` is untouched, and `error` says why.
bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string& error);

}  // namespace tess

#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/diagnostics.h"

namespace tess {

// Reads the whole file into `bytes`. On failure returns one error saying why (naming the
// path); `bytes` is then unspecified.
Diagnostics readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

// The system calls an atomic write makes, each with the system call's contract (-1 and
// errno on failure). The defaults make the calls; tests override them to fail any one.
class SaveCalls {
public:
    virtual ~SaveCalls() = default;
    virtual int makeTemporary(char* pattern);  // mkstemp
    virtual int changeMode(int fd, mode_t mode);
    virtual ssize_t write(int fd, const void* data, std::size_t size);
    virtual int sync(int fd);
    virtual int close(int fd);
    virtual int rename(const char* from, const char* to);
};

// Replaces `path` with `bytes` so that the old file survives any failure: the data goes
// to a temporary file in the same folder, every write, the flush to disk and the close
// are checked, and only then is it renamed over `path` (keeping an existing file's
// permission bits). On failure the temporary file is removed, `path` is untouched, and
// one error says why, ending with the system's reason.
Diagnostics writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);
Diagnostics writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                                SaveCalls& calls);

}  // namespace tess

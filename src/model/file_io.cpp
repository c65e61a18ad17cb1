#include "model/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>

namespace tess {
namespace {

std::string describe(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

bool writeAll(SaveCalls& calls, int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = calls.write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The umask can only be read by setting it. Without the lock, two threads saving at once
// could read each other's temporary 0 and leave it as the process umask.
mode_t newFileMode() {
    static std::mutex umaskLock;
    const std::lock_guard guard(umaskLock);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

Diagnostics failure(std::string reason) {
    Diagnostics diagnostics;
    diagnostics.error(std::move(reason));
    return diagnostics;
}

}  // namespace

int SaveCalls::makeTemporary(char* pattern) {
    return ::mkstemp(pattern);
}
int SaveCalls::changeMode(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}
ssize_t SaveCalls::write(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}
int SaveCalls::sync(int fd) {
    return ::fsync(fd);
}
int SaveCalls::close(int fd) {
    return ::close(fd);
}
int SaveCalls::rename(const char* from, const char* to) {
    return ::rename(from, to);
}

Diagnostics readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return failure(describe("cannot open", path));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return failure("cannot read " + path + ": not a regular file");
    }
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    std::uint8_t overflow[65536];  // catches a file that grew since fstat without regrowing `bytes` each time
    while (true) {
        const bool spare = done < bytes.size();
        std::uint8_t* target = spare ? bytes.data() + done : overflow;
        const std::size_t room = spare ? bytes.size() - done : sizeof overflow;
        const ssize_t n = ::read(fd, target, room);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            Diagnostics failed = failure(describe("cannot read", path));
            ::close(fd);
            return failed;
        }
        if (n == 0) break;
        if (!spare) bytes.insert(bytes.end(), overflow, overflow + n);
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    ::close(fd);
    return {};
}

Diagnostics writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    SaveCalls system;
    return writeFileAtomically(path, bytes, system);
}

Diagnostics writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                                SaveCalls& calls) {
    std::string temp = path + ".XXXXXX";
    const int fd = calls.makeTemporary(temp.data());
    if (fd < 0) return failure(describe("cannot create a temporary file beside", path));
    struct stat existing {};
    const mode_t mode = ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : newFileMode();
    const bool written = calls.changeMode(fd, mode) == 0 && writeAll(calls, fd, bytes) && calls.sync(fd) == 0;
    const int writeErrno = errno;
    const bool closed = calls.close(fd) == 0;
    if (!written || !closed) {
        errno = written ? errno : writeErrno;
        Diagnostics failed = failure(describe("cannot write", path));
        ::unlink(temp.c_str());
        return failed;
    }
    if (calls.rename(temp.c_str(), path.c_str()) != 0) {
        Diagnostics failed = failure(describe("cannot replace", path));
        ::unlink(temp.c_str());
        return failed;
    }
    return {};
}

}  // namespace tess

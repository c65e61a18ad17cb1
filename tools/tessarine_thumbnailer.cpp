#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdlib>
#include <iostream>

#include "thumbnailer.h"

namespace {

// A large model and the rasteriser's bins touch a few hundred megabytes once; in 4 KB pages
// their page faults cost a large part of the run. The allocator only asks for transparent
// huge pages when told so before it starts, so the program starts itself again with that
// setting, unless the caller chose allocator settings of their own.
// The program's own file is started rather than /proc/self/exe, so that the process keeps
// its name in process lists.
void restartWithHugePages(char** argv) {
    if (std::getenv("GLIBC_TUNABLES") != nullptr) return;
    std::array<char, 4096> self{};
    const ssize_t length = readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (length <= 0 || static_cast<std::size_t>(length) >= self.size() - 1) return;
    if (setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=1", 1) != 0) return;
    execv(self.data(), argv);
    unsetenv("GLIBC_TUNABLES");  // no restart: carry on with ordinary pages
}

}  // namespace

int main(int argc, char** argv) {
    restartWithHugePages(argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tess::runThumbnailer(args, std::cerr);
}

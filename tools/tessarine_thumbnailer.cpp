#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "thumbnailer.h"

namespace {

// A large model and the rasteriser's bins touch a few hundred megabytes once; in 4 KB pages
// their page faults cost a large part of the run. The allocator only asks for transparent
// huge pages when told so before it starts, so the program starts itself again with that
// setting, unless the caller chose allocator settings of their own.
void restartWithHugePages(char** argv) {
    if (std::getenv("GLIBC_TUNABLES") != nullptr) return;
    if (setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=1", 1) != 0) return;
    execv("/proc/self/exe", argv);
    unsetenv("GLIBC_TUNABLES");  // no restart: carry on with ordinary pages
}

}  // namespace

int main(int argc, char** argv) {
    restartWithHugePages(argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tess::runThumbnailer(args, std::cerr);
}

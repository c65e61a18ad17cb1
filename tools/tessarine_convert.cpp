#include <unistd.h>

#include <iostream>

#include "convert.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int status = tess::runConverter(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
    std::cout.flush();
    return status;
}

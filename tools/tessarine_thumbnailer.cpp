#include <iostream>

#include "thumbnailer.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tess::runThumbnailer(args, std::cerr);
}

// Reads arbitrary bytes as MDX, writes what was read, reads that and writes it again: the
// two written images must be identical, so whatever the reader accepts, writer and reader
// agree on from then on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <span>
#include <vector>

#include "mdx/mdx_reader.h"
#include "mdx/mdx_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ostream trace(nullptr);  // no buffer: every write is dropped

    tess::Model model;
    tess::readMdx(model, std::span(data, size), trace);
    std::vector<std::uint8_t> first;
    if (tess::writeMdx(model, first).hasErrors()) return 0;

    tess::Model again;
    tess::readMdx(again, first, trace);
    std::vector<std::uint8_t> second;
    if (tess::writeMdx(again, second).hasErrors() || first != second) std::abort();
    return 0;
}

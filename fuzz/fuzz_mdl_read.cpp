// Parses arbitrary bytes as MDL text; the parse report is discarded.

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string_view>

#include "mdl/mdl_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tess::Model model;
    std::ostream discard(nullptr);  // no buffer: every write is dropped
    tess::readMdl(model, std::string_view(reinterpret_cast<const char*>(data), size), discard);
    return 0;
}

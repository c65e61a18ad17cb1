// Reads arbitrary bytes as an MDX file. The sanitizers catch any read outside the input,
// and libFuzzer's limits catch unbounded allocation and endless loops. Whatever the bytes,
// every geoset must come out with one entry per vertex in each per-vertex array.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <span>

#include "mdx/mdx_reader.h"
#include "model/checks.h"
#include "model/validate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ostream trace(nullptr);  // no buffer: every write is dropped
    tess::Model model;
    tess::readMdx(model, std::span(data, size), trace);
    for (const tess::Diagnostic& finding : tess::validateModel(model).entries)
        if (finding.check == tess::kGeosetArraysOutOfStep) std::abort();
    return 0;
}

// Reads arbitrary bytes as an MDX file. The sanitizers catch any read outside the input,
// and libFuzzer's limits catch unbounded allocation and endless loops.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>

#include "mdx/mdx_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ostream trace(nullptr);  // no buffer: every write is dropped
    tess::RecordingReportSink reports;
    tess::Model model;
    tess::readMdx(model, std::span(data, size), reports, trace);
    return 0;
}

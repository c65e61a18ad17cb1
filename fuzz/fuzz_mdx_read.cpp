// Reads arbitrary bytes as an MDX file. The sanitizers catch any read outside the input,
// and libFuzzer's limits catch unbounded allocation and endless loops.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>
#include <streambuf>

#include "mdx/mdx_reader.h"

namespace {

class DiscardReports : public tess::ReportSink {
public:
    void assertionFailed(int) override {}
};

class DiscardBuffer : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DiscardBuffer buffer;
    std::ostream trace(&buffer);
    DiscardReports reports;
    tess::Model model;
    tess::readMdx(model, std::span(data, size), reports, trace);
    return 0;
}

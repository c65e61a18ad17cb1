// Reads arbitrary bytes as MDX, writes what was read, reads that and writes it again: the
// two written images must be identical, so whatever the reader accepts, writer and reader
// agree on from then on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <span>
#include <streambuf>
#include <vector>

#include "mdx/mdx_reader.h"
#include "mdx/mdx_writer.h"

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
    std::vector<std::uint8_t> first;
    if (!tess::writeMdx(model, first, reports).ok) return 0;

    tess::Model again;
    tess::readMdx(again, first, reports, trace);
    std::vector<std::uint8_t> second;
    if (!tess::writeMdx(again, second, reports).ok || first != second) std::abort();
    return 0;
}

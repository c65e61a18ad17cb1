// Loads arbitrary bytes as a model (MDX when they start with the MDX magic, MDL otherwise)
// and runs an editing session over it (support/editor_session.h), the bytes steering its
// choices. Any step that breaks the document aborts, naming the step.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <span>
#include <string_view>

#include "mdl/mdl_reader.h"
#include "mdx/mdx_reader.h"
#include "support/editor_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    tess::Model model;
    if (size >= 4 && std::memcmp(data, "MDLX", 4) == 0) {
        std::ostream trace(nullptr);  // no buffer: every write is dropped
        tess::readMdx(model, input, trace);
    } else {
        tess::readMdl(model, std::string_view(reinterpret_cast<const char*>(data), size));
    }
    tess::fuzz::EditorSession session(std::move(model), input, [](const std::string& fault) {
        std::fprintf(stderr, "%s\n", fault.c_str());
        std::abort();
    });
    session.everything();
    return 0;
}

// Parses arbitrary bytes as MDL text. Whatever the text, every geoset must come out with
// one entry per vertex in each per-vertex array.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "mdl/mdl_reader.h"
#include "model/checks.h"
#include "model/validate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tess::Model model;
    tess::readMdl(model, std::string_view(reinterpret_cast<const char*>(data), size));
    for (const tess::Diagnostic& finding : tess::validateModel(model).entries)
        if (finding.check == tess::kGeosetArraysOutOfStep) std::abort();
    return 0;
}

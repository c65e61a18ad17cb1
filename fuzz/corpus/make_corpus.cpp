// Writes the fuzzers' seed inputs: make_corpus <output folder> <examples folder>.
// <output>/mdx and <output>/mdl receive the sample models of the tests (the rich model with
// every object and track kind, a small generated mesh) and the examples' models in each
// format, and <output>/mdx also one file per top-level chunk of the rich model (the magic
// and that chunk alone), so that mutations start from every kind of chunk.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/sample_models.h"
#include "mdl/mdl_writer.h"
#include "mdx/mdx_writer.h"

namespace {

namespace fs = std::filesystem;

bool save(const fs::path& path, const void* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    return out.good();
}

bool saveModel(const fs::path& folder, const std::string& name, const tess::Model& model) {
    std::vector<std::uint8_t> binary;
    std::string text;
    tess::writeMdx(model, binary);
    tess::writeMdl(model, text, 0);
    return save(folder / "mdx" / (name + ".mdx"), binary.data(), binary.size()) &&
           save(folder / "mdl" / (name + ".mdl"), text.data(), text.size());
}

// One file per top-level chunk of `file`: "MDLX" followed by that chunk's tag, size and data.
bool saveChunks(const fs::path& folder, const std::vector<std::uint8_t>& file) {
    std::size_t at = 4;
    while (at + 8 <= file.size()) {
        std::uint32_t size = 0;
        for (int i = 3; i >= 0; --i) size = size << 8 | file[at + 4 + static_cast<std::size_t>(i)];
        const std::size_t end = std::min(file.size(), at + 8 + size);
        std::vector<std::uint8_t> piece(file.begin(), file.begin() + 4);
        piece.insert(piece.end(), file.begin() + static_cast<std::ptrdiff_t>(at),
                     file.begin() + static_cast<std::ptrdiff_t>(end));
        const std::string tag(reinterpret_cast<const char*>(file.data() + at), 4);
        if (!save(folder / "mdx" / ("chunk-" + tag + ".mdx"), piece.data(), piece.size())) return false;
        at = end;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_corpus <output folder> <examples folder>\n");
        return 2;
    }
    const fs::path out = argv[1];
    std::error_code error;
    fs::create_directories(out / "mdx", error);
    fs::create_directories(out / "mdl", error);
    const tess::Model rich = tess::testing::makeRichModel();
    std::vector<std::uint8_t> richBinary;
    tess::writeMdx(rich, richBinary);
    bool ok = saveModel(out, "rich", rich) &&
              saveModel(out, "mesh", tess::testing::makeLargeModel(2, 12, 3, 3)) &&
              saveChunks(out, richBinary);
    for (const auto& entry : fs::directory_iterator(argv[2], error)) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".mdx" || extension == ".mdl")
            ok = ok && fs::copy_file(entry.path(), out / extension.substr(1) / entry.path().filename(),
                                     fs::copy_options::overwrite_existing, error);
    }
    if (!ok || error) {
        std::fprintf(stderr, "make_corpus: cannot write the seeds into %s\n", out.c_str());
        return 1;
    }
    return 0;
}

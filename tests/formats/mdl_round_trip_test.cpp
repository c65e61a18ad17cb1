// MDL read back when cut off at every line, or nested without end.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "common/sample_models.h"
#include "mdl/mdl_reader.h"
#include "mdl/mdl_writer.h"

namespace tess {
namespace {

std::string toMdl(const Model& model) {
    std::string text;
    EXPECT_TRUE(writeMdl(model, text, 0).empty());
    return text;
}

// Cut after every line: what was read only grows as the cut moves on (the text written from it
// never loses a line), a cut after a top-level closer reads cleanly, no error points past the
// cut and the per-vertex arrays stay in step.
TEST(MdlRoundTrip, EveryCutOfAWrittenModelKeepsWhatWasRead) {
    const std::string text = toMdl(testing::makeRichModel());
    std::ptrdiff_t previous = 0;
    std::uint32_t lines = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', end + 1)) {
        ++lines;
        Model model;
        const Diagnostics diagnostics = readMdl(model, std::string_view(text).substr(0, end + 1));
        std::string again;
        writeMdl(model, again, 0);
        EXPECT_GE(std::count(again.begin(), again.end(), '\n'), previous) << "cut after line " << lines;
        previous = std::count(again.begin(), again.end(), '\n');
        EXPECT_TRUE(diagnostics.empty() || text[end - 1] != '}' || text[end - 2] != '\n') << lines;
        for (const Diagnostic& d : diagnostics.entries) EXPECT_LE(d.line, lines);
        for (const Geoset& g : model.Geosets) {
            std::vector<std::size_t> sizes = {g.normals.size(), g.vertexGroups.size()};
            for (const auto& set : g.uvSets) sizes.push_back(set.size());
            EXPECT_EQ(sizes, std::vector<std::size_t>(sizes.size(), g.vertexCount())) << lines;
        }
    }
    EXPECT_EQ(previous, std::count(text.begin(), text.end(), '\n'));
}

TEST(MdlRoundTrip, OpenersNestedDeepAreUnexpectedLinesNeverRecursion) {
    std::string nested = "Materials 1 {\nMaterial {\nLayer {\n";
    for (int i = 0; i < 200000; ++i) nested += "Layer {\n";
    Model model;
    const Diagnostics diagnostics = readMdl(model, nested);
    EXPECT_EQ(std::tuple(diagnostics.entries.size(), diagnostics.entries.back().line,
                         model.Materials.at(0).Layers.size()),
              std::tuple(200000u, 200003u, 1u));
}

}  // namespace
}  // namespace tess

// Hostile and cut-off input: every text parses, bounded, keeping what was read.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>

#include "common/sample_models.h"
#include "mdl/mdl_reader.h"
#include "mdl/mdl_writer.h"
#include "model/report.h"

namespace tess {
namespace {

std::string parse(Model& model, std::string_view text) {
    std::ostringstream report;
    readMdl(model, text, report);
    return report.str();
}

std::size_t objectCount(const Model& m) {
    std::size_t count = m.Textures.size() + m.Materials.size() + m.Geosets.size() + m.Bones.size() +
                        m.PivotPoints.size() + m.Sequences.size() + m.TextureAnims.size() +
                        m.GeosetAnims.size() + m.Lights.size() + m.Helpers.size() + m.EventObjects.size() +
                        m.CollisionShapes.size() + m.Attachments.size() + m.ParticleEmitters.size() +
                        m.ParticleEmitters2.size() + m.RibbonEmitters.size() + m.Cameras.size() +
                        m.GlobalSequences.size();
    for (const Material& material : m.Materials) count += material.Layers.size();
    for (const Geoset& geoset : m.Geosets) count += geoset.Vertices.size() + geoset.corners.size();
    return count;
}

TEST(MdlReaderRobustness, GarbageParsesAndReportsConsistently) {
    static constexpr char kAlphabet[] = "{},:\" \t\n\r0123456789-.eE/staticBoneGeoset\x01\xff";
    std::uint32_t state = 2463534242u;
    for (int round = 0; round < 300; ++round) {
        std::string text(static_cast<std::size_t>(round * 37 % 3000), '\0');
        for (char& c : text) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            c = kAlphabet[state % (sizeof kAlphabet - 1)];
        }
        Model model;
        const std::string report = parse(model, text);
        EXPECT_EQ(report.substr(0, report.find(' ')), std::to_string(model.parseLog.errorCount()));
        EXPECT_EQ(model.parseLog.stop, model.parseLog.errorCount() > 0 ? 1 : 0);
    }
}

TEST(MdlReaderRobustness, HugeLinesAndDeepNesting) {
    Model model;
    const std::string word(10u << 20, 'x');
    parse(model, word + "\n");
    ASSERT_EQ(model.parseLog.errorCount(), 1u);
    EXPECT_EQ(model.parseLog.lineTexts[0].size(), word.size());

    std::string corners;
    for (int i = 0; i < 1000000; ++i) corners += "1, ";
    parse(model, "Geoset {\nVertices 0 {\n}\nNormals 0 {\n}\nVertexGroup {\n}\nFaces 1 1 {\nTriangles {\n{ " +
                     corners + "2 },\n}\n}\nGroups 0 0 {\n}\n}\n");
    EXPECT_EQ(model.parseLog.errorCount(), 0u);
    EXPECT_EQ(model.Geosets.at(0).corners.size(), 1000001u);
    EXPECT_EQ(model.Geosets[0].triangleSelected.size(), 333333u);

    // Openers nested 200,000 deep are unexpected lines of one layer, never recursion.
    constexpr int kDepth = 200000;
    std::string text = "Materials 1 {\nMaterial {\nLayer {\n";
    for (int i = 0; i < kDepth; ++i) text += "Layer {\n";
    parse(model, text);
    EXPECT_EQ(model.parseLog.errorCount(), static_cast<std::size_t>(kDepth));
    EXPECT_EQ(model.parseLog.lineNumbers.back(), static_cast<std::uint32_t>(kDepth + 3));
    EXPECT_EQ(model.Materials.at(0).Layers.size(), 1u);
}

TEST(MdlReaderRobustness, EveryCutOfAWrittenModelKeepsWhatWasRead) {
    RecordingReportSink sink;
    std::string text;
    writeMdl(testing::makeRichModel(), text, sink, 0);
    Model full;
    ASSERT_EQ(parse(full, text), "0 errors\n");

    // Cut after every line: objects only accumulate as the cut moves on, a cut after a
    // top-level closer parses cleanly, and no error points past the cut.
    std::size_t previous = 0;
    std::uint32_t lines = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', end + 1)) {
        ++lines;
        Model model;
        parse(model, std::string_view(text).substr(0, end + 1));
        const std::size_t count = objectCount(model);
        EXPECT_GE(count, previous) << "cut after line " << lines;
        previous = count;
        if (text[end - 1] == '}' && text[end - 2] == '\n') {
            EXPECT_EQ(model.parseLog.errorCount(), 0u) << lines;
        }
        for (const std::uint32_t line : model.parseLog.lineNumbers) EXPECT_LE(line, lines);
    }
    EXPECT_EQ(previous, objectCount(full));

    // Cuts inside lines, at every byte of the first part of the text.
    for (std::size_t end = 0; end < std::min<std::size_t>(text.size(), 2500); ++end) {
        Model model;
        parse(model, std::string_view(text).substr(0, end));
    }
}

}  // namespace
}  // namespace tess

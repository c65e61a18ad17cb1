// MDL written and read back, alone and between the two formats.

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "common/sample_models.h"
#include "mdl/mdl_reader.h"
#include "mdl/mdl_writer.h"
#include "mdx/mdx_reader.h"
#include "mdx/mdx_writer.h"
#include "model/report.h"

namespace tess {
namespace {

std::string toMdl(const Model& model) {
    RecordingReportSink sink;
    std::string text;
    writeMdl(model, text, sink, 0);
    return text;
}

Model fromMdl(const std::string& text) {
    Model model;
    std::ostringstream report;
    readMdl(model, text, report);
    EXPECT_EQ(report.str(), "0 errors\n");
    return model;
}

std::vector<std::uint8_t> toMdx(const Model& model) {
    RecordingReportSink sink;
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(writeMdx(model, bytes, sink).ok);
    return bytes;
}

TEST(MdlRoundTrip, RichModelReadsBackEqualAndWritesTheSameText) {
    const Model original = testing::makeRichModel();
    const std::string text = toMdl(original);
    const Model parsed = fromMdl(text);
    EXPECT_EQ(parsed, original);
    for (const Geoset& geoset : parsed.Geosets)
        EXPECT_EQ(geoset.triangleSelected.size(), geoset.corners.size() / 3);
    EXPECT_EQ(toMdl(parsed), text);
}

TEST(MdlRoundTrip, MdxThroughMdlGivesIdenticalBytes) {
    const std::vector<std::uint8_t> bytes = toMdx(testing::makeRichModel());
    Model fromBinary;
    RecordingReportSink sink;
    std::ostringstream trace;
    readMdx(fromBinary, bytes, sink, trace);
    EXPECT_TRUE(sink.checks.empty());
    const Model fromText = fromMdl(toMdl(fromBinary));
    EXPECT_EQ(fromText, fromBinary);
    EXPECT_EQ(toMdx(fromText), bytes);
}

TEST(MdlRoundTrip, LightNodeVisibilityJoinsTheLightsOwnVisibility) {
    Model model;
    Light light;
    light.Visibility.interpolationType = DontInterp;
    light.Visibility.keys = {{0, 1.0f, {}, {}}, {100, 0.0f, {}, {}}};
    light.node.Visibility.GlobalSeqId = 0;
    light.node.Visibility.keys = {{200, 0.5f, {}, {}}, {300, 1.0f, {}, {}}};
    model.Lights = {light};
    model.GlobalSequences = {1000};

    const Light parsed = fromMdl(toMdl(model)).Lights.at(0);
    // The node's keys follow the light's; the later block's interpolation and global
    // sequence line win.
    FloatTrack expected = light.Visibility;
    expected.interpolationType = Linear;
    expected.GlobalSeqId = 0;
    expected.keys.insert(expected.keys.end(), light.node.Visibility.keys.begin(),
                         light.node.Visibility.keys.end());
    EXPECT_EQ(parsed.Visibility, expected);
    EXPECT_EQ(parsed.node.Visibility, FloatTrack{});
}

}  // namespace
}  // namespace tess

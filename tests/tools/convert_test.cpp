#include "convert.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "common/sample_models.h"
#include "common/temp_dir.h"
#include "mdl/mdl_writer.h"
#include "mdx/mdx_writer.h"

namespace tess {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testing::TempDir;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome convert(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = runConverter(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::uint8_t> mdxImage(const Model& model) {
    std::vector<std::uint8_t> bytes;
    RecordingReportSink reports;
    EXPECT_TRUE(writeMdx(model, bytes, reports).ok);
    return bytes;
}

std::string mdlText(const Model& model) {
    std::string text;
    RecordingReportSink reports;
    writeMdl(model, text, reports, 0);
    return text;
}

TEST(Converter, HelpAndUsage) {
    const Outcome help = convert({"--help"});
    EXPECT_EQ(help.status, kConvertOk);
    EXPECT_THAT(help.out, HasSubstr("Usage: tessarine-convert INPUT OUTPUT"));
    EXPECT_EQ(convert({}).status, kConvertUsage);
    EXPECT_EQ(convert({"only-one.mdx"}).status, kConvertUsage);
    EXPECT_EQ(convert({"--bogus", "a.mdx"}).status, kConvertUsage);
}

TEST(Converter, ConvertsBothWaysAndTracesTheChunks) {
    TempDir dir;
    const Model rich = testing::makeRichModel();
    const std::vector<std::uint8_t> image = mdxImage(rich);
    testing::writeBytes(dir.file("in.mdx"), image);

    const Outcome toText = convert({dir.file("in.mdx"), dir.file("out.mdl")});
    ASSERT_EQ(toText.status, kConvertOk) << toText.err;
    EXPECT_THAT(toText.out, HasSubstr("Tag: MDLX\nTag: VERS\nTag: MODL\n"));
    EXPECT_EQ(toText.err, "");

    const Outcome back = convert({dir.file("out.mdl"), dir.file("back.MDX")});
    ASSERT_EQ(back.status, kConvertOk) << back.err;
    EXPECT_THAT(back.out, HasSubstr("0 errors\n"));
    EXPECT_EQ(testing::readBytes(dir.file("back.MDX")), image);
}

TEST(Converter, FaultyInputLeavesTheOutputAsItWas) {
    TempDir dir;
    std::vector<std::uint8_t> image = mdxImage(testing::makeRichModel());
    image.resize(image.size() - 7);
    testing::writeBytes(dir.file("cut.mdx"), image);
    testing::writeText(dir.file("out.mdl"), "precious");

    const Outcome cut = convert({dir.file("cut.mdx"), dir.file("out.mdl")});
    EXPECT_EQ(cut.status, kConvertFailed);
    EXPECT_THAT(cut.err, ::testing::ContainsRegex("(^|\n)Assertion failure: Assertion failed \\(line [0-9]+\\)\n"));
    EXPECT_THAT(cut.err, HasSubstr("was not written"));

    testing::writeText(dir.file("bad.mdl"), "Version {\n\tFormatVersion 800,\n}\nBogus {\n");
    const Outcome bad = convert({dir.file("bad.mdl"), dir.file("out.mdl")});
    EXPECT_EQ(bad.status, kConvertFailed);
    EXPECT_THAT(bad.out, HasSubstr("1 errors\n  Line 4: Bogus {\n    Unknown chunk\n"));

    const Outcome missing = convert({dir.file("absent.mdl"), dir.file("out.mdl")});
    EXPECT_EQ(missing.status, kConvertFailed);
    EXPECT_THAT(missing.err, HasSubstr("absent.mdl"));

    EXPECT_EQ(testing::readBytes(dir.file("out.mdl")), (std::vector<std::uint8_t>{'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'}));
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"bad.mdl", "cut.mdx", "out.mdl"}));
}

TEST(Converter, ModelsThatBreakInvariantsAreRefused) {
    TempDir dir;
    Model model = testing::makeRichModel();
    model.Geosets[0].corners[4] = 40;  // parses fine, but no such vertex
    testing::writeText(dir.file("broken.mdl"), mdlText(model));

    const Outcome run = convert({dir.file("broken.mdl"), dir.file("out.mdx")});
    EXPECT_EQ(run.status, kConvertFailed);
    EXPECT_THAT(run.err, HasSubstr("Geoset 1: 1 corner indices are not below the vertex count"));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"broken.mdl"});

    const Outcome check = convert({"--check", dir.file("broken.mdl")});
    EXPECT_EQ(check.status, kConvertFailed);
    EXPECT_THAT(check.out, HasSubstr("Geoset 1: 1 corner indices are not below the vertex count"));

    testing::writeText(dir.file("sound.mdl"), mdlText(testing::makeRichModel()));
    const Outcome sound = convert({"--check", dir.file("sound.mdl")});
    EXPECT_EQ(sound.status, kConvertOk) << sound.out << sound.err;
    EXPECT_THAT(sound.out, Not(HasSubstr("Geoset")));
}

TEST(Converter, GeosetsTooLargeForMdxAreNotWritten) {
    TempDir dir;
    Model model = testing::makeLargeModel(1, 65537, 1, 1);
    model.Geosets[0].corners.clear();
    model.Geosets[0].resetTriangleRecords();
    testing::writeText(dir.file("big.mdl"), mdlText(model));

    const Outcome run = convert({dir.file("big.mdl"), dir.file("big.mdx")});
    EXPECT_EQ(run.status, kConvertFailed);
    EXPECT_THAT(run.err, HasSubstr("65537"));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"big.mdl"});
}

TEST(Converter, WriteFailuresAreReported) {
    TempDir dir;
    testing::writeBytes(dir.file("in.mdx"), mdxImage(testing::makeRichModel()));
    const Outcome run = convert({dir.file("in.mdx"), dir.file("no-such-folder/out.mdl")});
    EXPECT_EQ(run.status, kConvertFailed);
    EXPECT_THAT(run.err, HasSubstr("no-such-folder/out.mdl"));
}

}  // namespace
}  // namespace tess

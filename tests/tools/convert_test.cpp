#include "convert.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "common/sample_models.h"
#include "common/temp_dir.h"
#include "mdl/mdl_writer.h"
#include "mdx/mdx_reader.h"
#include "mdx/mdx_writer.h"

namespace tess {
namespace {

using ::testing::HasSubstr;
using testing::TempDir;

struct Outcome {
    int status;
    std::string out, err;
};

Outcome convert(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = runConverter(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::uint8_t> mdxImage(const Model& model) {
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(writeMdx(model, bytes).hasErrors());
    return bytes;
}

std::string mdlText(const Model& model) {
    std::string text;
    writeMdl(model, text, 0);
    return text;
}

Model readMdxFile(const std::string& path) {
    Model model;
    std::ostringstream trace;
    EXPECT_TRUE(readMdx(model, testing::readBytes(path), trace).empty());
    return model;
}

TEST(Converter, HelpAndUsage) {
    const Outcome help = convert({"--help"});
    EXPECT_EQ(help.status, kConvertOk);
    EXPECT_THAT(help.out, HasSubstr("Usage: tessarine-convert [--strict] INPUT OUTPUT"));
    using Args = std::vector<std::string>;
    for (const Args& args : {Args{}, Args{"one.mdx"}, Args{"--bogus", "a.mdx"}, Args{"--strict", "a.mdx"},
                             Args{"--help", "a.mdx"}, Args{"a.mdx", "--strict", "b.mdl"}})
        EXPECT_EQ(convert(args).status, kConvertUsage);
}

TEST(Converter, ConvertsBothWaysAndTracesTheChunks) {
    TempDir dir;
    const std::vector<std::uint8_t> image = mdxImage(testing::makeRichModel());
    testing::writeBytes(dir.file("in.mdx"), image);

    const Outcome toText = convert({dir.file("in.mdx"), dir.file("out.mdl")});
    ASSERT_EQ(toText.status, kConvertOk) << toText.err;
    EXPECT_THAT(toText.out, HasSubstr("Tag: MDLX\nTag: VERS\nTag: MODL\n"));
    EXPECT_EQ(toText.err, "");

    const Outcome back = convert({"--strict", dir.file("out.mdl"), dir.file("back.MDX")});
    ASSERT_EQ(back.status, kConvertOk) << back.err;
    EXPECT_EQ(back.out, "0 errors\n");
    EXPECT_EQ(testing::readBytes(dir.file("back.MDX")), image);
}

TEST(Converter, UnreadableInputLeavesTheOutputAsItWas) {
    TempDir dir;
    std::vector<std::uint8_t> image = mdxImage(testing::makeRichModel());
    image.resize(image.size() - 7);
    testing::writeBytes(dir.file("cut.mdx"), image);
    testing::writeText(dir.file("bad.mdl"), "Version {\n\tFormatVersion 800,\n}\nBogus {\n");
    testing::writeText(dir.file("text.mdx"), "Version {\n}\n");
    testing::writeText(dir.file("out.mdl"), "precious");

    const Outcome cut = convert({dir.file("cut.mdx"), dir.file("out.mdl")});
    EXPECT_EQ(cut.status, kConvertFailed);
    EXPECT_THAT(cut.err, ::testing::StartsWith("Assertion failure: Assertion failed (line 2102)\n"));
    EXPECT_THAT(cut.err, HasSubstr("out.mdl was not written"));
    const Outcome bad = convert({dir.file("bad.mdl"), dir.file("out.mdl")});
    EXPECT_EQ(bad.status, kConvertFailed);
    EXPECT_EQ(bad.out, "1 errors\n  Line 4: Bogus {\n    Unknown chunk\n");
    EXPECT_THAT(bad.err, HasSubstr("bad.mdl: 1 parse error(s)"));
    const Outcome text = convert({dir.file("text.mdx"), dir.file("out.mdl")});
    EXPECT_EQ(text.status, kConvertFailed);
    EXPECT_THAT(text.err, HasSubstr("text.mdx: not an MDX file"));
    const Outcome missing = convert({dir.file("absent.mdl"), dir.file("out.mdl")});
    EXPECT_EQ(missing.status, kConvertFailed);
    EXPECT_THAT(missing.err, HasSubstr("cannot open " + dir.file("absent.mdl")));

    EXPECT_EQ(testing::readBytes(dir.file("out.mdl")),
              (std::vector<std::uint8_t>{'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'}));
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"bad.mdl", "cut.mdx", "out.mdl", "text.mdx"}));
}

// A model that breaks the editor's rules converts as it is, with warnings; --strict and
// --check fail on it.
TEST(Converter, BrokenModelsConvertLosslesslyWithWarnings) {
    TempDir dir;
    Model noPivots = testing::makeRichModel();
    noPivots.PivotPoints.clear();
    noPivots.Geosets[0].corners[4] = 40;
    testing::writeText(dir.file("broken.mdl"), mdlText(noPivots));

    const Outcome run = convert({dir.file("broken.mdl"), dir.file("out.mdx")});
    EXPECT_EQ(run.status, kConvertOk) << run.err;
    EXPECT_THAT(run.err,
                ::testing::StartsWith("Warning: " + dir.file("broken.mdl") +
                                      ": Geoset 1: 1 corner indices are not below the vertex count"));
    EXPECT_THAT(run.err, HasSubstr("Warning: " + dir.file("broken.mdl") +
                                   ": Bone 1 \"Root\": ObjectId 0 has no "
                                   "pivot point (0 pivot points)\n"));
    EXPECT_TRUE(readMdxFile(dir.file("out.mdx")) == noPivots);

    const Outcome strict = convert({"--strict", dir.file("broken.mdl"), dir.file("strict.mdx")});
    EXPECT_EQ(strict.status, kConvertFailed);
    EXPECT_THAT(strict.err, HasSubstr("strict.mdx was not written"));
    const Outcome check = convert({"--check", dir.file("broken.mdl")});
    EXPECT_EQ(check.status, kConvertFailed);
    EXPECT_THAT(check.out, HasSubstr("\nGeoset 1: 1 corner indices are not below the vertex count"));
    EXPECT_EQ(convert({"--check", dir.file("out.mdx")}).status, kConvertFailed);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"broken.mdl", "out.mdx"}));
    // Read from MDX, the model is warned about just the same.
    EXPECT_THAT(convert({dir.file("out.mdx"), dir.file("again.mdl")}).err, HasSubstr("has no pivot point"));
}

TEST(Converter, WriterRefusalsAndValuesTheFormatCannotKeepLeaveTheOutputUnwritten) {
    TempDir dir;
    Model big = testing::makeLargeModel(1, 65537, 1, 1);
    big.Geosets[0].corners.clear();
    testing::writeText(dir.file("big.mdl"), mdlText(big));
    const Outcome refused = convert({dir.file("big.mdl"), dir.file("big.mdx")});
    EXPECT_THAT(refused.err,
                HasSubstr("cannot write " + dir.file("big.mdx") + ": Geoset 1 has 65537 vertices"));

    Model filter = testing::makeRichModel();
    filter.ParticleEmitters2[0].FilterMode = 3;  // MDL has no name for it
    filter.CollisionShapes[0].shapeType = 1;     // MDX keeps it, with a warning
    testing::writeBytes(dir.file("filter.mdx"), mdxImage(filter));
    const Outcome unkept = convert({dir.file("filter.mdx"), dir.file("filter.mdl")});
    EXPECT_THAT(unkept.err, HasSubstr("Assertion failure: Assertion failed (line 3857)\n"));
    const Outcome kept = convert({dir.file("filter.mdx"), dir.file("copy.mdx")});
    EXPECT_EQ(kept.status, kConvertOk);
    EXPECT_EQ(kept.err, "Warning: " + dir.file("copy.mdx") + ": Assertion failed (line 2201)\n");

    EXPECT_EQ(convert({"--strict", dir.file("filter.mdx"), dir.file("strict.mdx")}).status, kConvertFailed);
    const Outcome unwritable = convert({dir.file("filter.mdx"), dir.file("no-such-folder/out.mdx")});
    EXPECT_EQ(unwritable.status, kConvertFailed);
    EXPECT_THAT(unwritable.err,
                HasSubstr("cannot create a temporary file beside " + dir.file("no-such-folder/out.mdx")));
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"big.mdl", "copy.mdx", "filter.mdx"}));
}

}  // namespace
}  // namespace tess

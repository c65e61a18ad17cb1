#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "common/sample_models.h"
#include "common/temp_dir.h"
#include "convert.h"
#include "mdl/mdl_writer.h"
#include "mdx/mdx_writer.h"

namespace tess {
namespace {

using ::testing::HasSubstr;
using testing::TempDir;
using Args = std::vector<std::string>;

struct Outcome {
    int status;
    std::string out, err;
};

Outcome run(const Args& args, bool progress = false) {
    std::ostringstream out, err;
    const int status = runConverter(args, out, err, progress);
    return {status, out.str(), err.str()};
}

std::string stem(std::size_t i) {
    return (i < 10 ? "m0" : "m") + std::to_string(i);
}

// Twenty models in `dir`/in, MDX at even numbers and MDL at odd ones; m04 is cut short and
// m07 does not parse.
Args makeInputs(const TempDir& dir) {
    std::filesystem::create_directory(dir.file("in"));
    Args inputs;
    for (std::size_t i = 0; i < 20; ++i) {
        const Model model =
            i == 0 ? testing::makeRichModel() : testing::makeLargeModel(1 + i % 2, 10 + 7 * i, 1 + i % 3, 2);
        inputs.push_back(dir.file("in/" + stem(i) + (i % 2 ? ".mdl" : ".mdx")));
        std::vector<std::uint8_t> bytes;
        std::string text;
        if (i % 2 == 0) writeMdx(model, bytes);
        if (i % 2 == 1) writeMdl(model, text, 0);
        if (i == 7) text += "Bogus {\n";
        bytes.insert(bytes.end(), text.begin(), text.end());
        if (i == 4) bytes.resize(bytes.size() / 2);
        testing::writeBytes(inputs.back(), bytes);
    }
    return inputs;
}

// Name -> (permission bits, bytes) of every file in `folder`, which is emptied.
std::map<std::string, std::pair<int, std::vector<std::uint8_t>>> takeFiles(const std::string& folder) {
    std::map<std::string, std::pair<int, std::vector<std::uint8_t>>> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename()] = {int(entry.status().permissions()),
                                          testing::readBytes(entry.path())};
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    return files;
}

TEST(BatchConverter, ConvertsEveryReadableInputAsSingleRunsDoAndReportsTheRest) {
    TempDir dir;
    Args inputs = makeInputs(dir);
    std::filesystem::create_directory(dir.file("out"));
    const mode_t oldMask = ::umask(027);
    inputs.insert(inputs.begin(), {"-j4", "--to", "mdx", "-o", dir.file("out")});
    const Outcome j4 = run(inputs);
    const auto fromJ4 = takeFiles(dir.file("out"));
    inputs[0] = "-j1";
    inputs[4] += "/";
    const Outcome j1 = run(inputs);
    const auto fromJ1 = takeFiles(dir.file("out"));
    inputs.erase(inputs.begin(), inputs.begin() + 5);
    for (std::size_t i = 0; i < inputs.size(); ++i)
        EXPECT_EQ(run({inputs[i], dir.file("out/" + stem(i) + ".mdx")}).status,
                  i == 4 || i == 7 ? kConvertFailed : kConvertOk);
    EXPECT_EQ(::umask(oldMask), 027);

    EXPECT_EQ(fromJ4.size(), 18u);
    EXPECT_EQ(fromJ4.at("m19.mdx").first, 0640);
    EXPECT_TRUE(fromJ4 == takeFiles(dir.file("out")));
    EXPECT_TRUE(fromJ1 == fromJ4);
    EXPECT_EQ(j4.status, kConvertFailed);
    EXPECT_THAT(j4.err, ::testing::EndsWith("tessarine-convert: failed: " + inputs[4] +
                                            "\ntessarine-convert: failed: " + inputs[7] +
                                            "\ntessarine-convert: 18 of 20 converted, 2 failed\n"));
    EXPECT_THAT(j4.out, ::testing::StartsWith("==> " + inputs[0] + " <==\nTag: MDLX\n"));
    EXPECT_THAT(j4.out, HasSubstr("==> " + inputs[7] + " <==\n1 errors\n  Line "));
    EXPECT_EQ(j1.out, j4.out);
    EXPECT_EQ(j1.err, j4.err);
}

TEST(BatchConverter, NamesOutputsAfterTheInputsAndNeverWritesOneNameTwice) {
    TempDir dir;
    Model noPivots = testing::makeRichModel();
    std::string text, warned;
    writeMdl(noPivots, text, 0);
    noPivots.PivotPoints.clear();
    writeMdl(noPivots, warned, 0);
    testing::writeText(dir.file("a.b.mdl"), text);
    testing::writeText(dir.file("noext"), warned);
    std::filesystem::create_directory(dir.file("out"));
    const Outcome twice = run({"--strict", "--to", "mdl", "-o", dir.file("out"), dir.file("a.b.mdl"),
                               dir.file("noext"), dir.file("a.b.mdl")});
    EXPECT_EQ(twice.status, kConvertFailed);
    EXPECT_THAT(twice.err, HasSubstr("tessarine-convert: " + dir.file("a.b.mdl") +
                                     " not converted: " + dir.file("out/a.b.mdl") + " is the output of " +
                                     dir.file("a.b.mdl") + "\n"));
    EXPECT_THAT(twice.err, HasSubstr(dir.file("out/noext.mdl") + " was not written\n"));
    EXPECT_THAT(twice.err, HasSubstr("1 of 3 converted, 2 failed\n"));
    EXPECT_THAT(takeFiles(dir.file("out")), ::testing::ElementsAre(::testing::Key("a.b.mdl")));

    const Outcome missing = run({"--to", "mdl", "-o", dir.file("nowhere"), dir.file("noext")});
    EXPECT_EQ(missing.status, kConvertFailed);
    EXPECT_EQ(missing.err, "tessarine-convert: " + dir.file("nowhere") + ": no such folder\n");
    for (const Args& args :
         {Args{"--to", "mdl", "a.mdx"}, Args{"-o", "out", "a.mdx"}, Args{"--to", "obj", "-o", "out", "a.mdx"},
          Args{"--to", "mdl", "-o", "out"}, Args{"-j", "0", "--check", "a.mdx"},
          Args{"-j", "2", "a.mdx", "b.mdl"}, Args{"--strict", "--check", "a.mdx"},
          Args{"--check", "--to", "mdl", "-o", "out", "a.mdx"}, Args{"--check", "a.mdx", "--strict"}})
        EXPECT_EQ(run(args).status, kConvertUsage) << ::testing::PrintToString(args);
}

TEST(BatchConverter, ChecksSeveralInputsAndDrawsProgressOnlyWhenAsked) {
    TempDir dir;
    const Args inputs = makeInputs(dir);
    Model broken = testing::makeRichModel();
    broken.Geosets[0].corners[4] = 40;
    std::string text;
    writeMdl(broken, text, 0);
    testing::writeText(dir.file("broken.mdl"), text);

    const Outcome check = run({"--check", inputs[0], dir.file("broken.mdl"), inputs[4]});
    EXPECT_EQ(check.status, kConvertFailed);
    EXPECT_THAT(check.out,
                HasSubstr("==> " + dir.file("broken.mdl") +
                          " <==\n0 errors\nGeoset 1: 1 corner indices are not below the vertex count"));
    EXPECT_THAT(check.err, ::testing::EndsWith("failed: " + dir.file("broken.mdl") +
                                               "\ntessarine-convert: failed: " + inputs[4] +
                                               "\ntessarine-convert: 1 of 3 passed, 2 failed\n"));
    EXPECT_EQ(check.err.find('\r'), std::string::npos);

    const Outcome shown = run({"--check", "-j", "1", inputs[0], inputs[2]}, true);
    EXPECT_EQ(shown.status, kConvertOk) << shown.err;
    EXPECT_THAT(shown.err, HasSubstr("\r\x1b[K[0/2] " + inputs[0] + "\r\x1b[K\r\x1b[K[1/2] " + inputs[0] +
                                     "\r\x1b[K[1/2] " + inputs[2]));
    EXPECT_THAT(shown.err, ::testing::EndsWith("[2/2] " + inputs[2] +
                                               "\r\x1b[Ktessarine-convert: 2 of 2 passed, 0 failed\n"));
}

}  // namespace
}  // namespace tess

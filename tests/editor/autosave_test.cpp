#include "editor/autosave.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "common/sample_models.h"
#include "common/temp_dir.h"

namespace tess {
namespace {

// The folder; an autosave written by a process that has ended is found, read back whole and
// deleted; this process's own autosave and damaged records are not offered.
TEST(Autosave, LeftAutosaveIsFoundLoadedAndDeleted) {
    EXPECT_EQ(autosaveFolder("/s", "/h"), "/s/tessarine");
    EXPECT_EQ(autosaveFolder("relative", "/h"), "/h/.local/state/tessarine");
    EXPECT_EQ(autosaveFolder(nullptr, "relative"), "");
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    const testing::TempDir temp;
    const std::string folder = temp.file("state/tessarine");
    const Model model = testing::makeRichModel();
    const auto time = WallClock::from_time_t(1700000000);  // 2023-11-14 22:13:20 UTC
    const pid_t child = ::fork();
    if (child == 0) ::_exit(writeAutosave(folder, model, "/models/orc.mdx", time).empty() ? 0 : 1);
    int status = 0;
    ASSERT_TRUE(::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(writeAutosave(folder, Model{}, "", time).empty());
    const std::string own = folder + "/autosave-" + std::to_string(::getpid());
    EXPECT_TRUE(writeAutosave(folder, Model{}, own + ".mdx", time).hasErrors());  // over the user's file
    const auto record = [](std::string pid, std::string from, std::string at, std::string path) {
        return "tessarine autosave\nprocess " + pid + "\nstarted " + from + "\ntime " + at + "\npath " + path;
    };
    const std::string me = std::to_string(::getpid());
    std::vector<std::string> damaged{"garbage", "", record("9", "", "x", "\n"), record("9", "", "5", "")};
    for (const char* pid : {"0", "-1", "2147483648"}) damaged.push_back(record(pid, "", "5", "\n"));
    for (std::size_t i = 0; i < std::size(damaged); ++i) {
        testing::writeText(folder + "/autosave-" + std::to_string(i) + ".record", damaged[i]);
        testing::writeText(folder + "/autosave-" + std::to_string(i) + ".mdx", "");
    }
    testing::writeText(folder + "/autosave-8.record", record(me, "", "5", "\n"));  // no model beside it
    testing::writeText(folder + "/autosave-9.record", record(me, "x/1", "5", "/a/b\nc\n"));  // the id reused
    testing::writeText(folder + "/autosave-9.mdx", "");

    const LeftAutosaves left = findLeftAutosaves(folder);
    EXPECT_EQ(left.problems.count(Severity::Warning), std::size(damaged) + 1);
    ASSERT_EQ(left.found.size(), 2u);
    EXPECT_EQ(left.found[0].originalPath, "/a/b\nc");  // the oldest first
    const LeftAutosave& found = left.found[1];
    EXPECT_EQ(found.process, child);
    EXPECT_EQ(recoveryQuestion(found), "Recover unsaved changes to orc.mdx from 2023-11-14 22:13?");
    EXPECT_EQ(recoveryQuestion({"", "", "", 1, time}),
              "Recover unsaved changes to Untitled from 2023-11-14 22:13?");
    Model loaded;
    EXPECT_TRUE(loadAutosave(found, loaded).empty());
    EXPECT_EQ(loaded, model);
    EXPECT_TRUE(deleteAutosave(found).empty() && removeAutosave(folder).empty());
    EXPECT_EQ(findLeftAutosaves(folder).found.size(), 1u);  // only the reused id's is left
    EXPECT_TRUE(::access((own + ".mdx").c_str(), F_OK) != 0 && ::access(found.modelPath.c_str(), F_OK) != 0);
}

}  // namespace
}  // namespace tess

#include "model/file_io.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "common/temp_dir.h"

namespace tess {
namespace {

using testing::TempDir;

TEST(FileIo, AtomicWriteReplacesTheFileAndKeepsItsPermissions) {
    TempDir dir;
    const std::string path = dir.file("model.mdx");
    testing::writeText(path, "old contents");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 0, 255};
    std::string error;
    ASSERT_TRUE(writeFileAtomically(path, bytes, error)) << error;
    EXPECT_EQ(testing::readBytes(path), bytes);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"model.mdx"});  // no temporary left behind

    std::vector<std::uint8_t> back;
    ASSERT_TRUE(readWholeFile(path, back, error)) << error;
    EXPECT_EQ(back, bytes);
}

TEST(FileIo, FailuresSayWhyAndLeaveNothingBehind) {
    TempDir dir;
    std::string error;
    const std::vector<std::uint8_t> bytes = {1};
    EXPECT_FALSE(writeFileAtomically(dir.file("missing/model.mdl"), bytes, error));
    EXPECT_NE(error.find("missing/model.mdl"), std::string::npos) << error;

    // A folder where the file should be: the rename fails and the folder survives.
    const std::string blocked = dir.file("blocked.mdl");
    ASSERT_EQ(::mkdir(blocked.c_str(), 0755), 0);
    error.clear();
    EXPECT_FALSE(writeFileAtomically(blocked, bytes, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"blocked.mdl"});

    std::vector<std::uint8_t> back;
    EXPECT_FALSE(readWholeFile(dir.file("absent.mdx"), back, error));
    EXPECT_NE(error.find("absent.mdx"), std::string::npos);
    EXPECT_FALSE(readWholeFile(blocked, back, error));  // a folder is not a model file
}

}  // namespace
}  // namespace tess

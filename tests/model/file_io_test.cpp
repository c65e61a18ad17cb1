#include "model/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/temp_dir.h"

namespace tess {
namespace {

// The one error a failed call returns, "" when it succeeded, "?" for anything else.
std::string errorOf(const Diagnostics& d) {
    return d.empty() ? "" : d.entries.size() == 1 ? d.entries[0].text : "?";
}

TEST(FileIo, AtomicWriteReplacesTheFileKeepingItsPermissionsAndFailuresSayWhy) {
    testing::TempDir dir;
    const std::string path = dir.file("model.mdx");
    testing::writeText(path, "old contents");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 0, 255};
    ASSERT_EQ(errorOf(writeFileAtomically(path, bytes)), "");
    struct stat info {};
    EXPECT_TRUE(::stat(path.c_str(), &info) == 0 && (info.st_mode & 0777) == 0640);
    std::vector<std::uint8_t> back;
    EXPECT_EQ(errorOf(readWholeFile(path, back)), "");
    EXPECT_EQ(back, bytes);

    EXPECT_NE(errorOf(writeFileAtomically(dir.file("missing/model.mdl"), bytes)).find("missing/model.mdl"),
              std::string::npos);
    // A folder where the file should be: the rename fails, the folder and the first file survive.
    const std::string blocked = dir.file("blocked.mdl");
    ASSERT_EQ(::mkdir(blocked.c_str(), 0755), 0);
    EXPECT_NE(errorOf(writeFileAtomically(blocked, bytes)), "");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"blocked.mdl", "model.mdx"}));  // no temporary left
    EXPECT_NE(errorOf(readWholeFile(dir.file("absent.mdx"), back)).find("absent.mdx"), std::string::npos);
    EXPECT_EQ(errorOf(readWholeFile(blocked, back)), "cannot read " + blocked + ": not a regular file");
}

}  // namespace
}  // namespace tess

#include "model/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

// Writes at most 3 bytes per call, so a save makes many write calls, and fails call number
// `failAt` (counting every kind of call from 1) with "no space left".
class FailingCalls : public SaveCalls {
public:
    explicit FailingCalls(int failAt) : failAt_(failAt) {}
    int makeTemporary(char* pattern) override { return fails() ? -1 : SaveCalls::makeTemporary(pattern); }
    int changeMode(int fd, mode_t mode) override { return fails() ? -1 : SaveCalls::changeMode(fd, mode); }
    ssize_t write(int fd, const void* data, std::size_t size) override {
        return fails() ? -1 : SaveCalls::write(fd, data, std::min<std::size_t>(size, 3));
    }
    int sync(int fd) override { return fails() ? -1 : SaveCalls::sync(fd); }
    // A failed close still releases the descriptor, as on Linux.
    int close(int fd) override {
        const int result = SaveCalls::close(fd);
        return fails() ? -1 : result;
    }
    int rename(const char* from, const char* to) override {
        return fails() ? -1 : SaveCalls::rename(from, to);
    }
    bool failed() const { return calls_ >= failAt_; }

private:
    bool fails() {
        if (++calls_ != failAt_) return false;
        errno = ENOSPC;
        return true;
    }
    int calls_ = 0;
    int failAt_;
};

TEST(FileIo, AFailureAtAnyCallKeepsTheOldFileLeavesNoTemporaryAndSaysWhy) {
    testing::TempDir dir;
    const std::string path = dir.file("model.mdx");
    const std::vector<std::uint8_t> old = {9, 8, 7}, bytes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    int failAt = 1;
    for (;; ++failAt) {
        testing::writeBytes(path, old);
        FailingCalls calls(failAt);
        const std::string error = errorOf(writeFileAtomically(path, bytes, calls));
        if (!calls.failed()) {
            EXPECT_EQ(error, "");
            EXPECT_EQ(testing::readBytes(path), bytes);
            break;
        }
        SCOPED_TRACE(failAt);
        EXPECT_TRUE(error.ends_with(std::string(": ") + std::strerror(ENOSPC))) << error;
        EXPECT_EQ(testing::readBytes(path), old);
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"model.mdx"});
    }
    EXPECT_EQ(failAt, 10);  // temporary, mode, four writes, sync, close, rename: all failed in turn
}

}  // namespace
}  // namespace tess

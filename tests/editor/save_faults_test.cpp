#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>

#include "common/fake_host.h"
#include "common/temp_dir.h"
#include "editor/commands.h"

namespace tess {
namespace {

struct NoViewport : Viewport {
    bool pickHandle(std::int32_t, std::int32_t, DragState&) override { return false; }
    void projectionChanged() override {}
    void reloadTextures() override {}
};

// Saves an edited document to `path` under `fault` and exits 0 when the save failed as it
// must: false returned, one "Error" box ending with `reason`, the document still modified
// with its undo step, no file name taken. Prints the box's text to standard error.
[[noreturn]] void saveUnder(const std::function<void()>& fault, const std::string& path, const char* reason) {
    Document document;
    AppState state;
    testing::FakeHost host;
    NoViewport viewport;
    Editor editor{document, state, host, viewport};
    buildDefaultDocument(document.model);
    prepareDocument(document, state, host);
    host.primitiveDialog = [](PrimitiveParameters&) { return 1; };
    handleCommand(editor, command::kBox);
    fault();
    const bool saved = saveModelFile(editor, path);
    const std::string text = host.messages.empty() ? "" : host.messages.back().text;
    std::fprintf(stderr, "%s\n", text.c_str());
    const bool sound = !saved && host.messages.size() == 1 && host.messages[0].caption == "Error" &&
                       text.ends_with(std::string(": ") + reason) && document.history.modified() &&
                       document.history.canUndo() && state.currentFileName.empty();
    std::_Exit(sound ? 0 : 1);
}

TEST(SaveFaults, AFailedSaveKeepsTheFileAndTheDocumentAndSaysWhy) {
    testing::TempDir dir;
    const std::string file = dir.file("model.mdx"), folder = dir.file("folder.mdx");
    const std::vector<std::uint8_t> original = {'M', 'D', 'L', 'X', 1, 2, 3};
    testing::writeBytes(file, original);
    ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);

    const auto limitSize = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    };
    // Root writes into read-only folders: the child gives up root first.
    const auto readOnlyFolder = [&] {
        ::chmod(dir.path().c_str(), 0555);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(2);
    };
    EXPECT_EXIT(saveUnder(limitSize, file, std::strerror(EFBIG)), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(saveUnder(readOnlyFolder, file, std::strerror(EACCES)), ::testing::ExitedWithCode(0), "");
    ::chmod(dir.path().c_str(), 0700);
    EXPECT_EXIT(saveUnder([] {}, folder, std::strerror(EISDIR)), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(testing::readBytes(file), original);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"folder.mdx", "model.mdx"}));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

}  // namespace
}  // namespace tess

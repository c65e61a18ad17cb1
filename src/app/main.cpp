#include <QtWidgets/QApplication>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "editor/autosave.h"
#include "ui/editor_app.h"

namespace {

// A whole-number setting from the environment variable `name`, from `low` to `high`; nothing
// when unset or not such a number, which is reported.
std::optional<long> wholeSetting(const char* name, long low, long high) {
    const char* text = std::getenv(name);
    if (text == nullptr) return std::nullopt;
    const char* end = text + std::strlen(text);
    long value = 0;
    const auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc() || stop != end || value < low || value > high) {
        std::fprintf(stderr, "tessarine: ignoring %s=%s (not %ld to %ld)\n", name, text, low, high);
        return std::nullopt;
    }
    return value;
}

}  // namespace

// tessarine [FILE]: the editor, opening FILE (MDX or MDL by its last character) when given.
// Qt gets the program name alone, so no argument is taken as one of Qt's options.
int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: tessarine [FILE]\n");
        return 2;
    }
    const std::string modelFile = argc == 2 ? argv[1] : "";

    char programName[] = "tessarine";
    char* qtArguments[] = {programName, nullptr};
    int qtArgumentCount = 1;
    QApplication application(qtArgumentCount, qtArguments);

    tess::EditorApp editor;
    editor.setAutosaveFolder(tess::autosaveFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")));
    if (const auto seconds = wholeSetting("TESSARINE_AUTOSAVE_SECONDS", 1, 24 * 60 * 60))
        editor.setAutosaveInterval(static_cast<int>(*seconds * 1000));
    // The undo history's memory budget, 512 MB unless set (1 MB to 1 TB).
    if (const auto megabytes = wholeSetting("TESSARINE_HISTORY_MB", 1, 1 << 20))
        editor.document().history.setBudget(static_cast<std::size_t>(*megabytes) << 20);
    if (!editor.start(modelFile)) return 0;
    return editor.run();
}

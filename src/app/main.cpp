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

// The autosave interval from TESSARINE_AUTOSAVE_SECONDS (a whole number of seconds, 1 to a
// day); nothing when unset or not such a number, which is reported.
std::optional<int> autosaveIntervalMs() {
    const char* text = std::getenv("TESSARINE_AUTOSAVE_SECONDS");
    if (text == nullptr) return std::nullopt;
    const char* end = text + std::strlen(text);
    int seconds = 0;
    const auto [stop, error] = std::from_chars(text, end, seconds);
    if (error != std::errc() || stop != end || seconds < 1 || seconds > 24 * 60 * 60) {
        std::fprintf(stderr, "tessarine: ignoring TESSARINE_AUTOSAVE_SECONDS=%s (not 1 to 86400)\n", text);
        return std::nullopt;
    }
    return seconds * 1000;
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
    if (const std::optional<int> interval = autosaveIntervalMs()) editor.setAutosaveInterval(*interval);
    if (!editor.start(modelFile)) return 0;
    return editor.run();
}

#include <QtWidgets/QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/autosave.h"
#include "ui/editor_app.h"

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
    if (!editor.start(modelFile)) return 0;
    return editor.run();
}

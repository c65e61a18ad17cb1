#include <QtWidgets/QApplication>

#include "ui/editor_app.h"

// The editor takes nothing from the command line: Qt gets the program name alone.
int main(int, char**) {
    char programName[] = "tessarine";
    char* qtArguments[] = {programName, nullptr};
    int qtArgumentCount = 1;
    QApplication application(qtArgumentCount, qtArguments);

    tess::EditorApp editor;
    if (!editor.start()) return 0;
    return editor.run();
}

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "soak_driver.h"
#include "ui/gl_view.h"

namespace {

// The environment variable `name` as a number, `fallback` when unset; false when it is set
// but not a whole number in range.
template <typename T>
bool numberFromEnvironment(const char* name, T fallback, T& value) {
    const char* text = std::getenv(name);
    value = fallback;
    if (text == nullptr) return true;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, value);
    return error == std::errc() && stop == end && stop != text;
}

}  // namespace

// tessarine-soak MODEL: opens a copy of MODEL (and the TGA textures beside it) in the editor
// and drives it with TESS_SOAK_ACTIONS random actions (default 1000) from the seed
// TESS_SOAK_SEED (default 1), checking after each that the model stays valid and the view
// draws; with TESS_SOAK_TRACE set, every action is printed as it happens. Prints the rate,
// or what failed and how to replay it; exit status 1 on failure.
int main(int argc, char** argv) {
    int actions = 0;
    std::uint32_t seed = 0;
    if (argc != 2 || !numberFromEnvironment("TESS_SOAK_ACTIONS", 1000, actions) || actions < 0 ||
        !numberFromEnvironment<std::uint32_t>("TESS_SOAK_SEED", 1, seed)) {
        std::fprintf(stderr, "usage: [TESS_SOAK_ACTIONS=N] [TESS_SOAK_SEED=S] tessarine-soak MODEL\n");
        return 2;
    }
    char programName[] = "tessarine-soak";
    char* qtArguments[] = {programName, nullptr};
    int qtArgumentCount = 1;
    QApplication application(qtArgumentCount, qtArguments);

    // The editor may save over its file: it works on copies in a scratch folder.
    const QTemporaryDir scratch;
    const QFileInfo model(QString::fromLocal8Bit(argv[1]));
    const QString copy = scratch.filePath(model.fileName());
    if (!scratch.isValid() || !QFile::copy(model.filePath(), copy)) {
        std::fprintf(stderr, "tessarine-soak: cannot copy %s into a scratch folder\n", argv[1]);
        return 1;
    }
    for (const QString& texture : model.dir().entryList({"*.tga", "*.TGA"}, QDir::Files))
        QFile::copy(model.dir().filePath(texture), scratch.filePath(texture));

    tess::EditorApp editor;
    tess::SoakDriver driver(editor, seed, scratch.path().toStdString(),
                            std::getenv("TESS_SOAK_TRACE") != nullptr ? &std::cerr : nullptr);
    if (!editor.start(QFile::encodeName(copy).toStdString())) return 1;
    if (editor.state().currentFileName.empty()) {
        std::fprintf(stderr, "tessarine-soak: cannot open %s\n", argv[1]);
        return 1;
    }
    editor.loop().start(*editor.glWindow().view());
    const auto start = std::chrono::steady_clock::now();
    if (!driver.run(actions, std::cerr)) return 1;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::cout << actions << " actions from seed " << seed << " in " << took.count()
              << " s: " << actions / took.count() << " actions/s\n";
    return 0;
}

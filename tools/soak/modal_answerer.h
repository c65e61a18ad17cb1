#pragma once

#include <QtCore/QTimer>
#include <functional>
#include <random>
#include <string>

class QDialog;
class QFileDialog;
class QWidget;

namespace tess {

// Answers every modal dialog as a hurried user would, so that a robot can drive the editor
// through dialogs it does not know: while polling, the active modal widget's line edits,
// spin boxes, combo boxes and check boxes get random values, then a random button is
// pressed (OK or Cancel, Yes or No, any button of a message box). File dialogs are answered
// within `scratchFolder`: a save picks "soak.mdx" or "soak.mdl" there, an open picks the
// file saved last, or cancels when none was saved. Every answer is told to `log`.
class ModalAnswerer {
public:
    ModalAnswerer(std::uint32_t seed, std::string scratchFolder, std::function<void(std::string)> log);

    // Starts polling every `intervalMs` milliseconds (also inside the dialogs' own loops).
    void start(int intervalMs);

private:
    void answer(QWidget* modal);
    void answerFile(QFileDialog& dialog);
    void fill(QDialog& dialog);
    std::string randomText();
    bool coin() { return std::bernoulli_distribution(0.5)(random_); }

    std::mt19937 random_;
    std::string scratchFolder_;
    std::string lastSaved_;
    std::function<void(std::string)> log_;
    QTimer timer_;
};

}  // namespace tess

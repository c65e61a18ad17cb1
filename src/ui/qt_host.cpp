#include "ui/qt_host.h"

#include <QtCore/QFile>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMessageBox>

#include "ui/animation_range_dialog.h"
#include "ui/primitive_dialog.h"
#include "ui/sequences_dialog.h"
#include "ui/visibility_dialog.h"

namespace tess {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The model file dialog: Open asks for an existing file, Save for a file in an existing
// folder and asks before overwriting one. The path comes back in the file system's encoding.
std::optional<std::string> askModelFileName(QWidget* owner, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(
        {QStringLiteral("MDX Files (*.mdx *.MDX)"), QStringLiteral("MDL Files (*.mdl *.MDL)")});
    dialog.setDefaultSuffix(QStringLiteral("mdx"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}

}  // namespace

void QtHost::messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                        bool ownedByMainWindow) {
    QMessageBox box(qtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, ownedByMainWindow ? mainWindow_.data() : nullptr);
    box.exec();
}

bool QtHost::askYesNo(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, mainWindow_.data());
    return box.exec() == QMessageBox::Yes;
}

SaveChoice QtHost::askSaveDiscardCancel(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Save"), QString::fromStdString(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, mainWindow_.data());
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveChoice::Save;
        case QMessageBox::Discard:
            return SaveChoice::Discard;
        default:
            return SaveChoice::Cancel;
    }
}

void QtHost::showDocumentStatus(const std::string& title, const std::string& undoText, bool canUndo,
                                const std::string& redoText, bool canRedo) {
    if (mainWindow_ != nullptr)
        mainWindow_->showDocumentStatus(QString::fromStdString(title), QString::fromStdString(undoText),
                                        canUndo, QString::fromStdString(redoText), canRedo);
}

int QtHost::runPrimitiveDialog(PrimitiveParameters& parameters) {
    PrimitiveDialog dialog(parameters, mainWindow_.data());
    return dialog.run();
}

int QtHost::runAnimationRangeDialog(AnimationRangeForm& form) {
    AnimationRangeDialog dialog(form, mainWindow_.data());
    return dialog.run();
}

int QtHost::runVisibilityDialog(VisibilityForm& form) {
    VisibilityDialog dialog(form, mainWindow_.data());
    return dialog.run();
}

int QtHost::runSequencesDialog(SequenceList& sequences) {
    SequencesDialog dialog(sequences, mainWindow_.data());
    return dialog.run();
}

std::optional<std::string> QtHost::askOpenFileName() {
    return askModelFileName(mainWindow_.data(), QFileDialog::AcceptOpen);
}

std::optional<std::string> QtHost::askSaveFileName() {
    return askModelFileName(mainWindow_.data(), QFileDialog::AcceptSave);
}

void QtHost::showModeMenu(EditMode mode) {
    if (mainWindow_ != nullptr) mainWindow_->showModeMenu(mode);
}

void QtHost::repaintAnimationBar() {
    if (mainWindow_ != nullptr) mainWindow_->refreshTime();
}

void QtHost::showUvEditor() {
    if (uvEditor_ != nullptr) uvEditor_->showEditor();
}

void QtHost::repaintUvEditor() {
    if (uvEditor_ != nullptr) uvEditor_->refresh();
}

void QtHost::closeMainWindow() {
    if (mainWindow_ != nullptr) mainWindow_->close();
}

bool QtHost::altKeyDown() const {
    return QGuiApplication::keyboardModifiers().testFlag(Qt::AltModifier);
}

}  // namespace tess

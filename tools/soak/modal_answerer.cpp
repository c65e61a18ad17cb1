#include "modal_answerer.h"

#include <QtCore/QFileInfo>
#include <QtCore/QPointer>
#include <QtWidgets/QAbstractSlider>
#include <QtWidgets/QAbstractSpinBox>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QDoubleSpinBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>
#include <algorithm>
#include <array>

namespace tess {

namespace {

// What users type into number fields: ordinary values, limits, and things that are no number.
constexpr std::array kTexts{"0", "1",   "-1",  "3",   "7.5",        "-250", "100000", "1e30", "-1e-30",
                            "",  "abc", "nan", "inf", "2147483648", " 12 ", "0x10",   "Y",    "N"};

QString plainText(const QAbstractButton& button) {
    return button.text().remove(QLatin1Char('&'));
}

}  // namespace

ModalAnswerer::ModalAnswerer(std::uint32_t seed, std::string scratchFolder,
                             std::function<void(std::string)> log)
    : random_(seed), scratchFolder_(std::move(scratchFolder)), log_(std::move(log)) {
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        // The answer runs outside this timer's slot: a dialog it opens (an overwrite
        // question, an error box) runs its own loop, in which the timer must fire again.
        timer_.stop();
        QTimer::singleShot(0, &timer_, [this, pending = QPointer<QWidget>(modal)] {
            timer_.start();
            if (pending != nullptr) answer(pending);
        });
    });
}

void ModalAnswerer::start(int intervalMs) {
    timer_.start(intervalMs);
}

void ModalAnswerer::answer(QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        const QList<QAbstractButton*> buttons = box->buttons();
        if (buttons.isEmpty()) {
            box->close();
            return;
        }
        QAbstractButton* chosen =
            buttons[std::uniform_int_distribution<qsizetype>(0, buttons.size() - 1)(random_)];
        log_("  message \"" + box->text().toStdString() + "\": " + plainText(*chosen).toStdString());
        chosen->click();
        return;
    }
    if (auto* files = qobject_cast<QFileDialog*>(modal)) {
        answerFile(*files);
        return;
    }
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (dialog == nullptr) {
        log_("  closed modal window \"" + modal->windowTitle().toStdString() + "\"");
        modal->close();
        return;
    }
    fill(*dialog);
    const bool accept = coin();
    log_(std::string("  dialog \"") + dialog->windowTitle().toStdString() +
         "\": " + (accept ? "OK" : "Cancel"));
    QAbstractButton* chosen = nullptr;
    if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
        for (QAbstractButton* button : buttons->buttons()) {
            const QDialogButtonBox::ButtonRole role = buttons->buttonRole(button);
            if (accept ? role == QDialogButtonBox::AcceptRole || role == QDialogButtonBox::YesRole
                       : role == QDialogButtonBox::RejectRole || role == QDialogButtonBox::NoRole)
                chosen = button;
        }
    }
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (chosen == nullptr && plainText(*button) == (accept ? "OK" : "Cancel")) chosen = button;
    if (chosen != nullptr)
        chosen->click();
    else if (accept)
        dialog->accept();
    else
        dialog->reject();
}

void ModalAnswerer::answerFile(QFileDialog& dialog) {
    std::string path;
    if (dialog.acceptMode() == QFileDialog::AcceptSave) {
        lastSaved_ = scratchFolder_ + (coin() ? "/soak.mdx" : "/soak.mdl");
        path = lastSaved_;
    } else if (!lastSaved_.empty() && QFileInfo::exists(QString::fromStdString(lastSaved_)) && coin()) {
        path = lastSaved_;
    }
    log_("  file dialog: " + (path.empty() ? std::string("Cancel") : path));
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (path.empty() || name == nullptr) {
        dialog.reject();
        return;
    }
    name->setText(QString::fromStdString(path));
    static_cast<QDialog&>(dialog).accept();
}

std::string ModalAnswerer::randomText() {
    return kTexts[std::uniform_int_distribution<std::size_t>(0, kTexts.size() - 1)(random_)];
}

void ModalAnswerer::fill(QDialog& dialog) {
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        // Spin and combo boxes hold line edits of their own; they are filled as a whole.
        const QWidget* parent = edit->parentWidget();
        if (edit->isReadOnly() || qobject_cast<const QAbstractSpinBox*>(parent) != nullptr ||
            qobject_cast<const QComboBox*>(parent) != nullptr || !coin())
            continue;
        edit->setText(QString::fromStdString(randomText()));
        Q_EMIT edit->editingFinished();
    }
    for (QSpinBox* spin : dialog.findChildren<QSpinBox*>())
        spin->setValue(std::uniform_int_distribution<int>(spin->minimum(), spin->maximum())(random_));
    for (QDoubleSpinBox* spin : dialog.findChildren<QDoubleSpinBox*>()) {
        // The limits, or a value between them near the origin (limits may span every double).
        const double low = std::max(spin->minimum(), -1000.0), high = std::min(spin->maximum(), 1000.0);
        const double values[] = {
            spin->minimum(), spin->maximum(),
            low < high ? std::uniform_real_distribution<double>(low, high)(random_) : low};
        spin->setValue(values[std::uniform_int_distribution<int>(0, 2)(random_)]);
    }
    for (QAbstractSlider* slider : dialog.findChildren<QAbstractSlider*>())
        slider->setValue(std::uniform_int_distribution<int>(slider->minimum(), slider->maximum())(random_));
    for (QComboBox* combo : dialog.findChildren<QComboBox*>()) {
        if (combo->count() > 0)
            combo->setCurrentIndex(std::uniform_int_distribution<int>(0, combo->count() - 1)(random_));
        if (combo->isEditable() && coin()) combo->setEditText(QString::fromStdString(randomText()));
    }
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
        if (coin()) box->click();
}

}  // namespace tess

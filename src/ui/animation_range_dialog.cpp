#include "ui/animation_range_dialog.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

#include "ui/dialog_buttons.h"
#include "ui/dialog_units.h"

namespace tess {
namespace {

constexpr int kMaxEditChars = 255;

QLineEdit* addEdit(QWidget* parent, const char* id, const QString& text, const QRect& place) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(id));
    edit->setMaxLength(kMaxEditChars);
    edit->setGeometry(place);
    return edit;
}

void addLabel(QWidget* parent, const char* text, const QRect& place) {
    auto* label = new QLabel(QLatin1String(text), parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(place);
}

}  // namespace

AnimationRangeDialog::AnimationRangeDialog(AnimationRangeForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
    setWindowTitle(QStringLiteral("Animation Range"));
    setFixedSize(dialogUnits(0, 0, 119, 82).size());

    sequences_ = new QComboBox(this);
    sequences_->setObjectName(QStringLiteral("1293"));
    for (const AnimationRangeForm::Line& line : form.lines)
        sequences_->addItem(QString::fromStdString(line.name));
    sequences_->setCurrentIndex(form.selected);
    const QRect comboPlace = dialogUnits(15, 7, 81, 0);
    sequences_->setGeometry(comboPlace.x(), comboPlace.y(), comboPlace.width(),
                            sequences_->sizeHint().height());
    connect(sequences_, &QComboBox::activated, this, [this](int line) {
        chooseRangeLine(form_, line);
        start_->setText(QString::fromStdString(form_.start));
        end_->setText(QString::fromStdString(form_.end));
    });

    // Right-aligned at the template's right edge (x 33), wide enough for the font in use.
    addLabel(this, "Start:", dialogUnits(2, 31, 31, 10));
    addLabel(this, "End:", dialogUnits(2, 46, 31, 10));
    start_ = addEdit(this, "1005", QString::fromStdString(form.start), dialogUnits(39, 30, 51, 12));
    end_ = addEdit(this, "1006", QString::fromStdString(form.end), dialogUnits(39, 44, 51, 12));

    addOkCancel(this, dialogUnits(8, 61, 50, 14), dialogUnits(62, 61, 50, 14));
}

int AnimationRangeDialog::run() {
    return exec() == QDialog::Accepted ? 1 : 2;
}

void AnimationRangeDialog::done(int result) {
    if (result == QDialog::Accepted) {
        form_.start = start_->text().toStdString();
        form_.end = end_->text().toStdString();
    }
    QDialog::done(result);
}

}  // namespace tess

#include "ui/primitive_dialog.h"

#include <QtCore/QEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <algorithm>

#include "ui/dialog_buttons.h"

namespace tess {

namespace {

// The dialog template's size and buttons, in pixels of its 8-point font (dialog units
// times 6/4 across and 13/8 down).
constexpr int kDialogWidth = 392;
constexpr int kDialogHeight = 154;
constexpr QRect kOkRect{306, 11, 75, 23};
constexpr QRect kCancelRect{306, 39, 75, 23};

constexpr int kLabelId = 40010;
constexpr int kFirstFieldId = 40011;
constexpr int kRowHeight = 20;
constexpr int kControlWidth = 130;
constexpr int kEditX = 140;
constexpr int kMaxEditChars = 255;

int clientHeightFor(std::size_t fieldCount) {
    return std::max(kRowHeight * static_cast<int>(fieldCount) + 20, 80);
}

}  // namespace

PrimitiveDialog::PrimitiveDialog(PrimitiveParameters& parameters, QWidget* parent)
    : QDialog(parent), parameters_(parameters) {
    setWindowTitle(QString::fromStdString(parameters.title));
    resize(kDialogWidth, kDialogHeight);

    addOkCancel(this, kOkRect, kCancelRect);

    for (std::size_t i = 0; i < parameters.count(); ++i) {
        const int row = kRowHeight * static_cast<int>(i);
        const QString label =
            i < parameters.labels.size() ? QString::fromStdString(parameters.labels[i]) : QString();
        auto* caption = new QLabel(label + QLatin1Char(':'), this);
        caption->setObjectName(QString::number(kLabelId));
        caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
        caption->setGeometry(0, row + 13, kControlWidth, kRowHeight);

        const QString text = QString::fromStdString(parameters.texts[i]);
        const QString id = QString::number(kFirstFieldId + static_cast<int>(i));
        const bool checkBox =
            i < parameters.kinds.size() && parameters.kinds[i] == PrimitiveParameters::CheckBox;
        if (checkBox) {
            auto* box = new QCheckBox(this);
            box->setGeometry(kEditX, row + 12, kControlWidth, kRowHeight);
            box->setChecked(text.startsWith(QLatin1Char('Y')));
            connect(box, &QCheckBox::clicked, this, [this, i] { normalise(i); });
            controls_.push_back(box);
        } else {
            auto* edit = new QLineEdit(text, this);
            edit->setGeometry(kEditX, row + 10, kControlWidth, kRowHeight);
            edit->installEventFilter(this);
            controls_.push_back(edit);
        }
        controls_.back()->setObjectName(id);
        normalise(i);
    }
    resize(width(), clientHeightFor(parameters.count()));
}

PrimitiveDialog::~PrimitiveDialog() {
    // Destroying the focused edit sends it a focus-out; it must not reach normalise then.
    for (QWidget* control : controls_) control->removeEventFilter(this);
}

int PrimitiveDialog::run() {
    return exec() == QDialog::Accepted ? 1 : 2;
}

void PrimitiveDialog::done(int result) {
    // OK takes the focus from the edit being typed in, so every field is normalised then,
    // whether or not the focus actually moved (Return presses OK without moving it).
    if (result == QDialog::Accepted)
        for (std::size_t i = 0; i < controls_.size(); ++i) normalise(i);
    QDialog::done(result);
}

bool PrimitiveDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const auto it = std::find(controls_.begin(), controls_.end(), watched);
        if (it != controls_.end()) normalise(static_cast<std::size_t>(it - controls_.begin()));
    }
    return QDialog::eventFilter(watched, event);
}

void PrimitiveDialog::normalise(std::size_t field) {
    std::string shown;
    if (auto* box = qobject_cast<QCheckBox*>(controls_[field])) {
        shown = normalizedFieldText(parameters_, field, std::string(), box->isChecked());
    } else {
        auto* edit = static_cast<QLineEdit*>(controls_[field]);
        shown =
            normalizedFieldText(parameters_, field, edit->text().left(kMaxEditChars).toStdString(), false);
        edit->setText(QString::fromStdString(shown));
    }
    parameters_.texts[field] = shown;
}

}  // namespace tess

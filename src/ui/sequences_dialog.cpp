#include "ui/sequences_dialog.h"

#include <QtCore/QEvent>
#include <QtCore/QSignalBlocker>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

#include "ui/dialog_buttons.h"
#include "ui/dialog_units.h"

namespace tess {
namespace {

constexpr int kMaxEditChars = 255;

QPushButton* addButton(QWidget* parent, const char* text, const char* id, const QRect& place) {
    auto* button = new QPushButton(QLatin1String(text), parent);
    button->setObjectName(QLatin1String(id));
    button->setGeometry(place);
    return button;
}

QLineEdit* addEdit(QWidget* parent, const char* id, const QRect& place) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(id));
    edit->setMaxLength(kMaxEditChars);
    edit->setGeometry(place);
    return edit;
}

void addLabel(QWidget* parent, const char* text, int x, int y) {
    auto* label = new QLabel(QLatin1String(text), parent);
    label->setGeometry(dialogUnits(x, y, 32, 10));
}

}  // namespace

SequencesDialog::SequencesDialog(SequenceList& sequences, QWidget* parent)
    : QDialog(parent), sequences_(sequences) {
    setWindowTitle(QStringLiteral("Sequences"));
    setFixedSize(dialogUnits(0, 0, 260, 111).size());

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("1014"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setGeometry(dialogUnits(7, 7, 99, 97));
    connect(list_, &QListWidget::itemSelectionChanged, this, &SequencesDialog::selectionChanged);

    QPushButton* add = addButton(this, "Add", "1013", dialogUnits(112, 7, 32, 12));
    connect(add, &QPushButton::clicked, this, [this] {
        sequences_.add();
        fillList();
    });
    delete_ = addButton(this, "Delete", "1015", dialogUnits(112, 22, 32, 12));
    connect(delete_, &QPushButton::clicked, this, [this] {
        sequences_.remove();
        fillList();
    });

    addLabel(this, "Name:", 113, 46);
    name_ = addEdit(this, "1018", dialogUnits(147, 44, 68, 13));
    addLabel(this, "Interval:", 113, 61);
    start_ = addEdit(this, "1016", dialogUnits(147, 59, 44, 13));
    auto* dash = new QLabel(QStringLiteral("-"), this);
    dash->setGeometry(dialogUnits(196, 61, 6, 10));
    end_ = addEdit(this, "1017", dialogUnits(205, 59, 44, 13));
    addLabel(this, "Rarity:", 113, 75);
    rarity_ = addEdit(this, "1020", dialogUnits(147, 73, 44, 13));
    edits_ = {name_, start_, end_, rarity_};
    for (QLineEdit* edit : edits_) edit->installEventFilter(this);

    looping_ = new QCheckBox(QStringLiteral("Looping"), this);
    looping_->setObjectName(QStringLiteral("1019"));
    looping_->setGeometry(dialogUnits(113, 90, 63, 10));
    connect(looping_, &QCheckBox::clicked, this, &SequencesDialog::apply);

    addOkCancel(this, dialogUnits(203, 7, 50, 14), dialogUnits(203, 24, 50, 14));

    fillList();
}

SequencesDialog::~SequencesDialog() {
    // Destroying the focused edit sends it a focus-out; it must not reach apply then.
    for (QLineEdit* edit : edits_) edit->removeEventFilter(this);
}

int SequencesDialog::run() {
    return exec() == QDialog::Accepted ? 1 : 2;
}

void SequencesDialog::done(int result) {
    // Return presses OK without taking the focus from the edit being typed in.
    if (result == QDialog::Accepted) apply();
    QDialog::done(result);
}

bool SequencesDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) apply();
    return QDialog::eventFilter(watched, event);
}

void SequencesDialog::fillList() {
    {
        const QSignalBlocker blocker(list_);
        list_->clear();
        for (const std::string& name : sequences_.names()) list_->addItem(QString::fromStdString(name));
        if (sequences_.hasSelection()) list_->setCurrentRow(sequences_.selected());
    }
    showFields();
}

void SequencesDialog::showFields() {
    const SequenceTexts texts = sequences_.shown();
    name_->setText(QString::fromStdString(texts.name));
    start_->setText(QString::fromStdString(texts.start));
    end_->setText(QString::fromStdString(texts.end));
    rarity_->setText(QString::fromStdString(texts.rarity));
    looping_->setChecked(texts.looping);
    const bool enabled = sequences_.hasSelection();
    for (QWidget* field : {static_cast<QWidget*>(delete_), static_cast<QWidget*>(looping_)})
        field->setEnabled(enabled);
    for (QLineEdit* edit : edits_) edit->setEnabled(enabled);
}

// A click on empty space or on the selected line with Ctrl may leave the list without a
// selection; the line the dialog works on stays selected then.
void SequencesDialog::selectionChanged() {
    const QList<QListWidgetItem*> chosen = list_->selectedItems();
    if (chosen.size() == 1) sequences_.select(list_->row(chosen.front()));
    {
        const QSignalBlocker blocker(list_);
        if (sequences_.hasSelection()) list_->setCurrentRow(sequences_.selected());
    }
    showFields();
}

void SequencesDialog::apply() {
    if (!sequences_.hasSelection()) return;
    sequences_.apply({name_->text().toStdString(), start_->text().toStdString(), end_->text().toStdString(),
                      rarity_->text().toStdString(), looping_->isChecked()});
    list_->item(sequences_.selected())->setText(QString::fromStdString(sequences_.shown().name));
    showFields();
}

}  // namespace tess

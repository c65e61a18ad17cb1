#pragma once

#include <QtWidgets/QDialog>
#include <array>

#include "editor/sequence_list.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tess {

// The "Sequences" dialog over a SequenceList: the list of sequence names ("1014"), "Add"
// ("1013"), "Delete" ("1015"), the selected sequence's "Name:" ("1018"), "Interval:" start
// ("1016") and end ("1017"), "Rarity:" ("1020"), the "Looping" box ("1019"), OK ("1") and
// Cancel ("2"). The fields show the selected sequence and are disabled, with Delete, while
// there is none. Leaving an edit, clicking the box, and OK apply the fields to the
// selected sequence (SequenceList::apply), which renames its line and shows the stored
// values. The list keeps a selected line whenever it has lines.
class SequencesDialog : public QDialog {
public:
    // `sequences` must outlive the dialog.
    SequencesDialog(SequenceList& sequences, QWidget* parent);
    ~SequencesDialog() override;

    // Runs the dialog modally: 1 for OK, 2 for Cancel (or the window closed).
    int run();

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillList();
    void showFields();
    void selectionChanged();
    void apply();

    SequenceList& sequences_;
    QListWidget* list_;
    QPushButton* delete_;
    QLineEdit* name_;
    QLineEdit* start_;
    QLineEdit* end_;
    QLineEdit* rarity_;
    QCheckBox* looping_;
    std::array<QLineEdit*, 4> edits_{};
};

}  // namespace tess

#pragma once

#include <QtWidgets/QDialog>

#include "editor/dialog_forms.h"

class QComboBox;
class QLineEdit;

namespace tess {

// The "Animation Range" dialog: a drop-down of the sequences (object name "1293"), the
// edits "Start:" ("1005") and "End:" ("1006") of at most 255 characters, OK ("1", the
// default) and Cancel ("2"). Choosing a sequence in the drop-down writes its interval into
// the edits (chooseRangeLine); OK stores the edits' texts in the form.
class AnimationRangeDialog : public QDialog {
public:
    // `form` must outlive the dialog.
    AnimationRangeDialog(AnimationRangeForm& form, QWidget* parent);

    // Runs the dialog modally: 1 for OK, 2 for Cancel (or the window closed).
    int run();

    void done(int result) override;

private:
    AnimationRangeForm& form_;
    QComboBox* sequences_;
    QLineEdit* start_;
    QLineEdit* end_;
};

}  // namespace tess

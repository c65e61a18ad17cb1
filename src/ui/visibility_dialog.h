#pragma once

#include <QtWidgets/QDialog>

#include "editor/dialog_forms.h"

namespace tess {

// The "Visibility" dialog: a list of the geosets (object name "1011") in which a click
// selects or deselects a line, the selected lines being the shown geosets; OK ("1") and
// Cancel ("2"). The form's flags follow the list's selection as it changes.
class VisibilityDialog : public QDialog {
public:
    // `form` must outlive the dialog.
    VisibilityDialog(VisibilityForm& form, QWidget* parent);

    // Runs the dialog modally: 1 for OK, 2 for Cancel (or the window closed).
    int run();
};

}  // namespace tess

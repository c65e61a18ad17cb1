#pragma once

#include <QtWidgets/QDialog>
#include <cstddef>
#include <vector>

#include "editor/primitive_parameters.h"

namespace tess {

// The primitive parameter dialog: OK and Cancel at the right, and one row per field of the
// parameters, 20 pixels apart: a right-aligned label "<label>:" and an edit, or for
// check-box fields an unlabelled check box ticked when the text begins with 'Y'. Controls
// are named by their ids: labels "40010", field i "40011 + i", OK "1", Cancel "2". A
// field is normalised (clamped to its limits and reprinted, see normalizedFieldText) when
// the dialog opens, when its edit loses the focus, when its box is clicked, and every
// field once more when OK is pressed; each normalisation stores the shown text in the
// parameters. The client area is max(20 * fields + 20, 80) pixels high.
class PrimitiveDialog : public QDialog {
public:
    // `parameters` must outlive the dialog.
    PrimitiveDialog(PrimitiveParameters& parameters, QWidget* parent);
    ~PrimitiveDialog() override;

    // Runs the dialog modally: 1 for OK, 2 for Cancel (or the window closed).
    int run();

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void normalise(std::size_t field);

    PrimitiveParameters& parameters_;
    std::vector<QWidget*> controls_;  // field i's edit or check box, owned by the dialog
};

}  // namespace tess

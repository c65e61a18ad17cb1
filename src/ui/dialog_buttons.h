#pragma once

#include <QtCore/QRect>

class QDialog;

namespace tess {

// Adds a dialog's OK button (object name "1", the default button, accepting) and Cancel
// button (object name "2", rejecting) at the given places.
void addOkCancel(QDialog* dialog, const QRect& okPlace, const QRect& cancelPlace);

}  // namespace tess

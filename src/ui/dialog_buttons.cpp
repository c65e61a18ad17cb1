#include "ui/dialog_buttons.h"

#include <QtWidgets/QDialog>
#include <QtWidgets/QPushButton>

namespace tess {

void addOkCancel(QDialog* dialog, const QRect& okPlace, const QRect& cancelPlace) {
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("1"));
    ok->setGeometry(okPlace);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setGeometry(cancelPlace);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

}  // namespace tess

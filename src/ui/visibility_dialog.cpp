#include "ui/visibility_dialog.h"

#include <QtWidgets/QListWidget>

#include "ui/dialog_buttons.h"
#include "ui/dialog_units.h"

namespace tess {

VisibilityDialog::VisibilityDialog(VisibilityForm& form, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Visibility"));
    setFixedSize(dialogUnits(0, 0, 186, 119).size());

    auto* geosets = new QListWidget(this);
    geosets->setObjectName(QStringLiteral("1011"));
    geosets->setSelectionMode(QAbstractItemView::MultiSelection);
    geosets->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    geosets->setGeometry(dialogUnits(7, 7, 63, 80));
    for (std::size_t i = 0; i < form.lines.size(); ++i) {
        auto* line = new QListWidgetItem(QString::fromStdString(form.lines[i]), geosets);
        line->setSelected(i < form.shown.size() && form.shown[i] != 0);
    }
    connect(geosets, &QListWidget::itemSelectionChanged, this, [geosets, &form] {
        for (int i = 0; i < geosets->count() && static_cast<std::size_t>(i) < form.shown.size(); ++i)
            form.shown[static_cast<std::size_t>(i)] = geosets->item(i)->isSelected() ? 1 : 0;
    });

    addOkCancel(this, dialogUnits(129, 7, 50, 14), dialogUnits(129, 24, 50, 14));
}

int VisibilityDialog::run() {
    return exec() == QDialog::Accepted ? 1 : 2;
}

}  // namespace tess

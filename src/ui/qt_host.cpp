#include "ui/qt_host.h"

#include <QtGui/QGuiApplication>
#include <QtWidgets/QMessageBox>

#include "ui/primitive_dialog.h"

namespace tess {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtHost::messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                        bool ownedByMainWindow) {
    QMessageBox box(qtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, ownedByMainWindow ? mainWindow_.data() : nullptr);
    box.exec();
}

bool QtHost::askYesNo(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, mainWindow_.data());
    return box.exec() == QMessageBox::Yes;
}

int QtHost::runPrimitiveDialog(PrimitiveParameters& parameters) {
    PrimitiveDialog dialog(parameters, mainWindow_.data());
    return dialog.run();
}

bool QtHost::altKeyDown() const {
    return QGuiApplication::keyboardModifiers().testFlag(Qt::AltModifier);
}

}  // namespace tess

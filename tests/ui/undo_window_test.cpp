#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

#include "editor/undo_commands.h"
#include "ui/editor_app.h"
#include "ui/main_window.h"

namespace tess {
namespace {

// A modified document: the title and the Edit menu show it; closing the window and holding
// Escape ask first, and only Discard ends the editor.
TEST(UndoWindow, TitleAndEditMenuFollowTheHistoryAndQuittingAsksAboutUnsavedChanges) {
    EditorApp app;
    ASSERT_TRUE(app.start());
    MainWindow* window = app.glWindow().mainWindow();
    app.loop().start(*app.glWindow().view());
    app.document().model.Name = "Renamed";
    recordEdit(app.editor(), "Rename", app.document().selection);
    EXPECT_EQ(window->windowTitle().toStdString(), "Tessarine 0.80 - Untitled*");
    int undoItems = 0;
    for (const QAction* action : window->findChildren<QAction*>()) {
        if (action->data().toInt() != command::kUndo) continue;
        ++undoItems;
        EXPECT_EQ(std::pair(action->text(), action->isEnabled()), std::pair(QString("&Undo Rename"), true));
    }
    EXPECT_EQ(undoItems, 1);

    QStringList asked;
    QMessageBox::StandardButton reply = QMessageBox::Cancel;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked += box->text();
            box->button(reply)->click();
        }
    });
    answer.start(20);
    window->close();
    EXPECT_TRUE(app.loop().running());
    QTest::keyPress(window, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return asked.size() == 2; }));
    EXPECT_TRUE(app.loop().running());
    reply = QMessageBox::Discard;
    window->close();
    EXPECT_FALSE(app.loop().running());
    EXPECT_EQ(asked, QStringList(3, "Save changes to Untitled?"));
}

}  // namespace
}  // namespace tess

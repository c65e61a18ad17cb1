#include <gtest/gtest.h>

#include <QtCore/QMimeData>
#include <QtCore/QTimer>
#include <QtGui/QDropEvent>
#include <QtTest/QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

#include "common/temp_dir.h"
#include "editor/undo_commands.h"
#include "ui/editor_app.h"
#include "ui/main_window.h"

namespace tess {
namespace {

// Only one .mdx or .mdl file is taken; its drop asks about the unsaved changes first, and
// Cancel there keeps the document.
TEST(FileDrop, OpensOneModelFileAfterTheUnsavedChangesQuestionAndRefusesOtherDrops) {
    testing::TempDir folder;
    EditorApp app;
    ASSERT_TRUE(app.start());
    MainWindow* window = app.glWindow().mainWindow();
    std::string& name = app.document().model.Name;
    name = "Dropped";
    ASSERT_TRUE(saveModelFile(app.editor(), folder.file("a.MDL")));
    name = "Changed";
    recordEdit(app.editor(), "Rename", app.document().selection);

    int asked = 0;
    QMessageBox::StandardButton reply = QMessageBox::Cancel;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++asked;
            box->button(reply)->click();
        }
    });
    answer.start(20);
    // Sends a drag entering the window and the drop of `files`; returns whether the drag was taken.
    const auto drop = [&](const QStringList& files) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& file : files)
            urls += QUrl::fromLocalFile(QString::fromStdString(folder.path()) + "/" + file);
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        QDropEvent dropped(QPointF(50, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &dropped);
        QTest::qWait(100);
        return enter.isAccepted();
    };
    for (const QStringList& refused : {QStringList{"a.txt"}, QStringList{"a.MDL", "b.mdx"}})
        EXPECT_FALSE(drop(refused));
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(drop({"a.MDL"}));
    EXPECT_EQ(std::pair(asked, name), std::pair(1, std::string("Changed")));
    reply = QMessageBox::Discard;
    drop({"a.MDL"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return name == "Dropped"; }));
    EXPECT_EQ(std::pair(asked, app.state().currentFileName), std::pair(2, folder.file("a.MDL")));
}

}  // namespace
}  // namespace tess

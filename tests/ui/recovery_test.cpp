#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

#include "common/temp_dir.h"
#include "ui/editor_app.h"
#include "ui/main_window.h"

namespace tess {
namespace {

// The editor program, killed after it autosaved an edit (Zero Keyframe on the first bone at
// time 0), leaves that edit behind; the next start offers it, and Yes brings it back as
// the modified document of the same file.
TEST(Recovery, EditsAutosavedBeforeTheEditorWasKilledComeBackAtTheNextStart) {
    testing::TempDir folder;
    const std::string modelPath = folder.file("arm.mdx");
    const std::vector<std::uint8_t> original = testing::readBytes(TESS_EXAMPLES_DIR "/arm.mdx");
    testing::writeBytes(modelPath, original);
    const QString stateFolder = QString::fromStdString(folder.file("state/tessarine"));

    QProcess editor;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_STATE_HOME", QString::fromStdString(folder.file("state")));
    environment.insert("TESSARINE_AUTOSAVE_SECONDS", "1");
    editor.setProcessEnvironment(environment);
    editor.start(TESS_EDITOR_PROGRAM, {QString::fromStdString(modelPath)});
    ASSERT_TRUE(editor.waitForStarted());
    // The keys go through the display to the focused window, as a person's would. The typing
    // program runs without the sanitizer runtime that a sanitizer build preloads.
    QProcess typist;
    environment.remove("LD_PRELOAD");
    typist.setProcessEnvironment(environment);
    typist.start("xdotool", {"search", "--sync", "--name", "Tessarine 0.80 - arm.mdx$", "windowfocus",
                             "--sync", "key", "F3", "0"});
    ASSERT_TRUE(typist.waitForStarted()) << "xdotool is missing";
    ASSERT_TRUE(typist.waitForFinished(60000));
    ASSERT_EQ(typist.exitCode(), 0) << typist.readAllStandardError().toStdString();
    const QString record = QStringLiteral("autosave-%1.record").arg(editor.processId());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QDir(stateFolder).exists(record); }, 20000));
    editor.kill();
    ASSERT_TRUE(editor.waitForFinished());

    Model recovered;
    {
        EditorApp app;
        app.setAutosaveFolder(stateFolder.toStdString());
        QStringList asked;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked += box->text();
                box->button(QMessageBox::Yes)->click();
            }
        });
        answer.start(20);
        ASSERT_TRUE(app.start());
        ASSERT_EQ(asked.size(), 1);
        EXPECT_TRUE(asked[0].startsWith("Recover unsaved changes to arm.mdx from "))
            << asked[0].toStdString();
        EXPECT_EQ(app.glWindow().mainWindow()->windowTitle(), "Tessarine 0.80 - arm.mdx*");
        EXPECT_EQ(app.state().currentFileName, modelPath);
        EXPECT_EQ(QDir(stateFolder).entryList(QDir::Files).filter(record), QStringList());
        recovered = app.document().model;
    }
    EditorApp expected;
    ASSERT_TRUE(expected.start(modelPath));
    EXPECT_EQ(testing::readBytes(modelPath), original);
    EXPECT_NE(recovered, expected.document().model);
    QTest::keyClick(expected.glWindow().mainWindow(), Qt::Key_F3);
    QTest::keyClick(expected.glWindow().mainWindow(), Qt::Key_0);
    EXPECT_EQ(recovered, expected.document().model);
}

}  // namespace
}  // namespace tess

#include <gtest/gtest.h>

#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtCore/QStringList>

namespace tess {
namespace {

QString findXdotool() {
    return QStandardPaths::findExecutable(QStringLiteral("xdotool"));
}

// Runs xdotool and returns its standard output, trimmed; empty when it failed. The tool
// runs without the libraries preloaded for the sanitizer build of the editor.
QString xdotool(const QStringList& arguments) {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LD_PRELOAD"));
    tool.setProcessEnvironment(environment);
    tool.start(findXdotool(), arguments);
    if (!tool.waitForFinished(20000) || tool.exitCode() != 0) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

// Waits for the visible window titled exactly `title` and gives it the keyboard focus;
// false if it never appeared.
bool focusWindow(const QString& title) {
    const QString pattern = "^" + QRegularExpression::escape(title) + "$";
    const QString id = xdotool({"search", "--sync", "--onlyvisible", "--name", pattern}).section('\n', 0, 0);
    if (!id.isEmpty()) xdotool({"windowfocus", "--sync", id});
    return !id.isEmpty();
}

// The real program, started as `make run` starts it; killed at the end if still running.
class EditorProcess : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(findXdotool().isEmpty()) << "xdotool types into the real window"; }
    void TearDown() override {
        editor.kill();
        editor.waitForFinished();
    }
    void start(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
        editor.setProcessEnvironment(environment);
        editor.setProcessChannelMode(QProcess::ForwardedChannels);
        editor.start(QStringLiteral(TESS_EDITOR_EXECUTABLE), {});
        ASSERT_TRUE(editor.waitForStarted(10000));
    }
    // Holds `key` on the display, as a user would, until the program ends (at most 20 s).
    bool holdKeyUntilEnded(const QString& key) {
        xdotool({"keydown", key});
        const bool ended = editor.waitForFinished(20000);
        xdotool({"keyup", key});
        return ended && editor.exitStatus() == QProcess::NormalExit;
    }

    QProcess editor;
};

TEST_F(EditorProcess, EscapeEndsTheProgramWithStatusZero) {
    start();
    ASSERT_TRUE(focusWindow(QStringLiteral("Tessarine 0.80"))) << "the window never appeared";
    EXPECT_EQ(editor.state(), QProcess::Running);
    ASSERT_TRUE(holdKeyUntilEnded(QStringLiteral("Escape"))) << "Escape did not end the program";
    EXPECT_EQ(editor.exitCode(), 0);
}

// Without any GL on the display no context can be made: the "ERROR" box says so and, once
// it is dismissed, the program ends with status 0 without entering its loop.
TEST_F(EditorProcess, NoGlContextIsReportedAndEndsWithStatusZero) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_XCB_GL_INTEGRATION"), QStringLiteral("none"));
    start(environment);
    ASSERT_TRUE(focusWindow(QStringLiteral("ERROR"))) << "no error box appeared";
    EXPECT_EQ(editor.state(), QProcess::Running);
    // The half-made main window is gone before the box shows.
    EXPECT_TRUE(xdotool({"search", "--onlyvisible", "--name", "^Tessarine 0\\.80$"}).isEmpty());
    ASSERT_TRUE(holdKeyUntilEnded(QStringLiteral("Return"))) << "the program did not end";
    EXPECT_EQ(editor.exitCode(), 0);
}

}  // namespace
}  // namespace tess

#include <gtest/gtest.h>

#include <QtCore/QElapsedTimer>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtGui/QImage>
#include <QtGui/QKeyEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <functional>
#include <optional>
#include <utility>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "common/fake_host.h"
#include "ui/editor_app.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"

namespace tess {
namespace {

// Processes events until `done` holds or 30 s pass (sanitizer builds under load are slow).
bool waitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 30000) QTest::qWait(10);
    return done();
}

// The editor as the program starts it, with the loop running and its exit code caught.
class RunningEditor : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(editor.start());
        QObject::connect(view(), &GlView::frameSwapped, view(), [this] { ++frames; });
        editor.loop().setFinishedHandler([this](int code) { exitCode = code; });
        editor.loop().start(*view());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window()));
        ASSERT_TRUE(waitFor([this] { return frames >= 2; }));
    }
    MainWindow* window() { return editor.glWindow().mainWindow(); }
    GlView* view() { return editor.glWindow().view(); }
    int devicePixels(int logical) { return static_cast<int>(logical * view()->devicePixelRatioF()); }
    void sendKey(QEvent::Type type, int key, bool autoRepeat = false) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(window(), &event);
    }
    EditorApp editor;
    AppState& state = editor.state();
    int frames = 0;
    std::optional<int> exitCode;
};

TEST_F(RunningEditor, ShowsTheGridInA640By480ViewThatFollowsResizesAndDrawsNothingWhileMinimised) {
    EXPECT_EQ(window()->windowTitle(), "Tessarine 0.80");
    EXPECT_EQ(view()->size(), QSize(640, 480));
    EXPECT_EQ(std::pair(state.view.windowWidth, state.view.windowHeight),
              std::pair(devicePixels(640), devicePixels(480)));
    const QSurfaceFormat format = view()->format();
    EXPECT_TRUE(format.profile() == QSurfaceFormat::CompatibilityProfile || format.majorVersion() < 3);
    EXPECT_GE(format.depthBufferSize(), 16);
    const QImage frame = view()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(frame.size(), QSize(state.view.windowWidth, state.view.windowHeight));
    int white = 0;  // the grid's lines within 60 pixels of the centre, black corners
    for (int y = frame.height() / 2 - 60; y < frame.height() / 2 + 60; ++y)
        for (int x = frame.width() / 2 - 60; x < frame.width() / 2 + 60; ++x)
            white += (frame.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    EXPECT_TRUE(white > 200 && white < 120 * 120 / 2) << white;
    EXPECT_EQ(frame.pixel(2, 2) & 0xFFFFFF, 0u);
    EXPECT_EQ(frame.pixel(frame.width() - 3, frame.height() - 3) & 0xFFFFFF, 0u);

    window()->setClientSize(500, 300);  // below the menu bar
    EXPECT_TRUE(waitFor([this] { return state.view.windowHeight == devicePixels(300); }));
    EXPECT_EQ(state.view.windowWidth, devicePixels(500));

    window()->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(state.isActive);
    QTest::qWait(100);
    frames = 0;
    QTest::qWait(300);
    EXPECT_EQ(frames, 0);
    window()->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(state.isActive);
    EXPECT_TRUE(waitFor([this] { return frames >= 2; }));
}

TEST_F(RunningEditor, HoldingRightPlaysInRealTimeUntilReleased) {
    state.view.editMode = EditMode::Animation;
    QTest::qWait(50);  // a few passes in Animation mode start the playback clock
    ASSERT_EQ(state.currentTime, 0);
    EXPECT_TRUE(waitFor([this] { return state.gizmo.axisScreenX != Vec2{}; }));  // the bone's gizmo, kept
    const int clockAtPress = state.lastClock;  // one millisecond of animation per clock millisecond
    sendKey(QEvent::KeyPress, Qt::Key_Right);
    ASSERT_TRUE(waitFor([this] { return state.currentTime > 0; }));
    EXPECT_EQ(state.currentTime, state.lastClock - clockAtPress);
    QTest::qSleep(30);  // time passes with no event handled: only a repaint could move it now
    const int beforeGrab = state.currentTime;
    view()->grabFramebuffer();
    EXPECT_EQ(state.currentTime, beforeGrab);
    sendKey(QEvent::KeyRelease, Qt::Key_Right, true);  // auto-repeat: the key stays held
    EXPECT_TRUE(state.keyDown(kKeyRight));
    sendKey(QEvent::KeyPress, Qt::Key_Right, true);

    sendKey(QEvent::KeyRelease, Qt::Key_Right);
    EXPECT_FALSE(state.keyDown(kKeyRight));
    QTest::qWait(30);
    const int released = state.currentTime;
    QTest::qWait(100);
    EXPECT_EQ(state.currentTime, released);
}

TEST_F(RunningEditor, ClosingTheWindowEndsWithStatusZeroButKeepsTheWindowUntilTornDown) {
    state.view.editMode = EditMode::Animation;  // each idle pass stamps lastClock
    ASSERT_TRUE(waitFor([this] { return state.lastClock > 0; }));
    window()->close();
    ASSERT_TRUE(waitFor([this] { return exitCode.has_value(); }));
    EXPECT_EQ(*exitCode, 0);
    EXPECT_FALSE(editor.loop().running());
    const int clockAtStop = state.lastClock;
    // Frames come to rest (none for 200 ms); frameSwapped also follows repaints of the other
    // widgets (on a late activation event, say), so no count of them is bound to a deadline.
    int settled = -1;
    for (int tries = 0; tries < 50 && std::exchange(settled, frames) != frames; ++tries) QTest::qWait(200);
    EXPECT_EQ(frames, settled);
    EXPECT_EQ(state.lastClock, clockAtStop);  // no idle pass ran after the stop
    EXPECT_TRUE(window()->isVisible());
    editor.glWindow().killGLWindow();
    EXPECT_EQ(editor.glWindow().mainWindow(), nullptr);
}

TEST(GlWindowCreation, AContextThatCannotBeMadeIsReportedAndTornDown) {
    Document document;
    AppState state;
    testing::FakeHost host;
    GlWindow window(document, state, host);
    QSurfaceFormat impossible = glWindowFormat();  // no GL platform makes OpenVG contexts
    impossible.setRenderableType(QSurfaceFormat::OpenVG);
    {
#if defined(__SANITIZE_ADDRESS__)
        // The GL widget retries a failed context and drops the first one unfreed: Qt's own
        // leak, ignored for this call alone.
        __lsan::ScopedDisabler qtLeaksFailedContexts;
#endif
        EXPECT_FALSE(window.createGLWindow("Tessarine 0.80", 640, 480, impossible));
    }
    ASSERT_EQ(host.messages.size(), 1u);
    const testing::FakeHost::Message& box = host.messages[0];
    EXPECT_EQ(std::tuple(box.text, box.caption, box.icon, box.ownedByMainWindow),
              std::tuple("Can't Create A GL Rendering Context.", "ERROR", MessageIcon::Exclamation, false));
    EXPECT_EQ(window.mainWindow(), nullptr);
    window.killGLWindow();  // a second teardown reports nothing
    EXPECT_EQ(host.messages.size(), 1u);
}

// xdotool's trimmed output; empty when it failed. It runs without the sanitizer build's preloads.
QString xdotool(const QStringList& arguments) {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LD_PRELOAD"));
    tool.setProcessEnvironment(environment);
    tool.start(QStandardPaths::findExecutable(QStringLiteral("xdotool")), arguments);
    const bool ok = tool.waitForFinished(20000) && tool.exitCode() == 0;
    return ok ? QString::fromUtf8(tool.readAllStandardOutput()).trimmed() : QString();
}

// The real program driven on the display as a user would: Escape held in its window ends it
// with status 0; without GL the "ERROR" box comes alone (the half-made main window gone) and,
// once dismissed, the program ends with status 0 without entering its loop.
TEST(EditorProcess, EndsWithStatusZeroOnEscapeOrOnceTheMissingGlIsReported) {
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty());
    const std::tuple<bool, const char*, const char*> cases[] = {{true, "Tessarine 0.80", "Escape"},
                                                                {false, "ERROR", "Return"}};
    for (const auto& [gl, title, key] : cases) {
        QProcess editor;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!gl) environment.insert(QStringLiteral("QT_XCB_GL_INTEGRATION"), QStringLiteral("none"));
        editor.setProcessEnvironment(environment);
        editor.setProcessChannelMode(QProcess::ForwardedChannels);
        editor.start(QStringLiteral(TESS_EDITOR_EXECUTABLE), {});
        ASSERT_TRUE(editor.waitForStarted(10000));
        const QString pattern = "^" + QRegularExpression::escape(title) + "$";
        const QString id =
            xdotool({"search", "--sync", "--onlyvisible", "--name", pattern}).section('\n', 0, 0);
        ASSERT_FALSE(id.isEmpty()) << title << " never appeared";
        xdotool({"windowfocus", "--sync", id});
        EXPECT_EQ(editor.state(), QProcess::Running);
        EXPECT_TRUE(gl || xdotool({"search", "--onlyvisible", "--name", "^Tessarine 0\\.80$"}).isEmpty());
        xdotool({"keydown", key});
        const bool ended = editor.waitForFinished(20000);
        xdotool({"keyup", key});
        ASSERT_TRUE(ended && editor.exitStatus() == QProcess::NormalExit) << key;
        EXPECT_EQ(editor.exitCode(), 0);
    }
}

}  // namespace
}  // namespace tess

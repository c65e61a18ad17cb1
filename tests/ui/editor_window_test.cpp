#include <gtest/gtest.h>

#include <QtGui/QKeyEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
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
    // Processes events until `done` holds or 30 s pass (sanitizer builds under load are slow).
    static bool waitFor(const auto& done) { return QTest::qWaitFor(done, 30000); }
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

TEST_F(RunningEditor, OpensA640By480ViewThatFollowsResizesAndIsInactiveWhileMinimised) {
    EXPECT_EQ(window()->windowTitle(), "Tessarine 0.80");
    EXPECT_EQ(std::pair(state.view.windowWidth, state.view.windowHeight),
              std::pair(devicePixels(640), devicePixels(480)));

    window()->setClientSize(500, 300);  // below the menu bar
    EXPECT_TRUE(waitFor([this] { return state.view.windowHeight == devicePixels(300); }));
    EXPECT_EQ(state.view.windowWidth, devicePixels(500));

    window()->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(state.isActive);
    window()->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(state.isActive);
}

TEST_F(RunningEditor, HoldingRightPlaysInRealTimeAutoRepeatKeepsItHeld) {
    state.view.editMode = EditMode::Animation;
    QTest::qWait(50);  // a few passes in Animation mode start the playback clock
    EXPECT_TRUE(waitFor([this] { return state.gizmo.axisScreenX != Vec2{}; }));  // the bone's gizmo, kept
    const int clockAtPress = state.lastClock;  // one millisecond of animation per clock millisecond
    sendKey(QEvent::KeyPress, Qt::Key_Right);
    ASSERT_TRUE(waitFor([this] { return state.currentTime > 0; }));
    EXPECT_EQ(state.currentTime, state.lastClock - clockAtPress);
    sendKey(QEvent::KeyRelease, Qt::Key_Right, true);  // auto-repeat: the key stays held
    EXPECT_TRUE(state.keyDown(kKeyRight));
    sendKey(QEvent::KeyPress, Qt::Key_Right, true);
    sendKey(QEvent::KeyRelease, Qt::Key_Right);
    EXPECT_FALSE(state.keyDown(kKeyRight));
}

TEST_F(RunningEditor, ClosingTheWindowEndsWithStatusZeroButKeepsTheWindowUntilTornDown) {
    state.view.editMode = EditMode::Animation;  // each idle pass stamps lastClock
    ASSERT_TRUE(waitFor([this] { return state.lastClock > 0; }));
    window()->close();
    ASSERT_TRUE(waitFor([this] { return exitCode.has_value(); }));
    EXPECT_EQ(*exitCode, 0);
    const int clockAtStop = state.lastClock;
    QTest::qWait(200);
    EXPECT_EQ(state.lastClock, clockAtStop);  // no idle pass ran after the stop
    EXPECT_TRUE(window()->isVisible());
    editor.glWindow().killGLWindow();
    EXPECT_EQ(editor.glWindow().mainWindow(), nullptr);
}

TEST_F(RunningEditor, HoldingEscapeEndsWithStatusZero) {
    sendKey(QEvent::KeyPress, Qt::Key_Escape);
    ASSERT_TRUE(waitFor([this] { return exitCode.has_value(); }));
    EXPECT_EQ(*exitCode, 0);
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

}  // namespace
}  // namespace tess

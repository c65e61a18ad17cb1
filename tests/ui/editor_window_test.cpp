#include <gtest/gtest.h>

#include <QtCore/QElapsedTimer>
#include <QtGui/QImage>
#include <QtGui/QKeyEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <chrono>
#include <functional>
#include <optional>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "common/fake_host.h"
#include "ui/editor_app.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"

namespace tess {
namespace {

// Processes events until `done` holds or 5 s pass; true when it held.
bool waitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 5000) return false;
        QTest::qWait(10);
    }
    return true;
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
    AppState& state() { return editor.state(); }
    int devicePixels(int logical) { return static_cast<int>(logical * view()->devicePixelRatioF()); }

    void sendKey(QEvent::Type type, int key, bool autoRepeat = false) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(window(), &event);
    }

    EditorApp editor;
    int frames = 0;
    std::optional<int> exitCode;
};

TEST_F(RunningEditor, OpensTitled640By480ShowingTheWhiteGridOnBlack) {
    EXPECT_EQ(window()->windowTitle(), "Tessarine 0.80");
    EXPECT_EQ(view()->size(), QSize(640, 480));
    EXPECT_EQ(state().windowWidth, devicePixels(640));
    EXPECT_EQ(state().windowHeight, devicePixels(480));
    EXPECT_TRUE(view()->format().profile() == QSurfaceFormat::CompatibilityProfile ||
                view()->format().majorVersion() < 3);
    EXPECT_GE(view()->format().depthBufferSize(), 16);

    const QImage frame = view()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(frame.size(), QSize(state().windowWidth, state().windowHeight));
    // The grid spans -50..50 around the origin at the centre: white lines there, black corners.
    int white = 0;
    for (int y = frame.height() / 2 - 60; y < frame.height() / 2 + 60; ++y)
        for (int x = frame.width() / 2 - 60; x < frame.width() / 2 + 60; ++x)
            white += (frame.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    EXPECT_GT(white, 200);
    EXPECT_LT(white, 120 * 120 / 2);
    EXPECT_EQ(frame.pixel(2, 2) & 0xFFFFFF, 0u);
    EXPECT_EQ(frame.pixel(frame.width() - 3, frame.height() - 3) & 0xFFFFFF, 0u);

    window()->resize(500, 300);
    ASSERT_TRUE(waitFor([this] { return state().windowHeight == devicePixels(300); }));
    EXPECT_EQ(state().windowWidth, devicePixels(500));
}

TEST_F(RunningEditor, HoldingRightPlaysInRealTimeAndClampsAtTheRangeEnd) {
    state().editMode = EditMode::Animation;
    QTest::qWait(50);  // a few passes in Animation mode start the playback clock
    ASSERT_EQ(state().currentTime, 0);

    // One millisecond of animation per millisecond of the clock between passes.
    const int clockAtPress = state().lastClock;
    sendKey(QEvent::KeyPress, Qt::Key_Right);
    ASSERT_TRUE(waitFor([this] { return state().currentTime > 0; }));
    EXPECT_EQ(state().currentTime, state().lastClock - clockAtPress);
    // Time passes with no event handled; only a repaint could move the animation now.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const int beforeGrab = state().currentTime;
    view()->grabFramebuffer();
    EXPECT_EQ(state().currentTime, beforeGrab);

    // Auto-repeat sends release-press pairs: the key stays held.
    sendKey(QEvent::KeyRelease, Qt::Key_Right, true);
    EXPECT_TRUE(state().keyDown(kKeyRight));
    sendKey(QEvent::KeyPress, Qt::Key_Right, true);

    ASSERT_TRUE(waitFor([this] { return state().currentTime == 1000; }));
    EXPECT_GE(state().lastClock - clockAtPress, 1000);
    QTest::qWait(100);
    EXPECT_EQ(state().currentTime, 1000);

    sendKey(QEvent::KeyRelease, Qt::Key_Right);
    EXPECT_FALSE(state().keyDown(kKeyRight));
    sendKey(QEvent::KeyPress, Qt::Key_Left);
    ASSERT_TRUE(waitFor([this] { return state().currentTime == 0; }));
    QTest::qWait(100);
    EXPECT_EQ(state().currentTime, 0);
    sendKey(QEvent::KeyRelease, Qt::Key_Left);
}

TEST_F(RunningEditor, NoFramesWhileMinimised) {
    window()->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(state().isActive);
    QTest::qWait(100);
    frames = 0;
    QTest::qWait(300);
    EXPECT_EQ(frames, 0);

    window()->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(state().isActive);
    EXPECT_TRUE(waitFor([this] { return frames >= 2; }));
}

TEST_F(RunningEditor, EscapeHeldDuringAPassEndsWithStatusZeroAndNoFurtherFrame) {
    sendKey(QEvent::KeyPress, Qt::Key_Escape);
    ASSERT_TRUE(waitFor([this] { return exitCode.has_value(); }));
    EXPECT_EQ(*exitCode, 0);
    EXPECT_FALSE(editor.loop().running());
    const int framesAtStop = frames;
    QTest::qWait(100);
    EXPECT_LE(frames, framesAtStop + 1);
}

TEST_F(RunningEditor, ClosingTheWindowEndsWithStatusZeroButKeepsTheWindowUntilTornDown) {
    window()->close();
    ASSERT_TRUE(waitFor([this] { return exitCode.has_value(); }));
    EXPECT_EQ(*exitCode, 0);
    EXPECT_TRUE(window()->isVisible());
    editor.glWindow().killGLWindow();
    EXPECT_EQ(editor.glWindow().mainWindow(), nullptr);
}

TEST(GlWindowCreation, AContextThatCannotBeMadeIsReportedAndTornDown) {
    Model model;
    AppState state;
    testing::FakeHost host;
    GlWindow window(model, state, host);
    // No GL platform makes OpenVG contexts.
    QSurfaceFormat impossible = glWindowFormat();
    impossible.setRenderableType(QSurfaceFormat::OpenVG);
    {
#if defined(__SANITIZE_ADDRESS__)
        // The GL widget retries a failed context and drops the first one unfreed: Qt's
        // own leak, ignored for this call alone.
        __lsan::ScopedDisabler qtLeaksFailedContexts;
#endif
        EXPECT_FALSE(window.createGLWindow("Tessarine 0.80", 640, 480, impossible));
    }
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Can't Create A GL Rendering Context.");
    EXPECT_EQ(host.messages[0].caption, "ERROR");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(host.messages[0].ownedByMainWindow);
    EXPECT_EQ(window.mainWindow(), nullptr);
    window.killGLWindow();  // a second teardown reports nothing
    EXPECT_EQ(host.messages.size(), 1u);
}

}  // namespace
}  // namespace tess

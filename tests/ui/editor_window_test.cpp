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

// Processes events until `done` holds or `timeoutMs` passes; true when it held.
bool waitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
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

    void sendKey(QEvent::Type type, int key, bool autoRepeat = false) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(window(), &event);
    }

    EditorApp editor;
    int frames = 0;
    std::optional<int> exitCode;
};

TEST_F(RunningEditor, OpensTitledWithA640By480ClientArea) {
    EXPECT_EQ(window()->windowTitle(), "Tessarine 0.80");
    const double ratio = view()->devicePixelRatioF();
    EXPECT_EQ(view()->width(), 640);
    EXPECT_EQ(view()->height(), 480);
    EXPECT_EQ(state().windowWidth, static_cast<int>(640 * ratio));
    EXPECT_EQ(state().windowHeight, static_cast<int>(480 * ratio));
    EXPECT_TRUE(view()->format().profile() == QSurfaceFormat::CompatibilityProfile ||
                view()->format().majorVersion() < 3);
    EXPECT_GE(view()->format().depthBufferSize(), 16);

    window()->resize(500, 300);
    ASSERT_TRUE(waitFor(
        [this] { return state().windowHeight == static_cast<int>(300 * view()->devicePixelRatioF()); }));
    EXPECT_EQ(state().windowWidth, static_cast<int>(500 * view()->devicePixelRatioF()));
}

TEST_F(RunningEditor, DefaultDocumentShowsTheWhiteGridOnBlack) {
    EXPECT_EQ(editor.model().Name, "Untitled");
    EXPECT_EQ(state().selectedNode, 0);
    const QImage frame = view()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(frame.width(), state().windowWidth);
    ASSERT_EQ(frame.height(), state().windowHeight);

    // Around the centre (the origin, where the grid lies) the lines are white and the
    // space between them black; nothing else is coloured.
    int white = 0, black = 0, other = 0;
    const int cx = frame.width() / 2, cy = frame.height() / 2;
    for (int y = cy - 60; y < cy + 60; ++y)
        for (int x = cx - 60; x < cx + 60; ++x) {
            const QRgb p = frame.pixel(x, y);
            if (qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200)
                ++white;
            else if (qRed(p) < 40 && qGreen(p) < 40 && qBlue(p) < 40)
                ++black;
            else
                ++other;
        }
    EXPECT_GT(white, 200);
    EXPECT_GT(black, 120 * 120 / 2);
    EXPECT_LT(other, white);
    // The grid spans only -50..50 around the origin: the corners stay black.
    EXPECT_EQ(frame.pixel(2, 2) & 0xFFFFFF, 0u);
    EXPECT_EQ(frame.pixel(frame.width() - 3, frame.height() - 3) & 0xFFFFFF, 0u);
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
    QTest::qWait(50);
    EXPECT_EQ(state().currentTime, 1000);

    sendKey(QEvent::KeyPress, Qt::Key_Left);
    ASSERT_TRUE(waitFor([this] { return state().currentTime == 0; }));
    QTest::qWait(100);
    EXPECT_EQ(state().currentTime, 0);
    sendKey(QEvent::KeyRelease, Qt::Key_Left);
}

TEST_F(RunningEditor, GrabbingAFrameDoesNotAdvanceTheAnimation) {
    state().editMode = EditMode::Animation;
    QTest::qWait(50);
    sendKey(QEvent::KeyPress, Qt::Key_Right);
    ASSERT_TRUE(waitFor([this] { return state().currentTime > 0; }));
    // Time passes with no event handled; only a repaint could move the animation now.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const int before = state().currentTime;
    view()->grabFramebuffer();
    EXPECT_EQ(state().currentTime, before);
    sendKey(QEvent::KeyRelease, Qt::Key_Right);
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

TEST_F(RunningEditor, EscapeHeldDuringAPassEndsWithStatusZero) {
    sendKey(QEvent::KeyPress, Qt::Key_Escape);
    ASSERT_TRUE(waitFor([this] { return exitCode.has_value(); }));
    EXPECT_EQ(*exitCode, 0);
    EXPECT_FALSE(editor.loop().running());
    // A pass that sees Escape draws nothing more.
    const int framesAtStop = frames;
    QTest::qWait(100);
    EXPECT_LE(frames, framesAtStop + 1);
}

TEST_F(RunningEditor, ClosingTheWindowEndsWithStatusZero) {
    window()->close();
    ASSERT_TRUE(waitFor([this] { return exitCode.has_value(); }));
    EXPECT_EQ(*exitCode, 0);
    // The window stays until it is torn down.
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
    window.killGLWindow();
    EXPECT_EQ(host.messages.size(), 1u);
}

}  // namespace
}  // namespace tess

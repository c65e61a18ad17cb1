#include "ui/animation_bar.h"

#include <gtest/gtest.h>

#include <QtGui/QAction>
#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include "ui/editor_app.h"
#include "ui/main_window.h"

namespace tess {
namespace {

// A bar 603 pixels wide: its timeline runs from x 200 to 600 (400 pixels) over 0-1000 ms.
class AnimationBarAtWork : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.start());
        window()->setClientSize(603, 300);
        ASSERT_TRUE(QTest::qWaitFor([this] { return bar()->width() == 603; }));
    }
    MainWindow* window() { return app.glWindow().mainWindow(); }
    AnimationBar* bar() { return window()->animationBar(); }
    void click(int x, int y) { QTest::mouseClick(bar(), Qt::LeftButton, {}, QPoint(x, y)); }
    QColor pixel(int x, int y) { return bar()->grab().toImage().pixelColor(x, y); }
    QString text(const QWidget* parent, const char* name) {
        const auto* edit = parent->findChild<QLineEdit*>(name);
        return edit != nullptr ? edit->text() : parent->findChild<QLabel*>(name)->text();
    }

    EditorApp app;
    AppState& state = app.state();
};

TEST_F(AnimationBarAtWork, ClicksSetTheTimeOnTheTimelineAndOnlyToggleSwitchesLeftOfIt) {
    click(300, 20);
    EXPECT_EQ(std::tuple(state.currentTime, text(bar(), "1002"), text(window(), "time")),
              std::tuple(250, QString("250"), QString("Time 250")));
    const std::tuple<int, QColor, QColor> switches[] = {{9, QColor(255, 0, 0), QColor(100, 24, 24)},
                                                        {20, QColor(0, 255, 0), QColor(24, 100, 24)},
                                                        {31, QColor(0, 0, 255), QColor(24, 24, 100)}};
    for (const auto& [y, on, off] : switches) {
        EXPECT_EQ(pixel(191, y), on) << y;
        click(191, y - 4);
        EXPECT_EQ(pixel(191, y), off) << y;
    }
    EXPECT_EQ(std::tuple(state.currentTime, state.keyRotation, state.keyTranslation, state.keyScaling),
              std::tuple(250, false, false, false));
    state.rangeStart = state.rangeEnd = 700;  // a zero-length range: the timeline stands for its start
    click(191, 5);
    EXPECT_EQ(std::pair(state.currentTime, state.keyRotation), std::pair(250, true));
    click(450, 20);
    EXPECT_EQ(state.currentTime, 700);
}

TEST_F(AnimationBarAtWork, PaintsTheSelectedBonesKeysAndTheTimeLineAndRunsTheButtonsHandlers) {
    Node& root = app.document().model.Bones.at(0).node;
    root.Rotation.keys = {{500, {0, 0, 0, 1}, {}, {}}, {1005, {0, 0, 0, 1}, {}, {}}};
    root.Translation.keys = {{1000, {}, {}, {}}};
    click(300, 20);
    const QImage image = bar()->grab().toImage();
    EXPECT_EQ(image.pixelColor(400, 8), QColor(255, 100, 100));
    EXPECT_EQ(image.pixelColor(598, 18), QColor(100, 255, 100));
    EXPECT_EQ(image.pixelColor(598, 8), Qt::white);  // nothing for the key past the range
    EXPECT_EQ(image.pixelColor(300, 30), Qt::black);
    EXPECT_EQ(image.pixelColor(301, 30), Qt::white);
    EXPECT_EQ(std::pair(image.pixelColor(599, 30), image.pixelColor(600, 30)),  // the outline's last column
              std::pair(QColor(Qt::black), bar()->palette().window().color()));
    for (QAction* action : window()->findChildren<QAction*>())
        if (action->data().toInt() == command::kAnimationMode) action->trigger();
    EXPECT_EQ(text(window(), "mode"), "Animation");

    int visibilityRuns = 0;
    bar()->setVisibilityHandler([&] { ++visibilityRuns; });
    bar()->setRangeHandler([this] { state.currentTime = 77; });
    bar()->findChild<QPushButton*>("1010")->click();
    bar()->findChild<QPushButton*>("1003")->click();
    EXPECT_EQ(std::pair(visibilityRuns, text(bar(), "1002")), std::pair(1, QString("77")));
}

}  // namespace
}  // namespace tess

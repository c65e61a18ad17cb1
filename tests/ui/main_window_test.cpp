#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QtCore/QMimeData>
#include <QtGui/QAction>
#include <QtGui/QDropEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include "common/fake_host.h"
#include "common/temp_dir.h"
#include "ui/editor_app.h"

namespace tess {
namespace {

// A bar 603 pixels wide: its timeline runs from x 200 to 600 (400 pixels) over 0-1000 ms.
TEST(AnimationBarAtWork, ClicksSetTheTimeOrToggleSwitchesAndThePaintShowsSwitchesKeysAndTime) {
    EditorApp app;
    ASSERT_TRUE(app.start());
    AppState& state = app.state();
    MainWindow* window = app.glWindow().mainWindow();
    AnimationBar* bar = window->animationBar();
    window->setClientSize(603, 300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->width() == 603; }));
    const auto click = [&](int x, int y) { QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(x, y)); };
    const auto label = [&](const char* name) { return window->findChild<QLabel*>(name)->text(); };
    Node& root = app.document().model.Bones.at(0).node;
    root.Rotation.keys = {{500, {0, 0, 0, 1}, {}, {}}, {1005, {0, 0, 0, 1}, {}, {}}};
    root.Translation.keys = {{1000, {}, {}, {}}};

    click(300, 20);
    EXPECT_EQ(std::tuple(state.currentTime, bar->findChild<QLineEdit*>("1002")->text(), label("time")),
              std::tuple(250, QString("250"), QString("Time 250")));
    const std::pair<QPoint, QColor> painted[] = {
        {{191, 9}, {255, 0, 0}},     {{191, 20}, {0, 255, 0}},
        {{191, 31}, {0, 0, 255}},                                   // switches on
        {{400, 8}, {255, 100, 100}}, {{598, 18}, {100, 255, 100}},  // key marks, clipped at the right
        {{598, 8}, Qt::white},                                      // none for the key past the range
        {{300, 30}, Qt::black},      {{301, 30}, Qt::white},        // the time line
        {{599, 30}, Qt::black},      {{600, 30}, bar->palette().window().color()}};  // the outline's end
    const QImage image = bar->grab().toImage();
    for (const auto& [point, colour] : painted)
        EXPECT_EQ(image.pixelColor(point), colour) << point.x() << "," << point.y();
    for (const auto& [y, off] :
         {std::pair(9, QColor(100, 24, 24)), {20, QColor(24, 100, 24)}, {31, QColor(24, 24, 100)}}) {
        click(191, y - 4);
        EXPECT_EQ(bar->grab().toImage().pixelColor(191, y), off) << y;
    }
    click(191, 5);
    EXPECT_EQ(std::pair(state.currentTime, state.keyRotation), std::pair(250, true));

    for (QAction* action : window->findChildren<QAction*>())
        if (action->data().toInt() == command::kAnimationMode) action->trigger();
    EXPECT_EQ(label("mode"), "Animation");
    bar->setRangeHandler([&] { state.currentTime = 77; });  // the bar shows what the handler leaves
    bar->findChild<QPushButton*>("1003")->click();
    EXPECT_EQ(bar->findChild<QLineEdit*>("1002")->text(), "77");
}

// Only one .mdx or .mdl file is taken; its drop asks about the unsaved changes first, and
// Cancel there keeps the document.
TEST(FileDrop, OpensOneModelFileAfterTheUnsavedChangesQuestionAndRefusesOtherDrops) {
    testing::TempDir folder;
    Document document;
    AppState state;
    testing::FakeHost host;
    GlWindow viewport(document, state, host);  // without a view: it loads no textures
    MainWindow window(viewport.editor());
    buildDefaultDocument(document.model);
    document.model.Name = "Dropped";
    ASSERT_TRUE(saveModelFile(viewport.editor(), folder.file("a.MDL")));
    document.model.Name = "Changed";
    document.history.markUnsaved();
    host.saveReplies = {SaveChoice::Cancel, SaveChoice::Discard};
    // A drag of `files` entering the window and dropped on it; returns whether it was taken.
    const auto drop = [&](std::initializer_list<const char*> files) {
        QMimeData data;
        QList<QUrl> urls;
        for (const char* file : files) urls += QUrl::fromLocalFile(QString::fromStdString(folder.file(file)));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent dropped(QPointF(50, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        QApplication::sendEvent(&window, &dropped);
        QCoreApplication::processEvents();
        return enter.isAccepted();
    };
    EXPECT_FALSE(drop({"a.txt"}));
    EXPECT_FALSE(drop({"a.MDL", "b.mdx"}));
    EXPECT_TRUE(drop({"a.MDL"}));
    EXPECT_EQ(std::pair(host.questions.size(), document.model.Name),
              std::pair(std::size_t{1}, std::string("Changed")));
    drop({"a.MDL"});
    EXPECT_EQ(std::tuple(host.questions.size(), document.model.Name, state.currentFileName),
              std::tuple(std::size_t{2}, std::string("Dropped"), folder.file("a.MDL")));
}

}  // namespace
}  // namespace tess

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

#include "common/temp_dir.h"
#include "ui/animation_bar.h"
#include "ui/editor_app.h"
#include "ui/main_window.h"

namespace tess {
namespace {

template <typename T = QPushButton>
T* child(const QDialog& dialog, int id) {
    return dialog.findChild<T*>(QString::number(id));
}

void click(QWidget* widget, QPoint at = {}) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
}

// Runs `act` on the next modal dialog once it is active, as a person working in it would.
void onNextDialog(std::function<void(QDialog&)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        timer->deleteLater();
        timer->stop();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        act(*dialog);
    });
    timer->start(10);
}

void trigger(EditorApp& app, int id) {
    for (QAction* action : app.glWindow().mainWindow()->findChildren<QAction*>())
        if (action->data().toInt() == id) action->trigger();
}

TEST(Dialogs, SequencesRangeVisibilityAndPrimitivesAsAPersonUsesThem) {
    EditorApp app;
    ASSERT_TRUE(app.start());
    Document& document = app.document();
    onNextDialog([](QDialog& d) {
        QListWidget* list = child<QListWidget>(d, 1014);
        QLineEdit* name = child<QLineEdit>(d, 1018);
        click(child(d, 1013));  // Add
        EXPECT_EQ(std::tuple(list->currentRow(), name->text(), child<QLineEdit>(d, 1016)->text()),
                  std::tuple(1, QString("Untitled 1"), QString("2000")));
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Run"));
        const QPoint line1 =
            list->visualItemRect(list->item(1)).center();  // Ctrl+click unselects it, yet it stays
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, line1);
        EXPECT_EQ(std::pair(list->item(1)->isSelected(), list->item(1)->text()),
                  std::pair(true, QString("Run")));
        click(child(d, 1015));  // Delete twice
        click(child(d, 1015));
        EXPECT_EQ(std::pair(list->count(), name->isEnabled()), std::pair(0, false));
        click(child(d, 1));
    });
    trigger(app, command::kSequences);
    EXPECT_EQ(std::pair(document.model.Sequences.size(), document.history.undoLabel()),
              std::pair(std::size_t{0}, std::string("Sequences")));

    document.model.Sequences = {{"Stand", 0, 1000}, {"Walk", 1000, 2500}};
    app.state().currentTime = 500;
    onNextDialog([](QDialog& d) {
        QLineEdit* end = child<QLineEdit>(d, 1006);
        QTest::keyClick(child<QComboBox>(d, 1293), Qt::Key_Down);  // from Stand, shown at first, to Walk
        EXPECT_EQ(end->text(), "2500");
        QTest::keyClicks(end, QStringLiteral("0"));
        click(child(d, 1));
    });
    click(app.glWindow().mainWindow()->animationBar()->findChild<QPushButton*>("1003"));
    EXPECT_EQ(std::tuple(app.state().rangeStart, app.state().rangeEnd, app.state().currentTime),
              std::tuple(1000, 25000, 1000));

    // Each primitive item: Cancel adds nothing, OK its geoset, and the saved file holds them.
    using namespace command;
    for (const int id : {kPlane, kBox, kGeosphere, kCylinder, kTube, kSphere})
        for (const int button : {2, 1}) {
            onNextDialog([button](QDialog& d) { click(child(d, button)); });
            trigger(app, id);
        }
    testing::TempDir folder;
    ASSERT_TRUE(saveModelFile(app.editor(), folder.file("shapes.mdx")));
    ASSERT_TRUE(openModelFile(app.editor(), folder.file("shapes.mdx")));
    std::vector<std::size_t> saved;
    for (const Geoset& geoset : document.model.Geosets) saved.push_back(geoset.triangleCount());
    EXPECT_EQ(saved, (std::vector<std::size_t>{2, 12, 80, 24, 48, 36}));

    // Visibility shows the flags; OK takes the clicked ones, Cancel keeps them; the selection stays.
    document.selection.geosets[0].vertices[1] = 1;
    const Selection before = document.selection;
    for (const int button : {1, 2}) {
        onNextDialog([button](QDialog& d) {
            QListWidget* list = child<QListWidget>(d, 1011);
            const QListWidgetItem* last = list->item(5);
            EXPECT_EQ(std::tuple(list->item(0)->isSelected(), last->isSelected(), last->text()),
                      std::tuple(button == 1, true, QString("Geoset 6")));
            click(list->viewport(), list->visualItemRect(list->item(0)).center());
            click(child(d, button));
        });
        click(app.glWindow().mainWindow()->animationBar()->findChild<QPushButton*>("1010"));
    }
    EXPECT_EQ(std::pair(document.selection.shown, document.selection.geosets),
              std::pair(std::vector<std::uint8_t>{0, 1, 1, 1, 1, 1}, before.geosets));
}

}  // namespace
}  // namespace tess

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <sstream>

#include "common/temp_dir.h"
#include "editor/dialog_commands.h"
#include "mdx/mdx_reader.h"
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

TEST(Dialogs, SequencesRangeAndVisibilityAsAPersonUsesThem) {
    EditorApp app;
    ASSERT_TRUE(app.start());
    Document& document = app.document();
    onNextDialog([](QDialog& d) {
        QListWidget* list = child<QListWidget>(d, 1014);
        QLineEdit* name = child<QLineEdit>(d, 1018);
        click(child(d, 1013));  // Add
        EXPECT_EQ(
            std::tuple(d.windowTitle(), list->currentRow(), name->text(), child<QLineEdit>(d, 1016)->text()),
            std::tuple(QString("Sequences"), 1, QString("Untitled 1"), QString("2000")));
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Run"));
        click(list->viewport(), QPoint(5, list->viewport()->height() - 5));  // empty space: line 1 stays
        EXPECT_EQ(std::pair(list->currentRow(), list->item(1)->text()), std::pair(1, QString("Run")));
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
        QComboBox* sequences = child<QComboBox>(d, 1293);
        EXPECT_EQ(std::pair(d.windowTitle(), sequences->currentIndex()),
                  std::pair(QString("Animation Range"), 0));
        sequences->setFocus();
        QTest::keyClick(sequences, Qt::Key_Down);
        EXPECT_EQ(child<QLineEdit>(d, 1006)->text(), "2500");
        click(child(d, 1));
    });
    editAnimationRange(app.editor());
    EXPECT_EQ(std::tuple(app.state().rangeStart, app.state().rangeEnd, app.state().currentTime),
              std::tuple(1000, 2500, 1000));

    document.model.Geosets.resize(2);
    prepareDocument(document, app.state(), app.editor().host);
    onNextDialog([](QDialog& d) {
        QListWidget* list = child<QListWidget>(d, 1011);
        click(list->viewport(), list->visualItemRect(list->item(0)).center());
        click(child(d, 1));
    });
    editVisibility(app.editor());
    EXPECT_EQ(document.selection.shown, (std::vector<std::uint8_t>{0, 1}));
}

TEST(Dialogs, EachPrimitiveItemOpensItsDialogOkAddsItsGeosetCancelNothingAndTheFileHoldsThem) {
    EditorApp app;
    ASSERT_TRUE(app.start());
    using namespace command;
    const std::pair<int, const char*> shapes[] = {{kPlane, "Plane"},         {kBox, "Box"},
                                                  {kGeosphere, "Geosphere"}, {kCylinder, "Cylinder"},
                                                  {kTube, "Tube"},           {kSphere, "Sphere"}};
    for (const auto& [id, shape] : shapes) {
        for (const int button : {2, 1}) {
            onNextDialog([shape, button](QDialog& d) {
                EXPECT_EQ(d.windowTitle(), QString(shape) + " creation");
                click(child(d, button));
            });
            trigger(app, id);
        }
    }
    const std::vector<std::size_t> triangles = {2, 12, 80, 24, 48, 36};
    testing::TempDir folder;
    ASSERT_TRUE(saveModelFile(app.editor(), folder.file("shapes.mdx")));
    Model saved;
    std::ostringstream trace;
    readMdx(saved, testing::readBytes(folder.file("shapes.mdx")), trace);
    ASSERT_EQ(saved.Geosets.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(saved.Geosets[i].triangleCount(), triangles[i]);
}

}  // namespace
}  // namespace tess

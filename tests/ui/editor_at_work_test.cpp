#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenuBar>
#include <cmath>

#include "common/temp_dir.h"
#include "ui/editor_app.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"

namespace tess {
namespace {

using Flags = std::vector<std::uint8_t>;

// "title: item=id item=id sub[item=id]" for a menu and its submenus.
QString describe(const QMenu* menu) {
    QString text = menu->title() + ":";
    for (const QAction* action : menu->actions())
        text += action->menu() ? " " + describe(action->menu()).replace(": ", "[") + "]"
                               : QStringLiteral(" %1=%2").arg(action->text()).arg(action->data().toInt());
    return text;
}

// The running editor: a large triangle (vertices 0-2) and loose vertices V (3) and W (4) seen at one
// device pixel per unit; at yaw 270 Y points right, Z up, and V is 1/4 pixel right of and below the centre.
class EditorAtWork : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.start());
        QObject::connect(view(), &GlView::frameSwapped, view(), [this] { ++frames; });
        app.loop().start(*view());
        ASSERT_EQ(ratio(), qEnvironmentVariable("QT_SCALE_FACTOR") == "2" ? 2.0 : 1.0);
        Geoset& geoset = app.document().model.Geosets.emplace_back();
        geoset.resizeVertices(5);
        geoset.positions = {
            {0, -100, -100}, {0, 100, -100}, {0, 0, 100}, {0, .25f, -.25f}, {0, 40.25f, 20.25f}};
        geoset.corners = {0, 1, 2};
        geoset.matrixGroups = {{0}};
        prepareDocument(app.document(), state, app.editor().host);
        look(270);
    }
    GlView* view() { return app.glWindow().view(); }
    MainWindow* window() { return app.glWindow().mainWindow(); }
    double ratio() { return view()->devicePixelRatioF(); }
    void look(float yaw) {
        state.view.viewType = ViewType::Front;
        state.view.cameraPitch = 0;
        state.view.cameraYaw = yaw;
        state.view.cameraDistance = static_cast<float>(state.view.windowWidth) / 2;
        app.glWindow().projectionChanged();
        const int from = frames;
        ASSERT_TRUE(QTest::qWaitFor([&] { return frames >= from + 2; }));
    }
    Vec3 screen(std::size_t vertex) { return app.document().screenPositions.at(0).at(vertex); }
    QPoint at(double deviceX, double deviceY) { return (QPointF(deviceX, deviceY) / ratio()).toPoint(); }
    // The left button as the window system delivers it (so the modifiers are tracked).
    void mouse(QTest::MouseAction action, QPoint point, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseEvent(action, window()->windowHandle(),
                          action == QTest::MouseMove ? Qt::NoButton : Qt::LeftButton, modifiers,
                          view()->mapTo(window(), point));
    }
    // A left-button drag; returns the drag state the press started.
    DragState drag(QPoint from, QPoint to) {
        mouse(QTest::MouseMove, from);
        mouse(QTest::MousePress, from);
        const DragState started = state.view.dragState;
        mouse(QTest::MouseMove, to);
        mouse(QTest::MouseRelease, to);
        return started;
    }
    Flags& vertexFlags() { return app.document().selection.geosets.at(0).vertices; }
    // Triggers item `id`, typing `path` into its file dialog; a message box is closed.
    void trigger(int id, const std::string& path) {
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(path));
                static_cast<QDialog*>(dialog)->accept();
            } else if (QApplication::activeModalWidget() != nullptr) {
                QApplication::activeModalWidget()->close();
            }
        });
        answer.start(20);
        for (QAction* action : window()->findChildren<QAction*>())
            if (action->data().toInt() == id) action->trigger();
    }

    EditorApp app;
    AppState& state = app.state();
    int frames = 0;
};

TEST_F(EditorAtWork, MenuBarHoldsEveryItemAndTheModeMenuFollowsF1ToF3ButNotF4) {
    const QString vertex = " Weld=40055 Divide=40054 Delete=40053 Create Triangle=40052";
    const QString animation =
        " Copy Keyframe=40060 Paste Keyframe=40061 Zero Keyframe=40062 Delete Keyframe=40063";
    const QString expected[] = {
        "&File: &Open...=40003 &Save=40004 Save As...=40005 E&xit=40001",
        "&Edit: &Undo=40070 &Redo=40071",
        "M&odel: Sequences=40002",
        "&View: Viewport[Perspective=40037 Left=40038 Right=40039 Front=40040 Back=40041 Top=40042 "
        "Bottom=40043] &UV Editor=40044 &Overlay=40006 &Frame Selection=40072",
        "&Mode: &Vertex=40034 &Triangle=40035 &Animation=40036",
        "Create: Primitive[Plane=40007 Box=40008 Geosphere=40009 Cylinder=40031 Tube=40032 Sphere=40033]",
        "Vertex:" + vertex};
    const auto menus = [this] { return window()->menuBar()->actions(); };
    ASSERT_EQ(menus().size(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(describe(menus()[i]->menu()).toStdString(), expected[i].toStdString());
    const std::pair<Qt::Key, QString> switches[] = {
        {Qt::Key_F2, "&Triangle: Weld=40058 Delete=40056 Turn Edge=40057 Flip=40059"},
        {Qt::Key_F1, "&Vertex:" + vertex},
        {Qt::Key_F3, "&Animation:" + animation},
        {Qt::Key_F4, "&Animation:" + animation}};
    for (const auto& [qtKey, menu] : switches) {
        QTest::keyClick(window(), qtKey);
        EXPECT_EQ(describe(menus()[6]->menu()).toStdString(), menu.toStdString());
    }
}

TEST_F(EditorAtWork, FileDialogsSaveAndOpenTheTypedFile) {
    testing::TempDir folder;
    app.document().model.Name = "Saved";
    trigger(command::kSaveAs, folder.file("a.MDX"));
    app.document().model.Name = "Other";
    trigger(command::kOpen, folder.file("a.MDX"));
    EXPECT_EQ(std::pair(app.document().model.Name, state.currentFileName),
              std::pair(std::string("Saved"), folder.file("a.MDX")));
}

TEST_F(EditorAtWork, ClicksSelectTheVertexUnderThemCtrlAddsAltRemovesRectanglesSelectWhatIsInside) {
    const Vec3 v = screen(3), w = screen(4);
    const double cx = v[0] - 0.25, cy = v[1] - 0.25;  // whole device pixels, multiples of the ratio
    const double near = ratio() > 1 ? 2 : 3;          // a click at 2 or 3 device pixels
    const std::pair<QPoint, std::uint8_t> clicks[] = {
        {at(cx - 4, cy), 0}, {at(cx - near, cy), 1}, {at(cx, cy - 4), 0}, {at(cx, cy - near), 1}};
    for (const auto& [click, selected] : clicks) {
        vertexFlags()[4] = 1;
        mouse(QTest::MouseClick, click);
        EXPECT_EQ(vertexFlags(), (Flags{0, 0, 0, selected, 0})) << click.x() << "," << click.y();
    }
    QTest::keyPress(window(), Qt::Key_Control);
    mouse(QTest::MouseClick, at(w[0], w[1]));
    QTest::keyRelease(window(), Qt::Key_Control);
    EXPECT_EQ(vertexFlags(), (Flags{0, 0, 0, 1, 1}));
    mouse(QTest::MouseClick, at(cx, cy), Qt::AltModifier);
    EXPECT_EQ(vertexFlags(), (Flags{0, 0, 0, 0, 1}));
    EXPECT_EQ(drag(at(cx - 10, cy - 10), at(cx + 10, cy + 10)), DragState::Rectangle);
    EXPECT_EQ(vertexFlags(), (Flags{0, 0, 0, 1, 0}));
    QTest::keyClick(window(), Qt::Key_F2);
    Flags& triangles = app.document().selection.geosets[0].triangles;
    triangles[0] = 1;
    mouse(QTest::MouseClick, at(cx, cy - 150));  // above the triangle's tip
    EXPECT_EQ(triangles, Flags{0});
    drag(at(cx - 20, cy - 20), at(cx + 20, cy + 10));  // wholly inside the triangle
    EXPECT_EQ(triangles, Flags{1});
    EXPECT_EQ(vertexFlags(), (Flags{1, 1, 1, 0, 0}));
    const QLabel* status = window()->findChild<QLabel*>("selection");
    EXPECT_EQ(status->text(), "Selected vertices: 3, triangles: 1 (all geosets: 3, 1)");
    app.document().selection.shown[0] = 0;  // hidden geosets count in "all" only
    window()->refreshStatus();
    EXPECT_EQ(status->text(), "Selected vertices: 0, triangles: 0 (all geosets: 3, 1)");
}

TEST_F(EditorAtWork, TheNearerConeIsGrabbedItsDragMovesTheSelectionOrKeysTheBoneAtTheCurrentTime) {
    vertexFlags()[3] = 1;
    QTest::keyClick(window(), Qt::Key_2);        // the move tool
    look(135);                                   // the X and Y cones on one line of sight, Y's nearer
    const Vec2 axisY = state.gizmo.axisScreenY;  // (-15 / sqrt 2, 0)
    const QPoint grab = at(screen(3)[0] + 1.2 * axisY[0], screen(3)[1]);
    EXPECT_EQ(drag(grab, grab + at(-30, 0)), DragState::MoveY);
    const std::vector<Vec3>& positions = app.document().model.Geosets[0].positions;
    EXPECT_NEAR(positions[3][1], 0.25 + 30 / std::abs(axisY[0]) * 15, 0.01);
    EXPECT_EQ(positions[4][1], 40.25f);

    QTest::keyClick(window(), Qt::Key_F3);
    QTest::keyClick(window(), Qt::Key_1);
    setCurrentTime(app.document(), state, app.editor().host, 250);
    look(270);
    const QPoint cone = at(state.view.windowWidth / 2.0 + 18, state.view.windowHeight / 2.0);  // Y
    EXPECT_EQ(drag(cone, cone + at(20, 0)), DragState::RotateY);
    const auto& keys = app.document().model.Bones.at(0).node.Rotation.keys;
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].time, 250);
    EXPECT_NEAR(keys[0].value[1], std::sin(0.5), 1e-4);  // one radian about Y
    EXPECT_NEAR(keys[0].value[3], std::cos(0.5), 1e-4);
}

}  // namespace
}  // namespace tess

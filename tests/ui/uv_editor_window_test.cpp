#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QMenuBar>
#include <cmath>

#include "editor/mesh_selection.h"
#include "editor/uv_input.h"
#include "mdx/mdx_writer.h"
#include "ui/editor_app.h"
#include "ui/main_window.h"
#include "ui/uv_canvas.h"

namespace tess {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The editor with a triangle whose texture points are (0.2, 0.2), (0.6, 0.2), (0.2, 0.6) and a loose
// vertex at (0.8, 0.8), shown by the View menu in a UV editor of 200 x 200 client pixels.
class UvEditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.start());
        Geoset& geoset = app.document().model.Geosets.emplace_back();
        geoset.resizeVertices(4);
        geoset.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
        geoset.uvSets = {{{0.2f, 0.2f}, {0.6f, 0.2f}, {0.2f, 0.6f}, {0.8f, 0.8f}}};
        geoset.corners = {0, 1, 2};
        geoset.matrixGroups = {{0}};
        prepareDocument(app.document(), app.state(), app.editor().host);
        trigger(app.glWindow().mainWindow(), command::kUvEditor);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(uv()));
        const QSize grow = QSize(200, 200) - uv()->canvas()->size();
        uv()->resize(uv()->size() + grow);
        ASSERT_TRUE(QTest::qWaitFor(
            [this] { return uv()->state().clientWidth == 200 && uv()->state().clientHeight == 200; }));
    }
    UvEditorWindow* uv() { return app.uvEditor(); }
    static void trigger(QWidget* window, int id) {
        for (QAction* action : window->findChildren<QAction*>())
            if (action->data().toInt() == id && action->menu() == nullptr) action->trigger();
    }
    // A drag in the canvas, through the window system, in `steps` moves.
    void drag(Qt::MouseButton button, QPoint from, QPoint to, int steps = 1) {
        const auto send = [&](QTest::MouseAction action, QPoint at) {
            QTest::mouseEvent(action, uv()->windowHandle(),
                              action == QTest::MouseMove ? Qt::NoButton : button, {},
                              uv()->canvas()->mapTo(uv(), at));
        };
        send(QTest::MouseMove, from);
        send(QTest::MousePress, from);
        for (int i = 1; i <= steps; ++i) send(QTest::MouseMove, from + (to - from) * i / steps);
        send(QTest::MouseRelease, to);
    }
    const std::vector<Vec2>& uvs() { return app.document().model.Geosets[0].uvSets[0]; }
    bool uvsNear(const std::vector<Vec2>& expected) {
        for (std::size_t v = 0; v < expected.size(); ++v)
            if (std::abs(uvs()[v][0] - expected[v][0]) > 1e-6f ||
                std::abs(uvs()[v][1] - expected[v][1]) > 1e-6f)
                return false;
        return uvs().size() == expected.size();
    }
    const std::vector<std::uint8_t>& flags() { return app.document().selection.geosets[0].uvs; }
    Bytes bytes() {
        Bytes out;
        writeMdx(app.document().model, out);
        return out;
    }

    EditorApp app;
};

TEST_F(UvEditorWindowTest, ShownByTheMenuHiddenByCloseWithItsMenusAndToolChecks) {
    EXPECT_EQ(uv()->windowTitle(), "UV Editor");
    QStringList menus;
    for (const QAction* popup : uv()->menuBar()->actions()) {
        menus += popup->text() + ":";
        for (const QAction* item : popup->menu()->actions())
            menus.back() += QStringLiteral(" %1=%2%3")
                                .arg(item->text())
                                .arg(item->data().toInt())
                                .arg(item->isChecked() ? "v" : "");
    }
    EXPECT_EQ(menus.join('|').toStdString(),
              "&Tool: &Move=40045v &Rotate=40046 &Scale=40047|&Action: Next Texture=40064|"
              "&Edit: Re&map=40050 &Mirror X=40048 &Mirror Y=40049 &Expand Selection=40051");
    QTest::keyClick(uv(), Qt::Key_3);
    EXPECT_EQ(uv()->menuBar()->actions()[0]->menu()->actions()[2]->isChecked(), true);
    EXPECT_EQ(uv()->menuBar()->actions()[0]->menu()->actions()[0]->isChecked(), false);
    uv()->close();
    ASSERT_TRUE(uv() != nullptr);
    EXPECT_FALSE(uv()->isVisible());
    trigger(app.glWindow().mainWindow(), command::kUvEditor);
    EXPECT_TRUE(uv()->isVisible());
}

// The band (one row below the cursor) holds vertices 0 and 1; Mirror X turns them about u = 0.4.
// Remap gives the selected triangle the square around its screen box (x 10-50, y 10-30).
TEST_F(UvEditorWindowTest, RubberBandMirrorAndRemapThroughTheEditMenu) {
    drag(Qt::LeftButton, {130, 60}, {30, 30});
    EXPECT_EQ(flags(), (std::vector<std::uint8_t>{1, 1, 0, 0}));
    trigger(uv(), kUvCommandMirrorX);
    EXPECT_TRUE(uvsNear({{0.6f, 0.2f}, {0.2f, 0.2f}, {0.2f, 0.6f}, {0.8f, 0.8f}}));
    app.document().selection.geosets[0].triangles = {1};
    selectVerticesOfSelectedFaces(app.document().model, app.document().selection);
    app.document().screenPositions[0] = {{10, 10, 0}, {50, 10, 0}, {10, 30, 0}, {90, 90, 0}};
    trigger(uv(), kUvCommandRemap);
    EXPECT_TRUE(uvsNear({{0, 0.25f}, {1, 0.25f}, {0, 0.75f}, {0.8f, 0.8f}}));
    EXPECT_EQ(flags(), (std::vector<std::uint8_t>{1, 1, 1, 0}));
}

// A move drag of ten steps is one step: Ctrl+Z in the UV editor gives back the file's bytes, Ctrl+Y the edit.
TEST_F(UvEditorWindowTest, AUvDragIsOneStepThatCtrlZAndCtrlYWalk) {
    const Bytes original = bytes();
    drag(Qt::LeftButton, {0, 0}, {199, 199});
    drag(Qt::RightButton, {100, 100}, {120, 140}, 10);
    const Bytes moved = bytes();
    ASSERT_NE(moved, original);
    EXPECT_NEAR(uvs()[3][0], 0.9f, 1e-6f);
    const std::pair<Qt::KeyboardModifiers, const Bytes*> steps[] = {
        {Qt::ControlModifier, &original},
        {Qt::ControlModifier | Qt::ShiftModifier, &moved},
        {Qt::ControlModifier, &original}};
    for (const auto& [modifiers, expected] : steps) {
        QTest::keyClick(uv(), Qt::Key_Z, modifiers);
        EXPECT_EQ(bytes(), *expected);
    }
    QTest::keyClick(uv(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(bytes(), moved);
}

}  // namespace
}  // namespace tess

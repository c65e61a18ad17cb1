#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QMenuBar>

#include "editor/mesh_selection.h"
#include "editor/uv_input.h"
#include "mdx/mdx_writer.h"
#include "ui/editor_app.h"
#include "ui/main_window.h"
#include "ui/uv_canvas.h"

namespace tess {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The editor with a triangle whose texture points are (1/4, 1/4), (3/4, 1/4), (1/4, 3/4) and a loose
// vertex at (7/8, 7/8), shown by the View menu in a UV editor of 200 x 200 client pixels.
class UvEditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.start());
        Geoset& geoset = app.document().model.Geosets.emplace_back();
        geoset.resizeVertices(4);
        geoset.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
        geoset.uvSets = {{{.25f, .25f}, {.75f, .25f}, {.25f, .75f}, {.875f, .875f}}};
        geoset.corners = {0, 1, 2};
        geoset.matrixGroups = {{0}};
        prepareDocument(app.document(), app.state(), app.editor().host);
        trigger(app.glWindow().mainWindow(), command::kUvEditor);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(uv()));
        uv()->resize(uv()->size() + QSize(200, 200) - uv()->canvas()->size());
        ASSERT_TRUE(QTest::qWaitFor(
            [this] { return uv()->state().clientWidth + uv()->state().clientHeight == 400; }));
    }
    UvEditorWindow* uv() { return app.uvEditor(); }
    static void trigger(QWidget* window, int id) {
        for (QAction* action : window->findChildren<QAction*>())
            if (action->data().toInt() == id) action->trigger();
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
    Bytes bytes() {
        Bytes out;
        writeMdx(app.document().model, out);
        return out;
    }
    EditorApp app;
};

TEST_F(UvEditorWindowTest, ShownByTheMenuHiddenByCloseWithItsMenusAndToolChecks) {
    const auto menus = [this] {
        QString text = uv()->windowTitle();
        for (const QAction* popup : uv()->menuBar()->actions()) {
            text += "|" + popup->text() + ":";
            for (const QAction* item : popup->menu()->actions())
                text += QStringLiteral(" %1=%2").arg(item->text()).arg(item->data().toInt()) +
                        (item->isChecked() ? "v" : "");
        }
        return text.toStdString();
    };
    EXPECT_EQ(menus(),
              "UV Editor|&Tool: &Move=40045v &Rotate=40046 &Scale=40047|&Action: Next Texture=40064|"
              "&Edit: Re&map=40050 &Mirror X=40048 &Mirror Y=40049 &Expand Selection=40051");
    QTest::keyClick(uv(), Qt::Key_3);
    EXPECT_EQ(menus().substr(0, 57), "UV Editor|&Tool: &Move=40045 &Rotate=40046 &Scale=40047v|");
    uv()->close();
    EXPECT_TRUE(uv() != nullptr && !uv()->isVisible());
    trigger(app.glWindow().mainWindow(), command::kUvEditor);
    EXPECT_TRUE(uv()->isVisible());
}

// The band (one row below the cursor) holds vertices 0 and 1, drawn red over the grey placeholder; Mirror X
// swaps them; Remap maps the triangle's screen box. A drag of ten moves is one step (else Ctrl+Z would undo
// the remap): Ctrl+Z gives back the file's bytes, Ctrl+Y the edited ones.
TEST_F(UvEditorWindowTest, RubberBandMirrorRemapAndUndoOfADrag) {
    drag(Qt::LeftButton, {160, 70}, {40, 40});
    EXPECT_EQ(app.document().selection.geosets[0].uvs, (std::vector<std::uint8_t>{1, 1, 0, 0}));
    const QImage shot = uv()->canvas()->grab().toImage();
    EXPECT_EQ(std::vector<QRgb>({shot.pixel(48, 48), shot.pixel(48, 148), shot.pixel(10, 190)}),
              (std::vector<QRgb>{0xffff0000, 0xffffffff, 0xffcccccc}));
    trigger(uv(), kUvCommandMirrorX);
    EXPECT_EQ(uvs(), (std::vector<Vec2>{{.75f, .25f}, {.25f, .25f}, {.25f, .75f}, {.875f, .875f}}));
    app.document().selection.geosets[0].triangles = {1};
    selectVerticesOfSelectedFaces(app.document().model, app.document().selection);
    app.document().screenPositions[0] = {{10, 10, 0}, {50, 10, 0}, {10, 30, 0}, {90, 90, 0}};
    trigger(uv(), kUvCommandRemap);
    EXPECT_EQ(uvs(), (std::vector<Vec2>{{0, .25f}, {1, .25f}, {0, .75f}, {.875f, .875f}}));
    const Bytes original = bytes();
    drag(Qt::RightButton, {100, 100}, {120, 140}, 10);
    const Bytes moved = bytes();
    EXPECT_NEAR(uvs()[0][0] + uvs()[0][1], 0.55f, 1e-5f);  // moved by (20, 40) pixels from where it began
    QTest::keyClick(uv(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes(), original);
    QTest::keyClick(uv(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(bytes(), moved);
}

}  // namespace
}  // namespace tess

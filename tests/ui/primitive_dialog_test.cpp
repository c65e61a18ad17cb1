#include "ui/primitive_dialog.h"

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include "editor/primitives.h"

namespace tess {
namespace {

PrimitiveParameters fields(PrimitiveKind kind) {
    PrimitiveParameters p;
    fillPrimitiveParameters(kind, p);
    return p;
}

// X, Y, Z, Height, Radius, Height Segments (1 to 15), Radial Segments (3 to 32), Capped.
PrimitiveParameters cylinder() {
    return fields(PrimitiveKind::Cylinder);
}

template <typename T>
T* control(const QDialog& dialog, int id) {
    T* found = dialog.findChild<T*>(QString::number(id));
    EXPECT_NE(found, nullptr) << "no control " << id;
    return found;
}

// Runs the dialog modally, doing `act` once it is open; returns what run() answered.
int runDoing(PrimitiveDialog& dialog, const std::function<void()>& act) {
    QTimer::singleShot(0, &dialog, act);
    return dialog.run();
}

TEST(PrimitiveDialog, ClientHeightFollowsTheFieldCount) {
    PrimitiveParameters eight = cylinder(), five = fields(PrimitiveKind::Geosphere), one;
    one.addField("Radius", "30", PrimitiveParameters::Decimal, 0, 100);
    EXPECT_EQ(PrimitiveDialog(eight, nullptr).height(), 180);
    EXPECT_EQ(PrimitiveDialog(five, nullptr).height(), 120);
    EXPECT_EQ(PrimitiveDialog(one, nullptr).height(), 80);
}

TEST(PrimitiveDialog, RowsShowLabelsTextsAndBoxes) {
    PrimitiveParameters p = cylinder();
    p.texts[4] = "7";
    PrimitiveDialog dialog(p, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Cylinder creation");

    const QList<QLabel*> labels = dialog.findChildren<QLabel*>(QStringLiteral("40010"));
    ASSERT_EQ(labels.size(), 8);
    EXPECT_EQ(labels[5]->text(), "Height Segments:");
    EXPECT_TRUE(labels[5]->alignment().testFlag(Qt::AlignRight));
    EXPECT_EQ(labels[5]->geometry(), QRect(0, 113, 130, 20));

    // Opening already normalises: decimals get two places.
    EXPECT_EQ(control<QLineEdit>(dialog, 40015)->text(), "7.00");
    EXPECT_EQ(p.texts[4], "7.00");
    EXPECT_EQ(control<QLineEdit>(dialog, 40016)->geometry(), QRect(140, 110, 130, 20));

    QCheckBox* capped = control<QCheckBox>(dialog, 40018);
    ASSERT_NE(capped, nullptr);
    EXPECT_TRUE(capped->isChecked());
    EXPECT_TRUE(capped->text().isEmpty());
    EXPECT_EQ(capped->geometry(), QRect(140, 152, 130, 20));
}

TEST(PrimitiveDialog, LeavingAnEditOrClickingTheBoxNormalisesAndStoresIt) {
    PrimitiveParameters p = cylinder();
    PrimitiveDialog dialog(p, nullptr);
    dialog.show();
    dialog.activateWindow();  // so that focus moves as a user's would
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QLineEdit* segments = control<QLineEdit>(dialog, 40016);
    QLineEdit* height = control<QLineEdit>(dialog, 40014);
    QCheckBox* capped = control<QCheckBox>(dialog, 40018);
    ASSERT_TRUE(segments && height && capped);
    auto leave = [&](QLineEdit* edit, const char* typed) {
        edit->setFocus();
        edit->setText(QString::fromLatin1(typed));
        (edit == segments ? height : segments)->setFocus();
        return edit->text();
    };
    EXPECT_EQ(leave(segments, "-5"), "1");
    EXPECT_EQ(p.texts[5], "1");
    EXPECT_EQ(leave(height, "12.345"), "12.35");
    EXPECT_EQ(p.texts[3], "12.35");
    EXPECT_EQ(leave(segments, "99"), "15");
    EXPECT_EQ(leave(height, "abc"), "0.00");

    QTest::mouseClick(capped, Qt::LeftButton, {}, QPoint(8, capped->height() / 2));
    EXPECT_FALSE(capped->isChecked());
    EXPECT_EQ(p.texts[7], "N");
    QTest::mouseClick(capped, Qt::LeftButton, {}, QPoint(8, capped->height() / 2));
    EXPECT_EQ(p.texts[7], "Y");
}

TEST(PrimitiveDialog, OkNormalisesTheFieldStillBeingTypedIn) {
    PrimitiveParameters p = cylinder();
    PrimitiveDialog dialog(p, nullptr);
    QLineEdit* radial = control<QLineEdit>(dialog, 40017);
    const int answer = runDoing(dialog, [&] {
        dialog.activateWindow();
        radial->setFocus();
        QTest::keyClicks(radial, QStringLiteral("0"));  // "60", above the maximum of 32
        QTest::keyClick(radial, Qt::Key_Return);        // OK without the focus leaving
    });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(p.texts[6], "32");
}

TEST(PrimitiveDialog, CancelAndEscapeAnswerTwo) {
    PrimitiveParameters p = cylinder();
    PrimitiveDialog byButton(p, nullptr), byEscape(p, nullptr);
    EXPECT_EQ(runDoing(byButton, [&byButton] { control<QPushButton>(byButton, 2)->click(); }), 2);
    EXPECT_EQ(runDoing(byEscape, [&byEscape] { QTest::keyClick(&byEscape, Qt::Key_Escape); }), 2);
}

}  // namespace
}  // namespace tess

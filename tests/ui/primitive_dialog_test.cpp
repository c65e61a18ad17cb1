#include "ui/primitive_dialog.h"

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

namespace tess {
namespace {

constexpr float kUnbounded = 9.99999993e36f;

// The cylinder's eight fields: three positions, two sizes, two counts and a check box.
PrimitiveParameters cylinderFields() {
    PrimitiveParameters p;
    p.setTitle("Cylinder creation");
    p.addField("X", "0", PrimitiveParameters::Decimal, -kUnbounded, kUnbounded);
    p.addField("Y", "0", PrimitiveParameters::Decimal, -kUnbounded, kUnbounded);
    p.addField("Z", "0", PrimitiveParameters::Decimal, -kUnbounded, kUnbounded);
    p.addField("Height", "30", PrimitiveParameters::Decimal, 0, kUnbounded);
    p.addField("Radius", "30", PrimitiveParameters::Decimal, 0, kUnbounded);
    p.addField("Height Segments", "1", PrimitiveParameters::Whole, 1, 15);
    p.addField("Radial Segments", "6", PrimitiveParameters::Whole, 3, 32);
    p.addField("Capped", "Y", PrimitiveParameters::CheckBox, -kUnbounded, kUnbounded);
    return p;
}

PrimitiveParameters geosphereFields() {
    PrimitiveParameters p;
    p.setTitle("Geosphere creation");
    p.addField("X", "0", PrimitiveParameters::Decimal, -kUnbounded, kUnbounded);
    p.addField("Y", "0", PrimitiveParameters::Decimal, -kUnbounded, kUnbounded);
    p.addField("Z", "0", PrimitiveParameters::Decimal, -kUnbounded, kUnbounded);
    p.addField("Radius", "30", PrimitiveParameters::Decimal, 0, kUnbounded);
    p.addField("Subdivisions", "1", PrimitiveParameters::Whole, 0, 4);
    return p;
}

template <typename T>
T* control(const QDialog& dialog, int id) {
    T* found = dialog.findChild<T*>(QString::number(id));
    EXPECT_NE(found, nullptr) << "no control " << id;
    return found;
}

// Shows the dialog and makes it the active window, so focus moves like a user's would.
void showActive(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

TEST(PrimitiveDialog, ClientHeightFollowsTheFieldCount) {
    PrimitiveParameters eight = cylinderFields();
    PrimitiveDialog cylinder(eight, nullptr);
    EXPECT_EQ(cylinder.height(), 180);
    PrimitiveParameters five = geosphereFields();
    PrimitiveDialog geosphere(five, nullptr);
    EXPECT_EQ(geosphere.height(), 120);
    PrimitiveParameters one;
    one.addField("Radius", "30", PrimitiveParameters::Decimal, 0, kUnbounded);
    EXPECT_EQ(PrimitiveDialog(one, nullptr).height(), 80);
    EXPECT_EQ(cylinder.width(), geosphere.width());
}

TEST(PrimitiveDialog, RowsShowLabelsTextsAndBoxes) {
    PrimitiveParameters p = cylinderFields();
    p.texts[4] = "7";
    PrimitiveDialog dialog(p, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Cylinder creation");

    const QList<QLabel*> labels = dialog.findChildren<QLabel*>(QStringLiteral("40010"));
    ASSERT_EQ(labels.size(), 8);
    EXPECT_EQ(labels[5]->text(), "Height Segments:");
    EXPECT_TRUE(labels[5]->alignment().testFlag(Qt::AlignRight));
    EXPECT_EQ(labels[5]->geometry(), QRect(0, 113, 130, 20));

    // Opening already normalises: decimals get two places.
    QLineEdit* radius = control<QLineEdit>(dialog, 40015);
    ASSERT_NE(radius, nullptr);
    EXPECT_EQ(radius->text(), "7.00");
    EXPECT_EQ(p.texts[4], "7.00");
    EXPECT_EQ(control<QLineEdit>(dialog, 40016)->geometry(), QRect(140, 110, 130, 20));

    QCheckBox* capped = control<QCheckBox>(dialog, 40018);
    ASSERT_NE(capped, nullptr);
    EXPECT_TRUE(capped->isChecked());
    EXPECT_TRUE(capped->text().isEmpty());
    EXPECT_EQ(capped->geometry(), QRect(140, 152, 130, 20));
}

TEST(PrimitiveDialog, LeavingAnEditClampsAndReprintsIt) {
    PrimitiveParameters p = cylinderFields();
    PrimitiveDialog dialog(p, nullptr);
    showActive(dialog);
    QLineEdit* segments = control<QLineEdit>(dialog, 40016);
    QLineEdit* height = control<QLineEdit>(dialog, 40014);
    ASSERT_TRUE(segments && height);

    segments->setFocus();
    segments->setText(QStringLiteral("-5"));
    height->setFocus();
    EXPECT_EQ(segments->text(), "1");
    EXPECT_EQ(p.texts[5], "1");

    height->setText(QStringLiteral("12.345"));
    segments->setFocus();
    EXPECT_EQ(height->text(), "12.35");
    EXPECT_EQ(p.texts[3], "12.35");

    segments->setText(QStringLiteral("99"));
    height->setFocus();
    EXPECT_EQ(segments->text(), "15");

    height->setText(QStringLiteral("abc"));
    segments->setFocus();
    EXPECT_EQ(height->text(), "0.00");
}

TEST(PrimitiveDialog, ClickingTheBoxStoresYesOrNo) {
    PrimitiveParameters p = cylinderFields();
    PrimitiveDialog dialog(p, nullptr);
    showActive(dialog);
    QCheckBox* capped = control<QCheckBox>(dialog, 40018);
    ASSERT_NE(capped, nullptr);
    QTest::mouseClick(capped, Qt::LeftButton, {}, QPoint(8, capped->height() / 2));
    EXPECT_FALSE(capped->isChecked());
    EXPECT_EQ(p.texts[7], "N");
    QTest::mouseClick(capped, Qt::LeftButton, {}, QPoint(8, capped->height() / 2));
    EXPECT_EQ(p.texts[7], "Y");
}

TEST(PrimitiveDialog, OkNormalisesTheFieldStillBeingTypedIn) {
    PrimitiveParameters p = cylinderFields();
    PrimitiveDialog dialog(p, nullptr);
    QTimer::singleShot(0, &dialog, [&dialog] {
        QLineEdit* segments = dialog.findChild<QLineEdit*>(QStringLiteral("40017"));
        dialog.activateWindow();
        segments->setFocus();
        QTest::keyClicks(segments, QStringLiteral("0"));  // "60", above the maximum of 32
        QTest::keyClick(segments, Qt::Key_Return);        // OK without the focus leaving
    });
    EXPECT_EQ(dialog.run(), 1);
    EXPECT_EQ(p.texts[6], "32");
}

TEST(PrimitiveDialog, CancelAndEscapeAnswerTwo) {
    PrimitiveParameters p = geosphereFields();
    PrimitiveDialog byButton(p, nullptr);
    QTimer::singleShot(0, &byButton,
                       [&byButton] { byButton.findChild<QPushButton*>(QStringLiteral("2"))->click(); });
    EXPECT_EQ(byButton.run(), 2);

    PrimitiveDialog byEscape(p, nullptr);
    QTimer::singleShot(0, &byEscape, [&byEscape] { QTest::keyClick(&byEscape, Qt::Key_Escape); });
    EXPECT_EQ(byEscape.run(), 2);

    PrimitiveDialog byOk(p, nullptr);
    QTimer::singleShot(0, &byOk, [&byOk] { byOk.findChild<QPushButton*>(QStringLiteral("1"))->click(); });
    EXPECT_EQ(byOk.run(), 1);
}

}  // namespace
}  // namespace tess

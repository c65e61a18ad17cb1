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

template <typename T>
T* control(const QDialog& dialog, int id) {
    T* found = dialog.findChild<T*>(QString::number(id));
    EXPECT_NE(found, nullptr) << "no control " << id;
    return found;
}

// The cylinder's fields: X, Y, Z, Height, Radius, Height Segments (1 to 15), Radial Segments
// (3 to 32), Capped (Y).
TEST(PrimitiveDialog, RowsFitTheFieldsAndEditsNormaliseOnOpeningAndWhenLeftBoxesWhenClickedAllOnOk) {
    PrimitiveParameters p = fields(PrimitiveKind::Cylinder), one;
    one.addField("Radius", "30", PrimitiveParameters::Decimal, 0, 100);
    EXPECT_EQ(PrimitiveDialog(one, nullptr).height(), 80);
    p.texts[4] = "7";
    PrimitiveDialog dialog(p, nullptr), cancelled(p, nullptr);
    EXPECT_EQ(std::pair(dialog.height(), dialog.windowTitle()), std::pair(180, QString("Cylinder creation")));
    const QList<QLabel*> labels = dialog.findChildren<QLabel*>(QStringLiteral("40010"));
    ASSERT_EQ(labels.size(), 8);
    EXPECT_EQ(std::pair(labels[5]->text(), labels[5]->geometry()),
              std::pair(QString("Height Segments:"), QRect(0, 113, 130, 20)));
    EXPECT_EQ(p.texts[4], "7.00");
    QLineEdit* segments = control<QLineEdit>(dialog, 40016);
    QLineEdit* height = control<QLineEdit>(dialog, 40014);
    QCheckBox* capped = control<QCheckBox>(dialog, 40018);
    ASSERT_TRUE(segments && height && capped);
    EXPECT_EQ(std::pair(control<QLineEdit>(dialog, 40015)->text(), segments->geometry()),
              std::pair(QString("7.00"), QRect(140, 110, 130, 20)));
    QTimer::singleShot(0, &dialog, [&] {
        dialog.activateWindow();  // so that focus moves as a user's would
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        const std::tuple<QLineEdit*, const char*, const char*, std::size_t> cases[] = {
            {segments, "99", "15", 5}, {height, "12.345", "12.35", 3}};
        for (const auto& [edit, typed, shown, field] : cases) {
            edit->setFocus();
            edit->setText(QString::fromLatin1(typed));
            (edit == segments ? height : segments)->setFocus();
            EXPECT_EQ(edit->text(), shown);
            EXPECT_EQ(p.texts[field], shown);
        }
        QTest::mouseClick(capped, Qt::LeftButton, {}, QPoint(8, capped->height() / 2));
        EXPECT_EQ(p.texts[7], "N");
        QLineEdit* radial = control<QLineEdit>(dialog, 40017);
        radial->setFocus();
        QTest::keyClicks(radial, QStringLiteral("0"));  // "60", above the maximum of 32
        QTest::keyClick(radial, Qt::Key_Return);        // OK without the focus leaving
    });
    EXPECT_EQ(dialog.run(), 1);
    EXPECT_EQ(p.texts[6], "32");
    QTimer::singleShot(0, &cancelled, [&cancelled] { control<QPushButton>(cancelled, 2)->click(); });
    EXPECT_EQ(cancelled.run(), 2);
}

}  // namespace
}  // namespace tess

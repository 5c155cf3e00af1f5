// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "MainWindowFixture.h"

#include <QAccessible>

namespace {

QAccessibleInterface* accessibleOf(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QAccessibleInterface* table(const QWidget& window)
{
    return accessibleOf(window.findChild<QWidget*>("frequencyTable"));
}

} // namespace

TEST_F(MainWindowTest, AScreenReaderMeetsAWindowWithItsTitle)
{
    auto window = openWindow("100", "1000");
    QAccessibleInterface* shown = accessibleOf(window.get());
    EXPECT_EQ(shown->role(), QAccessible::Window);
    EXPECT_EQ(shown->text(QAccessible::Name), " トルミナの実験２");
}

TEST_F(MainWindowTest, AScreenReaderMeetsTheCountsAsATableOfSevenByNine)
{
    auto window = openWindow("100", "1000");
    QAccessibleTableInterface* counts = table(*window)->tableInterface();
    ASSERT_TRUE(counts) << "exposed as a table";
    EXPECT_EQ(table(*window)->role(), QAccessible::Table);
    EXPECT_EQ(counts->rowCount(), 7);
    EXPECT_EQ(counts->columnCount(), 9);
    EXPECT_EQ(table(*window)->childCount(), 63) << "the counts alone are its cells";
    EXPECT_EQ(counts->cellAt(6, 8)->text(QAccessible::Name), "") << "present, empty before a run";
}

// "-7, 12": each count with the caption of its class as its column header.
TEST_F(MainWindowTest, EveryCountIsHeadedByTheCaptionOfItsClass)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    QAccessibleTableInterface* counts = table(*window)->tableInterface();
    for (int k = 1; k <= 63; ++k) {
        QAccessibleInterface* cell = counts->cellAt((k - 1) / 9, (k - 1) % 9);
        QAccessibleTableCellInterface* place = cell->tableCellInterface();
        ASSERT_TRUE(place) << "class " << k;
        const QString caption = k == 1 ? "～  -57" : k == 63 ? "3  ～" : QString::number(k - 59);
        EXPECT_EQ(place->columnHeaderCells().value(0)->text(QAccessible::Name), caption)
                << "class " << k;
        EXPECT_EQ(cell->text(QAccessible::Name), text(*window, QStringLiteral("dosu(%1)").arg(k)));
    }
}

TEST_F(MainWindowTest, TheTableAnnouncesTheMeanWithItsParameters)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    EXPECT_EQ(table(*window)->text(QAccessible::Description),
              "不足枚数の平均 " + text(*window, "Label3")
                      + "（お客人数 100、実験回数 1000）。次の実験は［初期化］から。");
    script.answers = {"10", "37"};
    click(*window, "初期化");
    EXPECT_EQ(table(*window)->text(QAccessible::Description), "") << "no result after a reset";
}

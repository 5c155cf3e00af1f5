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

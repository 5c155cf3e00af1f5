// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "WindowPlacement.h"

#include <gtest/gtest.h>

// Wherever the window manager puts the main window, even partly off the screen, on screens from
// 683 × 384 to 1920 × 1040 with panels: the side window's frame lies inside the free area; where
// the room on one side holds two thirds of the side window, it lies beside the main window, not
// over it, and where the room holds all of it, it is as large as laid out (800 × 600).
TEST(PlaceBeside, InsideTheFreeAreaBesideTheMainWindowWhereThereIsRoom)
{
    const QMargins frame(4, 30, 4, 4);
    for (const QRect available : {QRect(0, 0, 1366, 768), QRect(0, 32, 911, 480),
                                  QRect(100, 0, 683, 384), QRect(0, 0, 1920, 1040)}) {
        for (int x = available.left() - 200; x <= available.right(); x += 37) {
            for (int y = available.top() - 100; y <= available.bottom(); y += 41) {
                SCOPED_TRACE(testing::Message() << "main at " << x << ", " << y);
                const QRect main(x, y, 561, 546);
                const SidePlacement placed = placeBeside(main, frame, available);
                const QRect side(placed.framePosition,
                                 placed.layout.size(12000, 9000).grownBy(frame));
                EXPECT_TRUE(available.contains(side));
                const int room = std::max(available.right() - main.right(), x - available.left());
                const int height = available.height();
                EXPECT_TRUE(room < 542 || height < 434 || !side.intersects(main));
                EXPECT_TRUE(room < 808 || height < 634 || side.size() == QSize(808, 634));
            }
        }
    }
}

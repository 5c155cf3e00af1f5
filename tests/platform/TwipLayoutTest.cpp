// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "TwipLayout.h"

#include <gtest/gtest.h>

namespace {

const QSize kMainWindow(8295, 7680);
const QSize kHelpWindow(9255, 7440);

// A screen's available area in device-independent pixels: its pixels over
// the scale factor, less a 32-pixel panel.
QSize available(int width, int height, double scale)
{
    return {int(width / scale), int((height - 32) / scale)};
}

} // namespace

TEST(TwipLayout, AsLaidOutOn800By600AndOn1366By768At125Percent)
{
    for (const QSize& window : {kMainWindow, kHelpWindow}) {
        EXPECT_EQ(TwipLayout::fitting(window, available(1366, 768, 1.25)).scale(), 1.0);
        const TwipLayout at = TwipLayout::fitting(window, available(800, 600, 1.0));
        EXPECT_EQ(at.scale(), 1.0);
        EXPECT_EQ(at.size(window.width(), window.height()),
                  QSize(window.width() / 15, window.height() / 15));
        EXPECT_EQ(at.rect(1560, 960, 735, 375), QRect(104, 64, 49, 25));
        EXPECT_EQ(at.font(19, true).pixelSize(), 19);
    }
}

TEST(TwipLayout, ASmallScaledScreenGetsTheLargestScaleThatFitsTheWholeWindow)
{
    for (const double factor : {1.5, 2.0}) {
        SCOPED_TRACE(testing::Message() << "1366 × 768 at " << factor * 100 << " %");
        const QSize room = available(1366, 768, factor);
        for (const QSize& window : {kMainWindow, kHelpWindow}) {
            const TwipLayout at = TwipLayout::fitting(window, room);
            const QSize shown = at.size(window.width(), window.height());
            EXPECT_LT(at.scale(), 1.0);
            EXPECT_LE(shown.height() + 48, room.height()) << "with a title bar, it fits";
            EXPECT_GT(shown.height() + 56, room.height()) << "and is not needlessly small";
            EXPECT_EQ(at.font(19).pixelSize(), qRound(19 * at.scale())) << "fonts scale too";
        }
    }
}

TEST(TwipLayout, NeighbouringCellsStillShareABorderWhenScaled)
{
    const TwipLayout at(0.83);
    for (int left = 1560; left < 1560 + 8 * 720; left += 720) {
        const QRect cell = at.rect(left, 960, 735, 375), next = at.rect(left + 720, 960, 735, 375);
        EXPECT_LE(next.left(), cell.right() + 1) << "no gap between columns at " << left;
        EXPECT_GE(next.left(), cell.right()) << "no double border at " << left;
    }
}

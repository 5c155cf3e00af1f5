// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "WindowPlacement.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

// The side window's frame as placed.
QRect sideFrame(QRect available, QRect mainFrame, QMargins frame)
{
    const SidePlacement side = placeBeside(mainFrame, frame, available);
    return QRect(side.framePosition,
                 side.layout.size(kSideWindowTwips.width(), kSideWindowTwips.height())
                         .grownBy(frame));
}

} // namespace

// Each row: the screen's free area, the main window's frame and its margins; where the side
// window's frame lies, as large as laid out (800 × 600 inside the margins) unless told.
TEST(PlaceBeside, BesideTheMainWindowWhereTheScreenHasRoomElseOverItAtTheEdge)
{
    const QRect wide(0, 0, 1366, 768);
    const struct
    {
        const char* why;
        QRect available, mainFrame;
        QMargins frame;
        QRect side;
    } rows[] = {
            {"on its right, as the program opens the main window", wide, {6, 128, 553, 512}, {},
             {559, 128, 800, 600}},
            {"framed as the main window is", wide, {0, 84, 555, 535}, {1, 22, 1, 1},
             {555, 84, 802, 623}},
            {"on its left, where the room is", wide, {813, 0, 553, 512}, {}, {13, 0, 800, 600}},
            {"smaller where the room beside is smaller", {0, 0, 1280, 720}, {0, 0, 553, 512}, {},
             {553, 0, 727, 545}},
            {"over it against the edge, where two thirds do not fit beside", wide,
             {406, 128, 553, 512}, {}, {566, 128, 800, 600}},
            {"above a panel at the bottom", {0, 0, 1366, 728}, {0, 300, 553, 512}, {},
             {553, 128, 800, 600}},
            {"inside a scaled screen's free area, frame and panel included", {0, 24, 911, 488},
             {0, 24, 503, 488}, {1, 22, 1, 1}, {289, 24, 622, 488}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(sideFrame(row.available, row.mainFrame, row.frame), row.side) << row.why;
}

// Wherever the window manager puts the main window, even partly off the screen, the side
// window's frame lies inside the screen's free area.
TEST(PlaceBeside, EveryPlaceOfTheMainWindowKeepsTheSideWindowInsideTheFreeArea)
{
    for (const QRect available : {QRect(0, 0, 1366, 768), QRect(0, 32, 911, 480),
                                  QRect(100, 0, 683, 384), QRect(0, 0, 1920, 1040)}) {
        for (int x = available.left() - 200; x <= available.right(); x += 37) {
            for (int y = available.top() - 100; y <= available.bottom(); y += 41) {
                EXPECT_TRUE(available.contains(
                        sideFrame(available, {x, y, 561, 546}, {4, 30, 4, 4})))
                        << "main at " << x << ", " << y << " on " << available.width() << "×"
                        << available.height();
            }
        }
    }
}

TEST(MainWindowPosition, LeavesRoomBesideItWhereTheScreenHasIt)
{
    EXPECT_EQ(mainWindowPosition({553, 512}, {0, 0, 1366, 768}), QPoint(6, 84));
    EXPECT_EQ(mainWindowPosition({553, 512}, {0, 0, 1920, 1040}), QPoint(283, 220));
    EXPECT_EQ(mainWindowPosition({501, 464}, {0, 24, 911, 488}), QPoint(0, 24));
}

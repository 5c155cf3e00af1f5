// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// Below this a side window's words grow too small to read beside the main
// window; it goes over the main window instead.
constexpr double kSmallestBeside = 2.0 / 3.0;

} // namespace

SidePlacement placeBeside(QRect mainFrame, QMargins frame, QRect available)
{
    const int roomRight = available.right() - mainFrame.right();
    const int roomLeft = mainFrame.left() - available.left();
    const bool right = roomRight >= roomLeft;
    const QSize beside(std::max(roomRight, roomLeft), available.height());
    TwipLayout layout = TwipLayout::fitting(kSideWindowTwips, beside, frame);
    const bool fitsBeside = layout.scale() >= kSmallestBeside;
    if (!fitsBeside)
        layout = TwipLayout::fitting(kSideWindowTwips, available.size(), frame);
    const QSize framed = layout.size(kSideWindowTwips).grownBy(frame);
    int left = 0;
    if (fitsBeside)
        left = right ? mainFrame.right() + 1 : mainFrame.left() - framed.width();
    else
        left = right ? available.right() + 1 - framed.width() : available.left();
    const int top = std::clamp(mainFrame.top(), available.top(),
                               std::max(available.top(), available.bottom() + 1 - framed.height()));
    return {layout, QPoint(left, top)};
}

TwipLayout placeSideWindow(QWidget* window)
{
    const QWidget* main = window->parentWidget();
    const QRect available = availableArea(main);
    SidePlacement place;
    if (main) {
        const QRect frame = main->frameGeometry();
        const QRect client = main->geometry();
        // Qt gives the margins in whole device-independent pixels, each up
        // to one short at a fractional scale such as 150 %.
        const QMargins margins(client.left() - frame.left() + 1, client.top() - frame.top() + 1,
                               frame.right() - client.right() + 1,
                               frame.bottom() - client.bottom() + 1);
        place = placeBeside(frame, margins, available);
    } else {
        place = placeBeside(QRect(available.center(), QSize(0, 0)), {}, available);
    }
    window->setFixedSize(place.layout.size(kSideWindowTwips));
    window->move(place.framePosition);
    return place.layout;
}

QPoint mainWindowPosition(QSize mainSize, QRect available)
{
    const QSize side = TwipLayout().size(kSideWindowTwips);
    const QSize pair(mainSize.width() + side.width(), std::max(mainSize.height(), side.height()));
    return available.topLeft()
            + QPoint(std::max(0, (available.width() - pair.width()) / 2),
                     std::max(0, (available.height() - pair.height()) / 2));
}

QRect availableArea(const QWidget* window)
{
    const QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

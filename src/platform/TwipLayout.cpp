// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "TwipLayout.h"

#include "JapaneseFont.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwipsPerPixel = 15.0;
// Room for a title bar and borders, which are not known before the window
// is shown: a window that fits with this much to spare fits once framed.
const QMargins kFrameRoom(8, 40, 8, 8);

} // namespace

TwipLayout TwipLayout::fitting(QSize clientTwips, QSize room, QMargins frame)
{
    const QSize inside = room.shrunkBy(frame);
    const double wide = inside.width() * kTwipsPerPixel / clientTwips.width();
    const double high = inside.height() * kTwipsPerPixel / clientTwips.height();
    return TwipLayout(std::clamp(std::min(wide, high), 0.25, 1.0));
}

TwipLayout TwipLayout::fittingScreen(QSize clientTwips, int barHeight)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? fitting(clientTwips, screen->availableGeometry().size(),
                            kFrameRoom + QMargins(0, barHeight, 0, 0))
                  : TwipLayout();
}

int TwipLayout::pixels(int twips) const
{
    return static_cast<int>(std::lround(twips * scale_ / kTwipsPerPixel));
}

QRect TwipLayout::rect(int left, int top, int width, int height) const
{
    const int x = pixels(left), y = pixels(top);
    return {x, y, pixels(left + width) - x, pixels(top + height) - y};
}

QFont TwipLayout::font(int pixelSize, bool bold) const
{
    return japaneseFont(std::max(1, static_cast<int>(std::lround(pixelSize * scale_))), bold);
}

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>
#include <QMargins>
#include <QRect>
#include <QSize>

// Every position and size in the windows is given in twips, 15 to a pixel
// at 96 dpi, each dividing exactly: one unit for the windows, their fonts
// and their scale, so that a cell's border falls where its neighbour's does
// at any scale. A window too large for the screen it opens on (a 1366 × 768
// classroom laptop at 150 %) is drawn whole at a smaller scale, the same for
// every position, size and font, so that it keeps its proportions and its
// text stays crisp.
class TwipLayout
{
public:
    explicit TwipLayout(double scale = 1.0) : scale_(scale) { }

    // As laid out where a window of clientTwips with a frame of these
    // margins fits into room (in device-independent pixels); else the
    // largest smaller scale at which it fits.
    static TwipLayout fitting(QSize clientTwips, QSize room, QMargins frame);
    // fitting() on the primary screen, or as laid out without one; a menu
    // bar of barHeight pixels, which keeps its size, stands above the
    // laid-out area.
    static TwipLayout fittingScreen(QSize clientTwips, int barHeight = 0);

    double scale() const { return scale_; }
    int pixels(int twips) const;
    // Edges are scaled rather than sizes, so that neighbouring cells that
    // share a border in twips still share it in pixels.
    QRect rect(int left, int top, int width, int height) const;
    QSize size(int width, int height) const { return {pixels(width), pixels(height)}; }
    QSize size(QSize twips) const { return size(twips.width(), twips.height()); }

    // japaneseFont() at this scale; sizes are in pixels, as laid out at 96 dpi.
    QFont font(int pixelSize, bool bold = false) const;

private:
    double scale_;
};

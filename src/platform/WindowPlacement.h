// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "TwipLayout.h"

#include <QMargins>
#include <QPoint>
#include <QRect>

class QWidget;

// The side windows, the theory and the evening, are as large as each other:
// 800 × 600 pixels as laid out.
constexpr QSize kSideWindowTwips(12000, 9000);

// Where a side window opens, and at what scale.
struct SidePlacement
{
    TwipLayout layout;
    // The top-left corner of its frame, on the screen.
    QPoint framePosition;
};

// A side window opens beside the main window's frame, on the side with
// more room, as large as laid out where that room allows and no smaller
// than two thirds of it, so that the pupil sees the main window's table
// beside it. Where the room is less, it lies over the main window, against
// the screen's edge on that side, as large as the screen's free area
// allows. Either way its frame, whose margins are the main window's (one
// window manager frames both), lies inside that area.
SidePlacement placeBeside(QRect mainFrame, QMargins frame, QRect available);

// Gives a side window, whose parent is the main window (none in a test),
// its place beside it and its size, fixed: a window the user cannot resize
// gets the same frame as the main window, which cannot be resized either,
// so the margins measured on the main window hold for it under any window
// manager (resizable windows get grips of their own). Returns the scale
// its contents are laid out at.
TwipLayout placeSideWindow(QWidget* window);

// Where the main window of mainSize (its scaled client area) opens: the
// pair of it and a side window as laid out centred in the free area, the
// main window on the left; against the area's top-left corner where the
// pair is wider or higher than the area.
QPoint mainWindowPosition(QSize mainSize, QRect available);

// The free area of the window's screen (the primary one for none): the
// screen without its panels, in device-independent pixels.
QRect availableArea(const QWidget* window = nullptr);

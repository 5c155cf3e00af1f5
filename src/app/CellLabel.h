// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>

#include <optional>

// How a bordered, centred label of the main window looks.
struct CellLook
{
    std::optional<QFont> font; // none: the window's default font
    std::optional<QColor> background; // none: the theme's button face
};

inline const QColor kWhite(255, 255, 255);

// A label with a single-line border and centred text. On a fixed light
// background the text is black, which reads there on any theme, where a
// dark theme's light text would vanish; on the theme's button face it
// follows the theme.
QLabel* makeCellLabel(QWidget* parent, const QString& objectName, QRect geometry,
                      const QString& caption, const CellLook& look);

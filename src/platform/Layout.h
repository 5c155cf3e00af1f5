// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>
#include <QRect>

// The windows were laid out in twips for a 96-dpi screen, 15 to a pixel;
// every position and size divides exactly.
constexpr int fromTwips(int twips)
{
    return twips / 15;
}

inline QRect twips(int left, int top, int width, int height)
{
    return {fromTwips(left), fromTwips(top), fromTwips(width), fromTwips(height)};
}

// The layout names "ＭＳ Ｐゴシック"; where it is missing, IPAPGothic keeps
// its metrics closest, and Noto Sans CJK JP at least keeps the glyphs
// Japanese. Sizes are in pixels so that the layout holds at any DPI.
inline QFont layoutFont(int pixelSize, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

#pragma once

#include <QFont>

// Sizes are in pixels so that the twip layout holds at any screen DPI.
inline QFont layoutFont(int pixelSize, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

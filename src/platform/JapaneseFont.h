// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>
#include <QStringList>

// The font of the windows and of the chart, at a size in pixels. The
// windows' cells are sized to the metrics of "ＭＳ Ｐゴシック"; where it is
// missing, IPAPGothic keeps them closest, and the others at least keep the
// glyphs Japanese. The chart, drawn by torumina-sim too, reads the same.
inline QFont japaneseFont(int pixelSize, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAexGothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("VL Gothic")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

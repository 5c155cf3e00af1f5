// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "HelpTextView.h"

#include <QFontMetrics>
#include <QPainter>

HelpTextView::HelpTextView(QWidget* parent) : QFrame(parent)
{
    // A classic sunken client edge, two pixels deep, whatever the style.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    // The box has no caption of its own; screen readers get its text from
    // the description, which follows every change.
    setAccessibleName(QStringLiteral("ヘルプ"));
    linesChanged();
}

void HelpTextView::clear()
{
    lines_.clear();
    linesChanged();
}

void HelpTextView::appendLine(const QString& line)
{
    lines_.append(line);
    linesChanged();
}

void HelpTextView::linesChanged()
{
    setAccessibleDescription(lines_.join(QLatin1Char('\n')));
    update();
}

void HelpTextView::drawLine(QPainter& painter, const QRect& area, int baseline,
                            const QString& line) const
{
    // The leading ideographic spaces are the indentation and always keep
    // their full width, so that indented lines stay aligned.
    qsizetype indent = 0;
    while (indent < line.size() && line[indent] == QChar(0x3000))
        ++indent;
    const QFontMetrics metrics = fontMetrics();
    const QString text = line.mid(indent);
    const int left = area.left() + metrics.horizontalAdvance(line.left(indent));
    const int room = area.right() + 1 - left;
    const int width = metrics.horizontalAdvance(text);
    if (width <= room || room <= 0) {
        painter.drawText(left, baseline, text);
        return;
    }
    // Text laid out for one font runs a few percent wider in another (the
    // help text's longest lines do in IPAPGothic); condensing such a line
    // keeps its end readable where clipping would cut words off.
    painter.save();
    painter.translate(left, 0);
    painter.scale(static_cast<qreal>(room) / width, 1.0);
    painter.drawText(0, baseline, text);
    painter.restore();
}

void HelpTextView::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);

    const QRect area = contentsRect();
    QPainter painter(this);
    painter.fillRect(area, Qt::white);
    painter.setClipRect(area);
    // The box stays white on any theme, so its text stays black, as the
    // button text is on the light theme the window was drawn for.
    painter.setPen(Qt::black);

    const QFontMetrics metrics = fontMetrics();
    const int step = metrics.lineSpacing();
    int top = area.top();
    for (const QString& line : lines_) {
        if (top > area.bottom())
            break;
        if (!line.isEmpty())
            drawLine(painter, area, top + metrics.ascent(), line);
        top += step;
    }
}

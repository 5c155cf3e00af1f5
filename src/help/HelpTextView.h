// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QFrame>
#include <QRect>
#include <QString>
#include <QStringList>

class QPainter;

// A text output area written the way a teletype is: cleared, then filled one
// line at a time from the top. The lines are kept so that the box repaints
// them itself whenever it is uncovered.
class HelpTextView final : public QFrame
{
    Q_OBJECT
public:
    explicit HelpTextView(QWidget* parent = nullptr);

    // Erases the box and puts the output position back at the top-left corner.
    void clear();

    // Writes one line at the output position, then moves the position to the
    // left edge one line height further down. An empty line writes nothing
    // but still takes its line height. Lines are never wrapped: one that is
    // wider than the box has its text after the indentation (the leading
    // U+3000) condensed to the box's width, so that every character stays
    // visible and indented lines stay aligned.
    void appendLine(const QString& line);

    // What the box shows, its lines joined by line feeds: what a screen
    // reader reads, by line or by character.
    QString text() const { return lines_.join(QLatin1Char('\n')); }
    // Where the character at offset of text() is drawn, in the box.
    QRect characterRect(int offset) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void linesChanged(const QString& before);
    void drawLine(QPainter& painter, const QRect& area, int baseline, const QString& line) const;

    QStringList lines_;
};

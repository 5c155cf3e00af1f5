// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "HelpTextView.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QPainter>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <optional>

namespace {

// The box's text for screen readers: read-only, many lines, no caret of
// its own to follow.
class HelpTextAccessible final : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit HelpTextAccessible(HelpTextView* view)
        : QAccessibleWidget(view, QAccessible::EditableText)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? view().text() : QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QString text(int start, int end) const override
    {
        return view().text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(view().text().size()); }
    QRect characterRect(int offset) const override
    {
        const QRect inBox = view().characterRect(offset);
        return inBox.isNull() ? QRect() : QRect(view().mapToGlobal(inBox.topLeft()), inBox.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        const QPoint inBox = view().mapFromGlobal(point);
        for (int offset = 0; offset < characterCount(); ++offset)
            if (view().characterRect(offset).contains(inBox))
                return offset;
        return -1;
    }
    void scrollToSubstring(int, int) override { }
    // Qt's own pieces never end in Japanese text that ends without a word
    // or sentence of letters: a screen reader reading on by word or by
    // sentence would hang the program. Lines are Qt's.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                         int* end) const override
    {
        const QString all = view().text();
        const auto kind = finderType(boundary);
        if (!kind)
            return QAccessibleTextInterface::textAtOffset(offset, boundary, start, end);
        QTextBoundaryFinder finder(*kind, all);
        finder.setPosition(std::clamp(offset, 0, int(all.size())));
        *start = int(finder.isAtBoundary() ? finder.position()
                                           : std::max<qsizetype>(finder.toPreviousBoundary(), 0));
        finder.setPosition(*start);
        const qsizetype next = finder.toNextBoundary();
        *end = int(next < 0 ? all.size() : next);
        return all.mid(*start, *end - *start);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                             int* end) const override
    {
        if (!finderType(boundary))
            return QAccessibleTextInterface::textBeforeOffset(offset, boundary, start, end);
        textAtOffset(offset, boundary, start, end);
        if (*start == 0) {
            *end = 0;
            return {};
        }
        return textAtOffset(*start - 1, boundary, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                            int* end) const override
    {
        if (!finderType(boundary))
            return QAccessibleTextInterface::textAfterOffset(offset, boundary, start, end);
        textAtOffset(offset, boundary, start, end);
        return textAtOffset(*end, boundary, start, end);
    }
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }

private:
    const HelpTextView& view() const { return *static_cast<const HelpTextView*>(object()); }
    static std::optional<QTextBoundaryFinder::BoundaryType>
    finderType(QAccessible::TextBoundaryType boundary)
    {
        switch (boundary) {
        case QAccessible::CharBoundary:
            return QTextBoundaryFinder::Grapheme;
        case QAccessible::WordBoundary:
            return QTextBoundaryFinder::Word;
        case QAccessible::SentenceBoundary:
            return QTextBoundaryFinder::Sentence;
        default:
            return std::nullopt;
        }
    }
};

QAccessibleInterface* helpTextFactory(const QString&, QObject* object)
{
    if (auto* view = qobject_cast<HelpTextView*>(object))
        return new HelpTextAccessible(view);
    return nullptr;
}

// The leading ideographic spaces of a line: its indentation.
qsizetype indentOf(const QString& line)
{
    qsizetype indent = 0;
    while (indent < line.size() && line[indent] == QChar(0x3000))
        ++indent;
    return indent;
}

} // namespace

HelpTextView::HelpTextView(QWidget* parent) : QFrame(parent)
{
    // A sunken edge two pixels deep, whatever the style, sets the text
    // apart from the window as a page to read.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    static const bool accessible = [] {
        QAccessible::installFactory(helpTextFactory);
        return true;
    }();
    (void)accessible;
    setAccessibleName(QStringLiteral("ヘルプ"));
}

void HelpTextView::clear()
{
    const QString before = text();
    lines_.clear();
    linesChanged(before);
}

void HelpTextView::appendLine(const QString& line)
{
    const QString before = text();
    lines_.append(line);
    linesChanged(before);
}

void HelpTextView::linesChanged(const QString& before)
{
    QAccessibleTextUpdateEvent changed(this, 0, before, text());
    QAccessible::updateAccessibility(&changed);
    update();
}

QRect HelpTextView::characterRect(int offset) const
{
    const QFontMetrics metrics = fontMetrics();
    const QRect area = contentsRect();
    int start = 0;
    for (int i = 0; i < lines_.size(); ++i) {
        const QString& line = lines_[i];
        if (offset >= start && offset < start + line.size()) {
            const int column = offset - start;
            const int left = area.left() + metrics.horizontalAdvance(line.left(column));
            return {left, area.top() + i * metrics.lineSpacing(),
                    metrics.horizontalAdvance(line.at(column)), metrics.lineSpacing()};
        }
        start += static_cast<int>(line.size()) + 1;
    }
    return {};
}

void HelpTextView::drawLine(QPainter& painter, const QRect& area, int baseline,
                            const QString& line) const
{
    // The leading ideographic spaces are the indentation and always keep
    // their full width, so that indented lines stay aligned.
    const qsizetype indent = indentOf(line);
    const QFontMetrics metrics = fontMetrics();
    const QString text = line.mid(indent);
    const int left = area.left() + metrics.horizontalAdvance(line.left(indent));
    const int room = area.right() + 1 - left;
    const int width = metrics.horizontalAdvance(text);
    if (width <= room || room <= 0) {
        painter.drawText(left, baseline, text);
        return;
    }
    // The help text's lines are broken by hand, and in some fonts the
    // longest run a few percent wider than the box (they do in IPAPGothic);
    // condensing such a line keeps its end readable where clipping would
    // cut words off.
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
    // The box stays white on any theme, a page that reads like paper, so
    // its text stays black.
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

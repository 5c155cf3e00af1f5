// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "EveningChart.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// Where the plot lies, and how a guest maps to x and a stock to y: the
// axes, the lines and the lowest point are drawn over the same frame.
struct Frame
{
    QRectF plot;
    double line = 0; // the height of a line of text
    int guests = 1;
    int top = 0;
    int bottom = 0;

    double xOf(int guest) const { return plot.left() + guest * plot.width() / guests; }
    double yOf(int stock) const
    {
        return plot.top() + (top - stock) * plot.height() / (top - bottom);
    }
};

// The range holds what is drawn with a coin to spare, and never less than
// -3..3, so that a short evening does not fill the chart with a few steps.
Frame frameOf(const std::deque<Evening>& evenings, int served, const QRectF& area,
              const QFontMetricsF& metrics)
{
    const Evening& watched = evenings.back();
    Frame frame;
    frame.guests = static_cast<int>(watched.steps.size());
    frame.top = 3;
    frame.bottom = -3;
    for (const Evening& evening : evenings) {
        const auto end =
                &evening == &watched ? evening.steps.begin() + served : evening.steps.end();
        for (auto step = evening.steps.begin(); step != end; ++step) {
            frame.top = std::max(frame.top, step->stock);
            frame.bottom = std::min(frame.bottom, step->stock);
        }
    }
    frame.top += 1;
    frame.bottom -= 1;
    frame.line = metrics.height();
    frame.plot = area.adjusted(metrics.horizontalAdvance(QStringLiteral("−000")) + 8, frame.line,
                               -frame.line, -2 * frame.line);
    return frame;
}

void paintAxes(QPainter& painter, const Frame& frame, const QColor& ink)
{
    const QRectF& plot = frame.plot;
    const double line = frame.line;
    painter.setPen(ink);
    const QRectF rightAligned(0, 0, plot.left() - 6, line);
    for (int stock : {frame.top, 0, frame.bottom}) {
        painter.drawText(rightAligned.translated(0, frame.yOf(stock) - line / 2),
                         Qt::AlignRight | Qt::AlignVCenter, signedCount(stock));
    }
    painter.drawText(QRectF(plot.left() - 50, plot.bottom() + 2, 100, line), Qt::AlignCenter,
                     QStringLiteral("0"));
    painter.drawText(QRectF(plot.right() - 50, plot.bottom() + 2, 100, line), Qt::AlignCenter,
                     QString::number(frame.guests));
    painter.drawText(QRectF(plot.left(), plot.bottom() + line, plot.width(), line), Qt::AlignCenter,
                     QStringLiteral("お客（人目）"));
    painter.drawLine(plot.topLeft(), plot.bottomLeft());
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.setPen(QPen(ink, 1, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), frame.yOf(0)), QPointF(plot.right(), frame.yOf(0)));
}

// The step line of the first `served` guests: the stock holds until the
// next guest pays, and changes at that guest's place on the axis.
QPainterPath stepLine(const Evening& evening, int served, const Frame& frame)
{
    QPainterPath path(QPointF(frame.xOf(0), frame.yOf(0)));
    int stock = 0;
    for (int guest = 1; guest <= served; ++guest) {
        path.lineTo(frame.xOf(guest), frame.yOf(stock));
        stock = evening.steps[static_cast<std::size_t>(guest - 1)].stock;
        path.lineTo(frame.xOf(guest), frame.yOf(stock));
    }
    return path;
}

// Red that reads on the palette's base, light or dark.
QColor lowestPointColour(const QColor& base)
{
    return base.lightness() > 128 ? QColor(190, 0, 0) : QColor(255, 130, 130);
}

// A dot where the evening first reached its lowest stock, and its caption
// beside it, on the side where the plot has room.
void paintLowestPoint(QPainter& painter, const Frame& frame, const Evening& watched,
                      const QColor& base, const QFontMetricsF& metrics)
{
    const int lowest = watched.lowestBalance();
    const auto first =
            std::find_if(watched.steps.begin(), watched.steps.end(),
                         [lowest](const GuestStep& step) { return step.stock == lowest; });
    const QPointF mark(frame.xOf(static_cast<int>(first - watched.steps.begin()) + 1),
                       frame.yOf(lowest));
    const QColor red = lowestPointColour(base);
    painter.setPen(QPen(red, 2));
    painter.setBrush(red);
    painter.drawEllipse(mark, 5, 5);
    const QString caption = QStringLiteral("最低 %1 枚").arg(signedCount(lowest));
    const double width = metrics.horizontalAdvance(caption) + 4;
    const double left =
            mark.x() + 8 + width <= frame.plot.right() ? mark.x() + 8 : mark.x() - 8 - width;
    const QRectF label(left, mark.y() - frame.line / 2, width, frame.line);
    painter.fillRect(label, base);
    painter.drawText(label, Qt::AlignCenter, caption);
}

} // namespace

QString signedCount(int count)
{
    return count < 0 ? QStringLiteral("−%1").arg(-count) : QString::number(count);
}

EveningChart::EveningChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("eveningChart"));
    setAccessibleName(QStringLiteral("手元の 500円玉の移り変わり"));
    setMinimumSize(160, 100);
}

void EveningChart::showEvenings(const std::deque<Evening>& evenings, int served)
{
    evenings_ = evenings;
    served_ = served;
    // A screen reader hears what the faint lines are.
    setAccessibleDescription(QStringLiteral("%1 晩目（前の夜 %2 晩を薄く表示）")
                                     .arg(evenings.size())
                                     .arg(evenings.size() - 1));
    update();
}

void EveningChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor base = palette().color(QPalette::Base);
    const QColor ink = palette().color(QPalette::Text);
    painter.fillRect(rect(), base);
    if (evenings_.empty())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(font());
    const Frame frame = frameOf(evenings_, served_, QRectF(rect()), metrics);
    paintAxes(painter, frame, ink);

    QColor faint = ink;
    faint.setAlphaF(0.3f);
    painter.setPen(QPen(faint, 1.5));
    for (auto evening = evenings_.begin(); evening + 1 != evenings_.end(); ++evening)
        painter.drawPath(stepLine(*evening, static_cast<int>(evening->steps.size()), frame));
    painter.setPen(QPen(ink, 2.5));
    painter.drawPath(stepLine(evenings_.back(), served_, frame));
    if (served_ >= frame.guests)
        paintLowestPoint(painter, frame, evenings_.back(), base, metrics);
}

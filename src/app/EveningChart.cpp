// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "EveningChart.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// Between the lowest point's mark and its caption under it.
constexpr double kCaptionGap = 8;

// Where the plot lies, and how a guest maps to x and a stock to y: the
// axes, the lines and the lowest point are drawn over the same frame.
struct Frame
{
    QRectF area;
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
// The axis's name takes the first line; the guests' last number stands
// whole under the plot's right end; once the evening is over, the range
// reaches far enough down for the lowest point's caption under its mark.
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
    frame.area = area;
    const double right =
            std::max(frame.line, metrics.horizontalAdvance(QString::number(frame.guests)) / 2 + 4);
    frame.plot = area.adjusted(metrics.horizontalAdvance(QStringLiteral("-0000")) + 8,
                               2 * frame.line, -right, -2 * frame.line);
    const double height = frame.plot.height();
    const double room = kCaptionGap + frame.line;
    if (served >= frame.guests && height > room) {
        const int lowest = watched.lowestBalance();
        const auto span =
                static_cast<int>(std::ceil((frame.top - lowest) * height / (height - room)));
        frame.bottom = std::min(frame.bottom, frame.top - span);
    }
    return frame;
}

void paintAxes(QPainter& painter, const Frame& frame, const QColor& ink)
{
    const QRectF& plot = frame.plot;
    const double line = frame.line;
    painter.setPen(ink);
    painter.drawText(QRectF(frame.area.topLeft(), QSizeF(frame.area.width(), line)),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("手元の 500円玉（枚）"));
    const QRectF rightAligned(frame.area.left(), 0, plot.left() - 6 - frame.area.left(), line);
    for (int stock : {frame.top, 0, frame.bottom}) {
        painter.drawText(rightAligned.translated(0, frame.yOf(stock) - line / 2),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(stock));
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

// A dot where the evening first reached its lowest stock, and its caption
// under it, where the evening's own line never goes.
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
    const QString caption = QStringLiteral("最低 %1 枚").arg(lowest);
    const double width = metrics.horizontalAdvance(caption) + 4;
    const double left = std::max(frame.plot.left() + 2,
                                 std::min(mark.x() - width / 2, frame.plot.right() - width));
    painter.drawText(QRectF(left, mark.y() + kCaptionGap, width, frame.line), Qt::AlignCenter,
                     caption);
}

} // namespace

QColor lowestPointColour(const QColor& base)
{
    return base.lightness() > 128 ? QColor(190, 0, 0) : QColor(255, 130, 130);
}

EveningChart::EveningChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("eveningChart"));
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(QStringLiteral("一人ずつ Space・→　続けて／止める Enter　最後まで End　次の夜 N"));
    setMinimumSize(160, 100);
}

void EveningChart::showEvenings(const std::deque<Evening>& evenings, int served, int number)
{
    evenings_ = evenings;
    served_ = served;
    // A screen reader hears what the faint lines are.
    setAccessibleName(
            QStringLiteral("手元の 500円玉の移り変わり（%1 晩目、前の夜 %2 晩を薄く表示）")
                    .arg(number)
                    .arg(evenings.size() - 1));
    update();
}

void EveningChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor base = palette().color(QPalette::Base);
    const QColor ink = palette().color(QPalette::Text);
    painter.fillRect(rect(), base);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
    if (evenings_.empty())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(font());
    const Frame frame = frameOf(evenings_, served_, QRectF(rect()).adjusted(4, 4, -4, -4), metrics);
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

void EveningChart::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void EveningChart::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

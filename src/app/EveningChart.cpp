// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "EveningChart.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// The step line of the first `served` guests: the stock holds until the
// next guest pays, and changes at that guest's place on the axis.
QPainterPath stepLine(const Evening& evening, int served, auto xOf, auto yOf)
{
    QPainterPath path(QPointF(xOf(0), yOf(0)));
    int stock = 0;
    for (int guest = 1; guest <= served; ++guest) {
        path.lineTo(xOf(guest), yOf(stock));
        stock = evening.steps[static_cast<std::size_t>(guest - 1)].stock;
        path.lineTo(xOf(guest), yOf(stock));
    }
    return path;
}

// Red that reads on the palette's base, light or dark.
QColor lowestPointColour(const QColor& base)
{
    return base.lightness() > 128 ? QColor(190, 0, 0) : QColor(255, 130, 130);
}

} // namespace

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

    const Evening& watched = evenings_.back();
    const int guests = static_cast<int>(watched.steps.size());
    // The range holds what is drawn with a coin to spare, and never less
    // than -3..3, so that a short evening does not fill the chart with a
    // few steps.
    int top = 3;
    int bottom = -3;
    for (const Evening& evening : evenings_) {
        const auto end =
                &evening == &watched ? evening.steps.begin() + served_ : evening.steps.end();
        for (auto step = evening.steps.begin(); step != end; ++step) {
            top = std::max(top, step->stock);
            bottom = std::min(bottom, step->stock);
        }
    }
    top += 1;
    bottom -= 1;

    const QFontMetricsF metrics(font());
    const double line = metrics.height();
    const QRectF plot = QRectF(rect()).adjusted(
            metrics.horizontalAdvance(QStringLiteral("−000")) + 8, line, -line, -2 * line);
    const auto xOf = [&](int guest) { return plot.left() + guest * plot.width() / guests; };
    const auto yOf = [&](int stock) {
        return plot.top() + (top - stock) * plot.height() / (top - bottom);
    };
    const auto number = [](int value) {
        return value < 0 ? QStringLiteral("−%1").arg(-value) : QString::number(value);
    };

    painter.setPen(ink);
    const QRectF rightAligned(0, 0, plot.left() - 6, line);
    for (int stock : {top, 0, bottom}) {
        painter.drawText(rightAligned.translated(0, yOf(stock) - line / 2),
                         Qt::AlignRight | Qt::AlignVCenter, number(stock));
    }
    painter.drawText(QRectF(plot.left() - 50, plot.bottom() + 2, 100, line), Qt::AlignCenter,
                     QStringLiteral("0"));
    painter.drawText(QRectF(plot.right() - 50, plot.bottom() + 2, 100, line), Qt::AlignCenter,
                     QString::number(guests));
    painter.drawText(QRectF(plot.left(), plot.bottom() + line, plot.width(), line), Qt::AlignCenter,
                     QStringLiteral("お客（人目）"));
    painter.drawLine(plot.topLeft(), plot.bottomLeft());
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.setPen(QPen(ink, 1, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), yOf(0)), QPointF(plot.right(), yOf(0)));

    QColor faint = ink;
    faint.setAlphaF(0.3f);
    painter.setPen(QPen(faint, 1.5));
    for (auto evening = evenings_.begin(); evening + 1 != evenings_.end(); ++evening) {
        painter.drawPath(stepLine(*evening, static_cast<int>(evening->steps.size()), xOf, yOf));
    }
    painter.setPen(QPen(ink, 2.5));
    painter.drawPath(stepLine(watched, served_, xOf, yOf));

    if (served_ < guests)
        return;
    const int lowest = watched.lowestBalance();
    const auto first =
            std::find_if(watched.steps.begin(), watched.steps.end(),
                         [lowest](const GuestStep& step) { return step.stock == lowest; });
    const QPointF mark(xOf(static_cast<int>(first - watched.steps.begin()) + 1), yOf(lowest));
    const QColor red = lowestPointColour(base);
    painter.setPen(QPen(red, 2));
    painter.setBrush(red);
    painter.drawEllipse(mark, 5, 5);
    const QString caption = QStringLiteral("最低 %1 枚").arg(number(lowest));
    const double width = metrics.horizontalAdvance(caption) + 4;
    const double left = mark.x() + 8 + width <= plot.right() ? mark.x() + 8 : mark.x() - 8 - width;
    const QRectF label(left, mark.y() - line / 2, width, line);
    painter.fillRect(label, base);
    painter.drawText(label, Qt::AlignCenter, caption);
}

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "DistributionChart.h"

#include "JapaneseFont.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <algorithm>
#include <cmath>

namespace {

const QColor kBarColour(70, 130, 180);
const QColor kExpectedColour(200, 40, 40);
const QColor kCoverageColour(20, 110, 50);

// Room around the plot for the title, the legend and the axis labels, which
// keep their size whatever the area's.
constexpr double kPlotLeft = 90;
constexpr double kPlotTop = 72;
constexpr double kPlotRight = 30;
constexpr double kPlotBottom = 80;

// Where the plot lies in the area, and how a lowest balance maps to x and a
// count to y: every part of the picture is drawn over the same description.
struct Plot
{
    QSizeF area;
    QRectF rect;
    int lowest = 0;
    ChartScale scale;
    double slotWidth = 0;

    double xOf(int m) const { return rect.left() + (m - lowest + 0.5) * slotWidth; }
    double yOf(double count) const { return rect.bottom() - count / scale.yMax * rect.height(); }
};

Plot describePlot(QSizeF area, const DistributionChart& data)
{
    Plot plot;
    plot.area = area;
    plot.rect = QRectF(kPlotLeft, kPlotTop, area.width() - kPlotLeft - kPlotRight,
                       area.height() - kPlotTop - kPlotBottom);
    plot.lowest = data.lowest;
    plot.scale = chartScale(data);
    plot.slotWidth = plot.rect.width() / plot.scale.bars;
    return plot;
}

void paintGrid(QPainter& painter, const Plot& plot)
{
    painter.setFont(japaneseFont(13));
    for (double y = 0.0; y <= plot.scale.yMax + plot.scale.yStep / 2; y += plot.scale.yStep) {
        painter.setPen(QPen(QColor(225, 225, 225), 1));
        painter.drawLine(QPointF(plot.rect.left(), plot.yOf(y)),
                         QPointF(plot.rect.right(), plot.yOf(y)));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, plot.yOf(y) - 10, plot.rect.left() - 8, 20),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(y, 'g', 10));
    }
}

void paintBars(QPainter& painter, const Plot& plot, const DistributionChart& data)
{
    const double barWidth = std::max(1.0, plot.slotWidth * 0.8);
    for (int m = plot.lowest; m <= kChartHighest; ++m) {
        const double count = data.run.countOf(m);
        if (count > 0) {
            painter.fillRect(QRectF(plot.xOf(m) - barWidth / 2, plot.yOf(count), barWidth,
                                    plot.rect.bottom() - plot.yOf(count)),
                             kBarColour);
        }
    }
}

// A line through the expected counts, with a dot on each where the bars
// leave room for one.
void paintExpected(QPainter& painter, const Plot& plot, const DistributionChart& data)
{
    QPainterPath expected;
    for (int m = plot.lowest; m <= kChartHighest; ++m) {
        const QPointF point(plot.xOf(m), plot.yOf(data.expectedCount(m)));
        if (m == plot.lowest) {
            expected.moveTo(point);
        } else {
            expected.lineTo(point);
        }
    }
    painter.setPen(QPen(kExpectedColour, 2));
    painter.drawPath(expected);
    if (plot.slotWidth >= 6) {
        painter.setBrush(kExpectedColour);
        for (int m = plot.lowest; m <= kChartHighest; ++m) {
            painter.drawEllipse(QPointF(plot.xOf(m), plot.yOf(data.expectedCount(m))), 2.5, 2.5);
        }
        painter.setBrush(Qt::NoBrush);
    }
}

// The coins that sufficed on 90, 95 and 99 % of the evenings: a line left of
// the bars of the evenings they covered, labelled in rows from the top so
// that close lines keep their labels apart.
void paintCoverage(QPainter& painter, const Plot& plot, const DistributionChart& data)
{
    painter.setFont(japaneseFont(13));
    for (std::size_t i = 0; i < data.coverage.size(); ++i) {
        const CoverageRow& row = data.coverage[i];
        const double x = plot.xOf(-row.inRun) - plot.slotWidth / 2;
        painter.setPen(QPen(kCoverageColour, 1.5, Qt::DashLine));
        painter.drawLine(QPointF(x, plot.rect.top()), QPointF(x, plot.rect.bottom()));
        const QString label = QString::fromStdString(coverageLabel(row));
        QRectF box(x + 3, plot.rect.top() + 3 + 18.0 * static_cast<double>(i),
                   painter.fontMetrics().horizontalAdvance(label) + 8, 17);
        if (box.right() > plot.rect.right())
            box.moveRight(x - 3);
        painter.fillRect(box, QColor(255, 255, 255, 220));
        painter.setPen(kCoverageColour);
        painter.drawText(box, Qt::AlignCenter, label);
    }
}

// The x labels stand at multiples of a step that leaves room for them.
void paintAxes(QPainter& painter, const Plot& plot)
{
    const QRectF& rect = plot.rect;
    painter.setFont(japaneseFont(13));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.bottomLeft(), rect.topLeft());
    for (int m = plot.lowest; m <= kChartHighest; ++m) {
        if (m % plot.scale.xStep != 0)
            continue;
        painter.drawLine(QPointF(plot.xOf(m), rect.bottom()),
                         QPointF(plot.xOf(m), rect.bottom() + 5));
        painter.drawText(QRectF(plot.xOf(m) - 30, rect.bottom() + 6, 60, 20),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(m));
    }
}

void paintTitles(QPainter& painter, const Plot& plot, const DistributionChart& data)
{
    const QRectF& rect = plot.rect;
    painter.setPen(Qt::black);
    painter.setFont(japaneseFont(15));
    painter.drawText(QRectF(rect.left(), plot.area.height() - 40, rect.width(), 30),
                     Qt::AlignCenter, QString::fromUtf8(kChartXAxisTitle));
    painter.save();
    painter.translate(22, rect.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-rect.height() / 2, -12, rect.height(), 24), Qt::AlignCenter,
                     QString::fromUtf8(kChartYAxisTitle));
    painter.restore();
    painter.setFont(japaneseFont(17, true));
    painter.drawText(QRectF(0, 8, plot.area.width(), 28), Qt::AlignCenter,
                     QString::fromStdString(chartTitle(data.run)));
}

// One row between the title and the plot.
void paintLegend(QPainter& painter, const Plot& plot)
{
    painter.setFont(japaneseFont(13));
    const double legendY = 50;
    double legendX = plot.rect.left();
    auto legendText = [&](const QString& text) {
        painter.setPen(Qt::black);
        painter.drawText(QPointF(legendX + 30, legendY + 5), text);
        legendX += 30 + painter.fontMetrics().horizontalAdvance(text) + 28;
    };
    painter.fillRect(QRectF(legendX, legendY - 6, 22, 12), kBarColour);
    legendText(QString::fromUtf8(kChartBarsLegend));
    painter.setPen(QPen(kExpectedColour, 2));
    painter.drawLine(QPointF(legendX, legendY), QPointF(legendX + 22, legendY));
    legendText(QString::fromUtf8(kChartExpectedLegend));
    painter.setPen(QPen(kCoverageColour, 1.5, Qt::DashLine));
    painter.drawLine(QPointF(legendX + 11, legendY - 8), QPointF(legendX + 11, legendY + 8));
    legendText(QString::fromUtf8(kChartCoverageLegend));
}

// In the area's own coordinates, from (0, 0) to size.
void paintChart(QPainter& painter, QSizeF size, const DistributionChart& data)
{
    painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    const Plot plot = describePlot(size, data);
    if (plot.rect.width() < 1 || plot.rect.height() < 1)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintGrid(painter, plot);
    paintBars(painter, plot, data);
    paintExpected(painter, plot, data);
    paintCoverage(painter, plot, data);
    paintAxes(painter, plot);
    paintTitles(painter, plot, data);
    paintLegend(painter, plot);
}

} // namespace

void paintDistributionChart(QPainter& painter, const QRectF& area, const DistributionChart& chart)
{
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.translate(area.topLeft());
    paintChart(painter, area.size(), chart);
    painter.restore();
}

QImage distributionChartImage(const DistributionChart& chart, QSize size)
{
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paintDistributionChart(painter, QRectF(QPointF(0, 0), size), chart);
    return image;
}

QByteArray distributionChartPng(const DistributionChart& chart, QSize size)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!distributionChartImage(chart, size).save(&buffer, "PNG"))
        png.clear();
    return png;
}

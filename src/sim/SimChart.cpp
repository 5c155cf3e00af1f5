// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "SimChart.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <algorithm>
#include <cmath>
#include <memory>
#include <type_traits>

namespace {

const QColor kBarColour(70, 130, 180);
const QColor kExpectedColour(200, 40, 40);
const QColor kCoverageColour(20, 110, 50);

// 1, 2 or 5 times a power of ten, at least raw.
double niceStep(double raw)
{
    const double power = std::pow(10.0, std::floor(std::log10(std::max(raw, 1e-9))));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= raw)
            return factor * power;
    }
    return 10.0 * power;
}

QFont chartFont(int pixelSize, bool bold = false)
{
    QFont font;
    // Any CJK family that fontconfig knows will do; these are the common ones.
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAexGothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("VL Gothic"), QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

std::size_t at(int m)
{
    return static_cast<std::size_t>(m + kMaxCustomers);
}

QImage renderChart(const ChartData& data)
{
    QImage image(kChartWidth, kChartHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QRectF plot(90, 72, kChartWidth - 90 - 30, kChartHeight - 72 - 80);

    const int lowest = data.lowest;
    const int highest = 1;
    const int values = highest - lowest + 1;
    const double slotWidth = plot.width() / values;
    auto xOf = [&](int m) { return plot.left() + (m - lowest + 0.5) * slotWidth; };

    double top = 1.0;
    for (int m = lowest; m <= highest; ++m) {
        top = std::max({top, static_cast<double>(data.counts[at(m)]), data.expected[at(m)]});
    }
    const double yStep = niceStep(top * 1.1 / 6.0);
    const double yMax = std::ceil(top * 1.1 / yStep) * yStep;
    auto yOf = [&](double count) { return plot.bottom() - count / yMax * plot.height(); };

    // Grid and y axis labels.
    painter.setFont(chartFont(13));
    for (double y = 0.0; y <= yMax + yStep / 2; y += yStep) {
        painter.setPen(QPen(QColor(225, 225, 225), 1));
        painter.drawLine(QPointF(plot.left(), yOf(y)), QPointF(plot.right(), yOf(y)));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, yOf(y) - 10, plot.left() - 8, 20),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(y, 'g', 10));
    }

    // Bars of the simulated counts.
    const double barWidth = std::max(1.0, slotWidth * 0.8);
    for (int m = lowest; m <= highest; ++m) {
        const double count = data.counts[at(m)];
        if (count > 0) {
            painter.fillRect(
                    QRectF(xOf(m) - barWidth / 2, yOf(count), barWidth, plot.bottom() - yOf(count)),
                    kBarColour);
        }
    }

    // The exact expected counts over the bars.
    QPainterPath expected;
    for (int m = lowest; m <= highest; ++m) {
        const QPointF point(xOf(m), yOf(data.expected[at(m)]));
        if (m == lowest) {
            expected.moveTo(point);
        } else {
            expected.lineTo(point);
        }
    }
    painter.setPen(QPen(kExpectedColour, 2));
    painter.drawPath(expected);
    if (slotWidth >= 6) {
        painter.setBrush(kExpectedColour);
        for (int m = lowest; m <= highest; ++m) {
            painter.drawEllipse(QPointF(xOf(m), yOf(data.expected[at(m)])), 2.5, 2.5);
        }
        painter.setBrush(Qt::NoBrush);
    }

    // The coins that sufficed on 90, 95 and 99 % of the evenings: a line
    // left of the bars of the evenings they covered, labelled in rows from
    // the top so that close lines keep their labels apart.
    painter.setFont(chartFont(13));
    for (std::size_t i = 0; i < data.coins.size(); ++i) {
        const double x = xOf(-data.coins[i]) - slotWidth / 2;
        painter.setPen(QPen(kCoverageColour, 1.5, Qt::DashLine));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        const QString label =
                QStringLiteral("%1 %：%2 枚").arg(kCoveragePercents[i]).arg(data.coins[i]);
        QRectF box(x + 3, plot.top() + 3 + 18.0 * static_cast<double>(i),
                   painter.fontMetrics().horizontalAdvance(label) + 8, 17);
        if (box.right() > plot.right())
            box.moveRight(x - 3);
        painter.fillRect(box, QColor(255, 255, 255, 220));
        painter.setPen(kCoverageColour);
        painter.drawText(box, Qt::AlignCenter, label);
    }

    // Axes and x labels, at multiples of a step that leaves room for them.
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    const int xStep = std::max(1, static_cast<int>(niceStep(values / 20.0)));
    for (int m = lowest; m <= highest; ++m) {
        if (m % xStep != 0)
            continue;
        painter.drawLine(QPointF(xOf(m), plot.bottom()), QPointF(xOf(m), plot.bottom() + 5));
        painter.drawText(QRectF(xOf(m) - 30, plot.bottom() + 6, 60, 20),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(m));
    }

    // Titles.
    painter.setPen(Qt::black);
    painter.setFont(chartFont(15));
    painter.drawText(QRectF(plot.left(), kChartHeight - 40, plot.width(), 30), Qt::AlignCenter,
                     QStringLiteral("不足枚数（５００円玉の最低残高）"));
    painter.save();
    painter.translate(22, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, -12, plot.height(), 24), Qt::AlignCenter,
                     QStringLiteral("度数（実験の回数）"));
    painter.restore();
    painter.setFont(chartFont(17, true));
    painter.drawText(QRectF(0, 8, kChartWidth, 28), Qt::AlignCenter,
                     QStringLiteral("不足枚数の度数分布　お客人数 %1 人・実験回数 %2 回")
                             .arg(data.guests)
                             .arg(data.trials));

    // Legend, one row between the title and the plot.
    painter.setFont(chartFont(13));
    const double legendY = 50;
    double legendX = plot.left();
    auto legendText = [&](const QString& text) {
        painter.setPen(Qt::black);
        painter.drawText(QPointF(legendX + 30, legendY + 5), text);
        legendX += 30 + painter.fontMetrics().horizontalAdvance(text) + 28;
    };
    painter.fillRect(QRectF(legendX, legendY - 6, 22, 12), kBarColour);
    legendText(QStringLiteral("実験の度数"));
    painter.setPen(QPen(kExpectedColour, 2));
    painter.drawLine(QPointF(legendX, legendY), QPointF(legendX + 22, legendY));
    legendText(QStringLiteral("理論上の期待度数"));
    painter.setPen(QPen(kCoverageColour, 1.5, Qt::DashLine));
    painter.drawLine(QPointF(legendX + 11, legendY - 8), QPointF(legendX + 11, legendY + 8));
    legendText(QStringLiteral("その割合の夜に足りた５００円玉の枚数（実験から）"));
    return image;
}

QtMessageHandler qtDefaultHandler = nullptr;

void quietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    // A headless tool has no session, so the missing runtime folder of a
    // desktop session is no news to its user; everything else is passed on.
    if (type == QtWarningMsg
        && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    qtDefaultHandler(type, context, message);
}

// Fonts, and so text, need a QGuiApplication; no display is needed unless
// the caller chose a platform.
std::unique_ptr<QGuiApplication> startGui()
{
    if (QGuiApplication::instance() != nullptr)
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qtDefaultHandler = qInstallMessageHandler(quietQtMessages);
    static int argc = 1;
    static char name[] = "torumina-sim";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

ChartData chartData(const SimRun& run, const ExactDistribution& exact)
{
    ChartData data;
    data.guests = run.guests;
    data.trials = run.trials;
    data.counts = run.result.lowestBalanceCounts;
    data.lowest = -exact.coinsToPrepare(0.999);
    for (std::size_t i = 0; i < kCoveragePercents.size(); ++i)
        data.coins[i] = coinsThatSufficed(run.result, run.trials, kCoveragePercents[i]);
    for (int m = -run.guests; m <= 1; ++m) {
        const auto i = static_cast<std::size_t>(m + kMaxCustomers);
        data.expected[i] = run.trials * exact.probability(m);
        if (data.counts[i] > 0)
            data.lowest = std::min(data.lowest, m);
    }
    return data;
}

QByteArray chartPng(const ChartData& data)
{
    const auto gui = startGui();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!renderChart(data).save(&buffer, "PNG"))
        png.clear();
    return png;
}

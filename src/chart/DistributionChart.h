// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "Coverage.h"
#include "ExactDistribution.h"
#include "ExperimentEngine.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>

class QPainter;

// The size torumina-sim saves the chart at.
inline constexpr QSize kDistributionChartSize(1000, 600);

// What the chart shows: a run beside the exact distribution for its guests.
struct DistributionChart
{
    ExperimentResult run;
    ExactDistribution exact;
    // The leftmost bar; the rightmost is always 1, the highest lowest balance.
    int lowest = 0;
    // A dashed line at the coins that sufficed in the run, for each share.
    CoverageRows coverage{};

    double expectedCount(int lowestBalance) const
    {
        return run.trials * exact.probability(lowestBalance);
    }
};

// The chart of a run beside exact, the distribution for its guests, with
// the run's coverage rows. Its bars reach from the deepest balance seen, or
// the 99.9 % point of exact if no experiment went that deep, up to 1.
DistributionChart distributionChart(const ExperimentResult& run, const ExactDistribution& exact,
                                    const CoverageRows& coverage);

// Paints the chart on a white ground filling area, and nothing outside it;
// the painter is left as it was. The bars are the counts, a line over them
// the expected counts, dashed lines the coins that sufficed. A window's
// paintEvent draws with it what the PNG shows. Text needs fonts, and so a
// QGuiApplication.
void paintDistributionChart(QPainter& painter, const QRectF& area, const DistributionChart& chart);

// The chart as an image of that size, and as the bytes of a PNG file (none
// if encoding failed). Encoded in memory, so that a caller writing the file
// reports a failed write with the system's reason rather than the encoder's.
QImage distributionChartImage(const DistributionChart& chart, QSize size = kDistributionChartSize);
QByteArray distributionChartPng(const DistributionChart& chart,
                                QSize size = kDistributionChartSize);

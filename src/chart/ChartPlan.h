// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "Coverage.h"
#include "ExactDistribution.h"
#include "ExperimentEngine.h"

#include <string>

// What the chart of a run shows and at what scale, free of any way of
// drawing it: the desktop program and torumina-sim paint it with Qt, the
// page as SVG, from the same plan.

// The rightmost bar: no evening's lowest balance lies above one coin.
inline constexpr int kChartHighest = 1;

// A run beside the exact distribution for its guests.
struct DistributionChart
{
    ExperimentResult run;
    ExactDistribution exact;
    // The leftmost bar; the rightmost is kChartHighest.
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

// The chart's axes: the counts' gridlines every yStep up to yMax, and a
// label under every xStep-th balance, which leaves room for them.
struct ChartScale
{
    int bars = 0; // from lowest to kChartHighest
    double yStep = 0;
    double yMax = 0;
    int xStep = 1;
};
ChartScale chartScale(const DistributionChart& chart);

// "不足枚数の度数分布　お客人数 100 人・実験回数 1000 回".
std::string chartTitle(const ExperimentResult& run);
// The name a saved chart is offered under: "不足枚数の度数分布_100人_1000回.png".
std::string chartFileName(const ExperimentResult& run);
// A dashed line's label: "95 %：18 枚".
std::string coverageLabel(const CoverageRow& row);
inline constexpr char kChartXAxisTitle[] = "不足枚数（５００円玉の最低残高）";
inline constexpr char kChartYAxisTitle[] = "度数（実験の回数）";
inline constexpr char kChartBarsLegend[] = "実験の度数";
inline constexpr char kChartExpectedLegend[] = "理論上の期待度数";
inline constexpr char kChartCoverageLegend[] = "その割合の夜に足りた５００円玉の枚数（実験から）";

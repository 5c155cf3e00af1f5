// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ChartPlan.h"

#include <algorithm>
#include <cmath>

namespace {

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

} // namespace

DistributionChart distributionChart(const ExperimentResult& run, const ExactDistribution& exact,
                                    const CoverageRows& coverage)
{
    DistributionChart data{run, exact, -exact.coinsToPrepare(0.999), coverage};
    for (int m = -run.guests; m <= kChartHighest; ++m) {
        if (run.countOf(m) > 0)
            data.lowest = std::min(data.lowest, m);
    }
    return data;
}

ChartScale chartScale(const DistributionChart& chart)
{
    ChartScale scale;
    scale.bars = kChartHighest - chart.lowest + 1;
    double top = 1.0;
    for (int m = chart.lowest; m <= kChartHighest; ++m) {
        top = std::max({top, static_cast<double>(chart.run.countOf(m)), chart.expectedCount(m)});
    }
    scale.yStep = niceStep(top * 1.1 / 6.0);
    scale.yMax = std::ceil(top * 1.1 / scale.yStep) * scale.yStep;
    scale.xStep = std::max(1, static_cast<int>(niceStep(scale.bars / 20.0)));
    return scale;
}

std::string chartTitle(const ExperimentResult& run)
{
    return "不足枚数の度数分布　お客人数 " + std::to_string(run.guests) + " 人・実験回数 "
            + std::to_string(run.trials) + " 回";
}

std::string chartFileName(const ExperimentResult& run)
{
    return "不足枚数の度数分布_" + std::to_string(run.guests) + "人_" + std::to_string(run.trials)
            + "回.png";
}

std::string coverageLabel(const CoverageRow& row)
{
    return std::to_string(row.percent) + " %：" + std::to_string(row.inRun) + " 枚";
}

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ExactDistribution.h"
#include "ExperimentEngine.h"
#include "SimReport.h"

#include <QByteArray>

#include <array>
#include <cstdint>

inline constexpr int kChartWidth = 1000;
inline constexpr int kChartHeight = 600;

// What the chart shows, indexed by lowest balance m at m + 1000 like
// ExperimentResult::lowestBalanceCounts.
struct ChartData
{
    int guests = 0;
    int trials = 0;
    // The leftmost bar; the rightmost is always 1, the highest lowest balance.
    int lowest = 0;
    std::array<std::int32_t, kMaxCustomers + 2> counts{};
    std::array<double, kMaxCustomers + 2> expected{};
    // The coins that sufficed on each of kCoveragePercents of the evenings.
    std::array<int, kCoveragePercents.size()> coins{};
};

// From the deepest balance seen, or the 99.9 % point of the exact
// distribution if no experiment went that deep, up to 1.
ChartData chartData(const SimRun& run, const ExactDistribution& exact);

// Draws the bars of the counts with the expected counts over them; the
// PNG file's bytes, or none if encoding failed. Encoded in memory, so that
// a failed write is reported with the system's reason rather than inside
// the PNG encoder.
QByteArray chartPng(const ChartData& data);

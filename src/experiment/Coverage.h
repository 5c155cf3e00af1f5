// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ExactDistribution.h"
#include "ExperimentEngine.h"

#include <array>

// The shares of evenings the organiser is offered coins for: 90, 95 and 99 %.
inline constexpr std::array<int, 3> kCoveragePercents{90, 95, 99};

// How many coins sufficed on percent % of a run's evenings: the smallest
// k >= 0 such that at least that share of the experiments had a lowest
// balance of -k or more. Integer arithmetic, so 90 % of 1000 is exactly 900
// experiments.
int coinsThatSufficed(const ExperimentResult& result, int percent);

// The answer to the lesson's question for one share of the evenings: the
// coins that sufficed in the run, and those the exact law gives.
struct CoverageRow
{
    int percent = 0;
    int inRun = 0;
    int inTheory = 0;
};
using CoverageRows = std::array<CoverageRow, kCoveragePercents.size()>;

// The rows for kCoveragePercents, worked out once for a run so that the
// words, the chart, the copied figures and every report say the same.
CoverageRows coverageRows(const ExperimentResult& run, const ExactDistribution& exact);

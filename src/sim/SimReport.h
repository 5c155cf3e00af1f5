// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ExactDistribution.h"
#include "ExperimentEngine.h"
#include "SimOptions.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The coverages the organiser is offered: coins enough for 90, 95 and 99 %
// of evenings.
inline constexpr std::array<int, 3> kCoveragePercents{90, 95, 99};

struct SimRun
{
    int guests = 0;
    int trials = 0;
    std::uint64_t seed = 0;
    ExperimentResult result;
    // Present when --exact was given.
    std::optional<ExactDistribution> exact;
};

// The smallest k >= 0 such that at least percent % of the experiments had a
// lowest balance of -k or more; integer arithmetic, so 90 % of 1000 is
// exactly 900 experiments.
int simulatedCoins(const ExperimentResult& result, int trials, int percent);

// Text and CSV name the guests, the trials and the seed before the table;
// JSON gives the seed as a string, since a JSON number loses digits above
// 2^53. CSV starts with a byte order mark, which Japanese spreadsheet
// programs need to read UTF-8, and rounds what the theory gives to what a
// reader uses; JSON keeps every digit.
std::string formatReport(const SimRun& run, OutputFormat format);

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
    std::optional<std::uint64_t> seed;
    ExperimentResult result;
    // Present when --exact was given.
    std::optional<ExactDistribution> exact;
};

// The smallest k >= 0 such that at least percent % of the experiments had a
// lowest balance of -k or more; integer arithmetic, so 90 % of 1000 is
// exactly 900 experiments.
int simulatedCoins(const ExperimentResult& result, int trials, int percent);

std::string formatReport(const SimRun& run, OutputFormat format);

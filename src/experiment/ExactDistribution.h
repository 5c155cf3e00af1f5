// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ExperimentEngine.h"

#include <array>

// The law of the lowest balance m = min(S_1, ..., S_n) of n fair +1/-1
// steps, the quantity the engine samples. The start balance 0 is not among
// the S_i, so m ranges over -n..1.
struct ExactDistribution
{
    int guestCount = 0;
    // P(m) at index m + 1000, laid out like ExperimentResult::lowestBalanceCounts.
    std::array<double, kMaxGuests + 2> lowestBalanceProbabilities{};
    // Indexed 1..63 like ExperimentResult::frequencyCounts; element 0 unused.
    std::array<double, kClassCount + 1> classProbabilities{};
    double mean = 0.0;
    double variance = 0.0;

    // P(m == lowestBalance); 0 outside -guestCount..1.
    double probability(int lowestBalance) const;
    // P(m falls in class k of the table), k in 1..63.
    double classProbability(int k) const;

    // The smallest k >= 0 with P(m >= -k) >= coverage: k coins prepared
    // before the first guest never run out on that fraction of evenings.
    // Throws std::invalid_argument unless 0 <= coverage <= 1.
    int coinsToPrepare(double coverage) const;
};

// The experiments of the run that class k of the table may expect.
double expectedCount(const ExperimentResult& run, const ExactDistribution& exact, int k);

// Throws std::invalid_argument unless kMinGuests <= guestCount <= kMaxGuests.
ExactDistribution exactDistribution(int guestCount);

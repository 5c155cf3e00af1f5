// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ExperimentEngine.h"

#include <array>

// The shares of evenings the organiser is offered coins for: 90, 95 and 99 %.
inline constexpr std::array<int, 3> kCoveragePercents{90, 95, 99};

// How many coins sufficed on percent % of a run's evenings: the smallest
// k >= 0 such that at least that share of the experiments had a lowest
// balance of -k or more. Integer arithmetic, so 90 % of 1000 is exactly 900
// experiments.
int coinsThatSufficed(const ExperimentResult& result, int percent);

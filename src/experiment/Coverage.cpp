// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "Coverage.h"

int coinsThatSufficed(const ExperimentResult& result, int trials, int percent)
{
    const auto count = [&result](int m) {
        return static_cast<long long>(
                result.lowestBalanceCounts[static_cast<std::size_t>(m + kMaxCustomers)]);
    };
    long long covered = count(1);
    for (int k = 0; k <= kMaxCustomers; ++k) {
        covered += count(-k);
        if (100 * covered >= static_cast<long long>(percent) * trials)
            return k;
    }
    return kMaxCustomers;
}

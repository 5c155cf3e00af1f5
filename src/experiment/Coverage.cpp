// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "Coverage.h"

int coinsThatSufficed(const ExperimentResult& result, int percent)
{
    long long covered = result.countOf(1);
    for (int k = 0; k <= kMaxCustomers; ++k) {
        covered += result.countOf(-k);
        if (100 * covered >= static_cast<long long>(percent) * result.trials)
            return k;
    }
    return kMaxCustomers;
}

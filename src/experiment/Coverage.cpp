// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "Coverage.h"

int coinsThatSufficed(const ExperimentResult& result, int percent)
{
    long long covered = result.countOf(1);
    for (int k = 0; k <= kMaxGuests; ++k) {
        covered += result.countOf(-k);
        if (100 * covered >= static_cast<long long>(percent) * result.trials)
            return k;
    }
    return kMaxGuests;
}

CoverageRows coverageRows(const ExperimentResult& run, const ExactDistribution& exact)
{
    CoverageRows rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int percent = kCoveragePercents[i];
        rows[i] = {percent, coinsThatSufficed(run, percent), exact.coinsToPrepare(percent / 100.0)};
    }
    return rows;
}

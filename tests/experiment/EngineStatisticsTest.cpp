// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ExactDistribution.h"

#include <gtest/gtest.h>

#include <cmath>

// P(X > x), X chi-square with dof degrees, by the Wilson-Hilferty cube-root normal approximation:
// a few per cent off in the far tail, which a threshold of 1e-5 does not notice.
static double chiSquarePValue(double x, int dof)
{
    const double v = 2.0 / (9.0 * dof), z = (std::cbrt(x / dof) - 1.0 + v) / std::sqrt(v);
    return std::erfc(z / std::sqrt(2.0)) / 2.0;
}

// Runs of 10000 experiments, every one reseeded from a clock that holds still. Each chi-square
// check (Pearson's, pooling neighbouring classes until a bin expects 5) fails by chance with
// probability 1e-5, each mean check with 6e-7.
TEST(EngineStatistics, CountsFollowTheExactDistribution)
{
    EXPECT_NEAR(chiSquarePValue(18.307038053275146, 10), 0.05, 1e-3); // a textbook quantile
    for (int guests : {100, 1000}) {
        const ExactDistribution exact = exactDistribution(guests);
        StillClock clock(36000.0f);
        RandomSource random(clock, 0x5EED);
        const ExperimentResult result = ExperimentEngine(random).run(guests, 10000);
        double statistic = 0.0, o = 0.0, e = 0.0;
        int bins = 0;
        for (std::size_t k = 1; k <= kClassCount; ++k) {
            o += result.frequencyCounts[k], e += 10000 * exact.classProbabilities[k];
            if (e >= 5.0 || (k == kClassCount && o + e > 0.0)) {
                statistic += (o - e) * (o - e) / e; // infinite for counts where none are expected
                ++bins;
                o = e = 0.0;
            }
        }
        EXPECT_GT(chiSquarePValue(statistic, bins - 1), 1e-5) << guests;
        EXPECT_NEAR(result.meanLowestBalance, exact.mean, 5 * std::sqrt(exact.variance / 10000))
                << guests;
    }
}

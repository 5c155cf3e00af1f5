#include "ChiSquare.h"
#include "ExactDistribution.h"

#include <gtest/gtest.h>

// Runs of 10000 experiments, every one reseeded from a clock that holds still. Each chi-square
// check fails by chance with probability 1e-5, each mean check with 6e-7.
TEST(EngineStatistics, CountsFollowTheExactDistribution)
{
    EXPECT_NEAR(chiSquarePValue(18.307038053275146, 10), 0.05, 1e-3); // a textbook quantile
    for (int guests : {100, 1000}) {
        const ExactDistribution exact = exactDistribution(guests);
        StillClock clock(36000.0f);
        RandomSource random(clock, 0x5EED);
        const ExperimentResult result = ExperimentEngine(random).run(guests, 10000);
        auto observed = [&](std::size_t k) { return double(result.frequencyCounts[k]); };
        auto expected = [&](std::size_t k) { return 10000 * exact.classProbabilities[k]; };
        EXPECT_GT(pooledChiSquarePValue(1, kClassCount, observed, expected), 1e-5) << guests;
        EXPECT_NEAR(result.meanLowestBalance, exact.mean, 5 * std::sqrt(exact.variance / 10000))
                << guests;
    }
}

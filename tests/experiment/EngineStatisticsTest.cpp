#include "ChiSquare.h"
#include "ExactDistribution.h"
#include "TickingClock.h"

#include <gtest/gtest.h>

// A still clock and one ticking with the 1/64 s timer. Each chi-square check
// fails by chance with probability 1e-5, each mean check with 6e-7.
TEST(EngineStatistics, CountsFollowTheExactDistribution)
{
    EXPECT_NEAR(chiSquarePValue(18.307038053275146, 10), 0.05, 1e-9); // a textbook quantile
    const ExactDistribution exact = exactDistribution(100);
    for (float tick : {0.0f, 1.0f / 64.0f}) {
        TickingClock clock(tick);
        RandomSource random(clock, 0x5EED);
        const ExperimentResult result = ExperimentEngine(random).run(100, 10000);
        auto observed = [&](std::size_t k) { return double(result.frequencyCounts[k]); };
        auto expected = [&](std::size_t k) { return 10000 * exact.classProbabilities[k]; };
        EXPECT_GT(pooledChiSquarePValue(1, kClassCount, observed, expected), 1e-5)
                << "tick " << tick;
        EXPECT_NEAR(result.meanLowestBalance, exact.mean, 5 * std::sqrt(exact.variance / 10000))
                << "tick " << tick;
    }
}

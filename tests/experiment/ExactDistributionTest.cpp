// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "Coverage.h"
#include "ExactDistribution.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

// Every guest count against a dynamic programme of its own. h[a] = P(S_i < a for some i <= n), by
// the first step: after a step up the rest falls below with h_{n-1}(a - 1), or surely if a > 1;
// after a step down with h_{n-1}(a + 1), or surely if a > -1. Then P(m) = h[m + 1] - h[m].
TEST(ExactDistribution, MatchesADynamicProgrammeForEveryGuestCount)
{
    const auto at = [](int a) { return std::size_t(a + kMaxGuests + 1); };
    std::vector<double> h(at(3)), next(h.size()); // n = 0: never below anything
    for (int n = 1; n <= kMaxGuests; ++n) {
        SCOPED_TRACE(testing::Message() << "n = " << n);
        for (int a = 1 - n; a <= 2; ++a)
            next[at(a)] = ((a <= 1 ? h[at(a - 1)] : 1.0) + (a <= -1 ? h[at(a + 1)] : 1.0)) / 2;
        h.swap(next);
        const ExactDistribution d = exactDistribution(n);
        std::map<int, double> classes;
        double mean = 0.0, square = 0.0;
        for (int m = -n; m <= 1; ++m) {
            const double p = h[at(m + 1)] - h[at(m)];
            EXPECT_NEAR(d.probability(m), p, 1e-12) << "m = " << m;
            classes[classIndex(m)] += p;
            mean += m * p;
            square += m * m * p;
        }
        for (int k = 1; k <= kClassCount; ++k)
            EXPECT_NEAR(d.classProbabilities[std::size_t(k)], classes[k], 1e-12) << "class " << k;
        EXPECT_NEAR(d.mean, mean, 1e-12);
        EXPECT_NEAR(d.variance, square - mean * mean, 1e-9);
        // Every step down: far below what a difference of h resolves.
        EXPECT_NEAR(d.probability(-n) / std::ldexp(1.0, -n), 1.0, 1e-12);
        EXPECT_EQ(d.probability(-n - 1) + d.probability(2), 0.0);
        for (double q : {0.5, 0.9, 0.99}) {
            int k = 0;
            for (double covered = 1.0 - h[at(0)]; covered < q; ++k)
                covered += h[at(-k)] - h[at(-k - 1)];
            EXPECT_EQ(d.coinsToPrepare(q), k) << "coverage " << q;
        }
        EXPECT_EQ(d.coinsToPrepare(1.0), n);
    }
}

// 20 evenings: 10 ended at a lowest balance of +1, 8 at 0, 1 at -1 and 1 at -4. k coins cover an
// evening whose lowest balance is -k or more.
TEST(Coverage, ExactShareOfEveningsIsEnough)
{
    ExperimentResult result{.trials = 20};
    for (const auto& [m, count] : {std::pair{1, 10}, {0, 8}, {-1, 1}, {-4, 1}})
        for (int n = 0; n < count; ++n)
            result.record(m);
    EXPECT_EQ(coinsThatSufficed(result, 90), 0) << "no coin covers 18 of 20 evenings, 90 %";
    EXPECT_EQ(coinsThatSufficed(result, 95), 1) << "1 coin covers 19 of 20 evenings, 95 %";
    EXPECT_EQ(coinsThatSufficed(result, 99), 4) << "only 4 coins cover more than 19.8 of 20";
}

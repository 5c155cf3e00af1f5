#include "ExactDistribution.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

constexpr double kTolerance = 1e-12;

// p[m] = P(lowest balance = m) from an independent computation.
void expectAgrees(int n, std::map<int, double> p)
{
    SCOPED_TRACE(testing::Message() << "n = " << n);
    const ExactDistribution d = exactDistribution(n);
    std::map<int, double> classes;
    double mean = 0.0, variance = 0.0;
    for (int m = -n; m <= 1; ++m) {
        EXPECT_NEAR(d.probability(m), p[m], kTolerance) << "m = " << m;
        classes[classIndex(m)] += p[m];
        mean += m * p[m];
    }
    for (int m = -n; m <= 1; ++m)
        variance += (m - mean) * (m - mean) * p[m];
    for (const auto& [k, q] : classes)
        EXPECT_NEAR(d.classProbabilities[std::size_t(k)], q, kTolerance) << "class " << k;
    EXPECT_NEAR(d.mean, mean, kTolerance);
    EXPECT_NEAR(d.variance, variance, kTolerance);
    for (double q : {0.5, 0.9, 0.95, 0.99, 0.999}) {
        int k = 0;
        for (double covered = p[1] + p[0]; covered < q;)
            covered += p[-++k];
        EXPECT_EQ(d.coinsToPrepare(q), k) << "coverage " << q;
    }
}

TEST(ExactDistribution, MatchesEveryWalkUpTo16Guests)
{
    for (int n = 1; n <= 16; ++n) {
        std::map<int, double> p;
        for (unsigned walk = 0; walk < (1u << n); ++walk) {
            int balance = 0, lowest = 1;
            for (int i = 0; i < n; ++i)
                lowest = std::min(lowest, balance += (walk >> i & 1u) ? 1 : -1);
            p[lowest] += std::ldexp(1.0, -n);
        }
        expectAgrees(n, p);
    }
}

// h[a] = P(S_i < a for some i <= n), by the first step: after a step up the rest
// falls below with h_{n-1}(a - 1), or surely if a > 1; after a step down with h_{n-1}(a + 1), or
// surely if a > -1.
TEST(ExactDistribution, MatchesADynamicProgrammeUpTo200Guests)
{
    std::map<int, double> h; // n = 0: never below anything
    for (int n = 1; n <= 200; ++n) {
        std::map<int, double> next, p;
        for (int a = 1 - n; a <= 2; ++a)
            next[a] = ((a <= 1 ? h[a - 1] : 1.0) + (a <= -1 ? h[a + 1] : 1.0)) / 2;
        h.swap(next);
        for (int m = -n; m <= 1; ++m)
            p[m] = h[m + 1] - h[m];
        expectAgrees(n, p);
    }
}

TEST(ExactDistribution, StaysFiniteAndNormalisedUpTo1000Guests)
{
    for (int n = 1; n <= kMaxCustomers; ++n) {
        SCOPED_TRACE(testing::Message() << "n = " << n);
        const ExactDistribution d = exactDistribution(n);
        double sum = 0.0, classSum = 0.0; // of absolute values: NaN or a negative term shows
        for (int m = -n - 1; m <= 2; ++m)
            sum += std::fabs(d.probability(m));
        for (double p : d.classProbabilities)
            classSum += std::fabs(p);
        EXPECT_NEAR(sum, 1.0, kTolerance);
        EXPECT_NEAR(classSum, 1.0, kTolerance);
        EXPECT_NEAR(d.probability(-n) / std::ldexp(1.0, -n), 1.0, kTolerance); // every step down
        EXPECT_TRUE(std::isfinite(d.mean) && std::isfinite(d.variance) && d.variance > 0.0);
        EXPECT_EQ(d.coinsToPrepare(1.0), n);
    }
}

} // namespace

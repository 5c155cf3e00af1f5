// The engine's counts against the exact distribution of the lowest point of
// a fair ±1 walk, worked out here by dynamic programming over the walk and
// independent of the engine's own arithmetic.

#include "ExperimentEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kGuests = 100;
constexpr int kTrials = 10000;

// P(min(S_1..S_n) = m) for m = -n..1, at index m + n.
std::vector<double> lowestBalanceDistribution(int n) {
    // atLeast[a + n] = P(S_i >= a for every i in 1..n); a = 2 is impossible.
    std::vector<double> atLeast(static_cast<std::size_t>(n + 3), 0.0);
    for (int a = -n; a <= 1; ++a) {
        // alive[s + n + 1]: probability of being at s without having gone
        // below a; S_0 = 0 itself is not tested.
        std::vector<double> alive(static_cast<std::size_t>(2 * n + 3), 0.0);
        alive[static_cast<std::size_t>(n + 1)] = 1.0;
        for (int step = 0; step < n; ++step) {
            std::vector<double> nextAlive(alive.size(), 0.0);
            for (std::size_t k = 1; k + 1 < alive.size(); ++k) {
                nextAlive[k - 1] += 0.5 * alive[k];
                nextAlive[k + 1] += 0.5 * alive[k];
            }
            for (int s = -n - 1; s < a; ++s) {
                nextAlive[static_cast<std::size_t>(s + n + 1)] = 0.0;
            }
            alive = std::move(nextAlive);
        }
        double total = 0.0;
        for (double p : alive) total += p;
        atLeast[static_cast<std::size_t>(a + n)] = total;
    }
    std::vector<double> exactly(static_cast<std::size_t>(n + 2));
    for (std::size_t k = 0; k < exactly.size(); ++k) {
        exactly[k] = atLeast[k] - atLeast[k + 1];
    }
    return exactly;
}

// Regularised upper incomplete gamma Q(a, x): a series below a + 1, a
// continued fraction (modified Lentz) above.
double upperGammaQ(double a, double x) {
    const double logPrefix = -x + a * std::log(x) - std::lgamma(a);
    if (x < a + 1.0) {
        double term = 1.0 / a, sum = term;
        for (int k = 1; k < 10000 && term > sum * 1e-16; ++k) {
            term *= x / (a + k);
            sum += term;
        }
        return 1.0 - sum * std::exp(logPrefix);
    }
    constexpr double tiny = 1e-300;
    double b = x + 1.0 - a, c = 1.0 / tiny, d = 1.0 / b, h = d;
    for (int k = 1; k < 10000; ++k) {
        const double an = -k * (k - a);
        b += 2.0;
        d = an * d + b;
        d = std::fabs(d) < tiny ? tiny : d;
        c = b + an / c;
        c = std::fabs(c) < tiny ? tiny : c;
        d = 1.0 / d;
        h *= d * c;
        if (std::fabs(d * c - 1.0) < 1e-16) break;
    }
    return std::exp(logPrefix) * h;
}

double chiSquarePValue(double statistic, int degreesOfFreedom) {
    return upperGammaQ(degreesOfFreedom / 2.0, statistic / 2.0);
}

class StillClock final : public Clock {
public:
    float secondsSinceMidnight() override { return 36000.0f; }
};

// Advances one coarse timer tick per reading.
class TickingClock final : public Clock {
public:
    float secondsSinceMidnight() override { return seconds_ += 1.0f / 64.0f; }

private:
    float seconds_ = 36000.0f;
};

// Each comparison fails by chance with probability 1e-5; the mean check at
// five standard errors with about 6e-7. The suite as a whole stays below
// 1e-4.
constexpr double kFalseAlarmRate = 1e-5;

void expectExactDistribution(Clock& clock, std::uint64_t seed) {
    XoshiroRandomSource random(clock, seed);
    ExperimentEngine engine(random);
    const ExperimentResult result = engine.run(kGuests, kTrials);
    const std::vector<double> p = lowestBalanceDistribution(kGuests);

    std::array<double, kClassCount + 1> expected{};
    double mean = 0.0, meanSquare = 0.0;
    for (int m = -kGuests; m <= 1; ++m) {
        const double pm = p[static_cast<std::size_t>(m + kGuests)];
        expected[static_cast<std::size_t>(classIndex(m))] += kTrials * pm;
        mean += m * pm;
        meanSquare += m * pm * m;
    }

    // Neighbouring classes pooled until each bin expects at least five.
    double statistic = 0.0, binExpected = 0.0, binObserved = 0.0;
    int bins = 0;
    for (int c = 1; c <= kClassCount; ++c) {
        const auto cls = static_cast<std::size_t>(c);
        if (expected[cls] == 0.0) {
            EXPECT_EQ(result.frequencyCounts[cls], 0) << "impossible class " << c;
            continue;
        }
        binExpected += expected[cls];
        binObserved += result.frequencyCounts[cls];
        const bool lastPossible = c == classIndex(1);
        if (binExpected >= 5.0 || lastPossible) {
            statistic += (binObserved - binExpected) * (binObserved - binExpected) / binExpected;
            ++bins;
            binExpected = binObserved = 0.0;
        }
    }
    ASSERT_GT(bins, 20);
    EXPECT_GT(chiSquarePValue(statistic, bins - 1), kFalseAlarmRate)
        << "chi-square " << statistic << " over " << bins << " bins";

    const double standardError = std::sqrt((meanSquare - mean * mean) / kTrials);
    EXPECT_NEAR(result.meanLowestBalance, mean, 5.0 * standardError);
}

} // namespace

TEST(EngineStatistics, ChiSquareToolIsCalibrated) {
    // Textbook quantiles of the chi-square distribution.
    EXPECT_NEAR(chiSquarePValue(3.841458820694124, 1), 0.05, 1e-9);
    EXPECT_NEAR(chiSquarePValue(18.307038053275146, 10), 0.05, 1e-9);
    EXPECT_NEAR(chiSquarePValue(73.40196, 40), 0.001, 1e-6);
    const std::vector<double> p = lowestBalanceDistribution(4);
    // Walks of four steps: 16 equally likely; min 1 needs + then no return.
    EXPECT_NEAR(p[1 + 4], 3.0 / 16.0, 1e-15);
    EXPECT_NEAR(p[-4 + 4], 1.0 / 16.0, 1e-15);
}

TEST(EngineStatistics, LowestBalancesFollowTheWalkWithAStillClock) {
    StillClock clock;
    expectExactDistribution(clock, 0x5EED);
}

TEST(EngineStatistics, LowestBalancesFollowTheWalkWithATickingClock) {
    TickingClock clock;
    expectExactDistribution(clock, 0x5EED);
}

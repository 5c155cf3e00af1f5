#include "ExactDistribution.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

constexpr double kTolerance = 1e-12;
constexpr double kCoverages[] = {0.5, 0.9, 0.95, 0.99, 0.999};

// P(m) for m = -n..1 at index m + n, worked out without the reflection
// principle; the checks below compare everything against it.
struct Reference {
    int n;
    std::vector<double> p;

    double at(int m) const { return p[static_cast<std::size_t>(m + n)]; }

    double mean() const {
        double sum = 0.0;
        for (int m = -n; m <= 1; ++m) sum += m * at(m);
        return sum;
    }
    double variance() const {
        const double mu = mean();
        double sum = 0.0;
        for (int m = -n; m <= 1; ++m) sum += (m - mu) * (m - mu) * at(m);
        return sum;
    }
    // Accumulated from the top, the other way round from the code under test.
    int coins(double coverage) const {
        double covered = at(1);
        for (int k = 0; k <= n; ++k) {
            covered += at(-k);
            if (covered >= coverage) return k;
        }
        return n;
    }
};

// Every one of the 2^n walks, counted exactly.
Reference bruteForce(int n) {
    std::vector<std::uint64_t> counts(static_cast<std::size_t>(n) + 2);
    for (std::uint32_t walk = 0; walk < (1u << n); ++walk) {
        int balance = 0;
        int lowest = n + 1;
        for (int i = 0; i < n; ++i) {
            balance += ((walk >> i) & 1u) ? 1 : -1;
            lowest = std::min(lowest, balance);
        }
        ++counts[static_cast<std::size_t>(lowest + n)];
    }
    Reference r{n, {}};
    for (std::uint64_t c : counts) r.p.push_back(std::ldexp(static_cast<double>(c), -n));
    return r;
}

// Forward recursion over (balance, lowest so far); one pass yields every n.
std::vector<Reference> dynamicProgramme(int maxN) {
    const int width = 2 * maxN + 3;
    auto cell = [width, maxN](int balance, int lowest) {
        return static_cast<std::size_t>((balance + maxN + 1) * width + (lowest + maxN + 1));
    };
    std::vector<double> now(static_cast<std::size_t>(width * width));
    now[cell(1, 1)] = 0.5;
    now[cell(-1, -1)] = 0.5;
    std::vector<Reference> out{{0, {}}};
    for (int n = 1; n <= maxN; ++n) {
        Reference r{n, std::vector<double>(static_cast<std::size_t>(n) + 2)};
        for (int b = -n; b <= n; ++b)
            for (int lo = -n; lo <= std::min(b, 1); ++lo)
                r.p[static_cast<std::size_t>(lo + n)] += now[cell(b, lo)];
        out.push_back(r);
        if (n == maxN) break;
        std::vector<double> next(now.size());
        for (int b = -n; b <= n; ++b) {
            for (int lo = -n; lo <= std::min(b, 1); ++lo) {
                const double p = now[cell(b, lo)];
                if (p == 0.0) continue;
                next[cell(b + 1, lo)] += p / 2;
                next[cell(b - 1, std::min(lo, b - 1))] += p / 2;
            }
        }
        now.swap(next);
    }
    return out;
}

void expectAgrees(const Reference& ref) {
    SCOPED_TRACE(testing::Message() << "n = " << ref.n);
    const ExactDistribution d = exactDistribution(ref.n);
    std::vector<double> classes(kClassCount + 1);
    for (int m = -ref.n; m <= 1; ++m) {
        EXPECT_NEAR(d.probability(m), ref.at(m), kTolerance) << "m = " << m;
        classes[static_cast<std::size_t>(classIndex(m))] += ref.at(m);
    }
    for (int k = 1; k <= kClassCount; ++k)
        EXPECT_NEAR(d.classProbabilities[static_cast<std::size_t>(k)], classes[static_cast<std::size_t>(k)],
                    kTolerance)
            << "class " << k;
    EXPECT_NEAR(d.mean, ref.mean(), kTolerance);
    EXPECT_NEAR(d.variance, ref.variance(), kTolerance);
    for (double q : kCoverages) EXPECT_EQ(d.coinsToPrepare(q), ref.coins(q)) << "coverage " << q;
}

TEST(ExactDistribution, MatchesEveryWalkUpToSixteenGuests) {
    for (int n = 1; n <= 16; ++n) expectAgrees(bruteForce(n));
}

TEST(ExactDistribution, MatchesDynamicProgrammeUpTo200Guests) {
    const std::vector<Reference> refs = dynamicProgramme(200);
    for (int n = 1; n <= 200; ++n) expectAgrees(refs[static_cast<std::size_t>(n)]);
}

// Where overflow or underflow would show: the sum, the far tail 2^-n and the
// class totals across the whole range of the engine.
TEST(ExactDistribution, StaysFiniteAndNormalisedUpTo1000Guests) {
    for (int n = 1; n <= kMaxCustomers; ++n) {
        SCOPED_TRACE(testing::Message() << "n = " << n);
        const ExactDistribution d = exactDistribution(n);
        double sum = 0.0;
        double classSum = 0.0;
        for (int m = -n; m <= 1; ++m) {
            ASSERT_TRUE(std::isfinite(d.probability(m)) && d.probability(m) >= 0.0) << "m = " << m;
            sum += d.probability(m);
        }
        for (double p : d.classProbabilities) classSum += p;
        EXPECT_NEAR(sum, 1.0, kTolerance);
        EXPECT_NEAR(classSum, 1.0, kTolerance);
        EXPECT_NEAR(d.probability(-n) / std::ldexp(1.0, -n), 1.0, kTolerance);
        EXPECT_EQ(d.probability(-n - 1), 0.0);
        EXPECT_EQ(d.probability(2), 0.0);
        EXPECT_EQ(d.classProbabilities[61] + d.classProbabilities[62] + d.classProbabilities[63], 0.0);
        EXPECT_TRUE(std::isfinite(d.mean) && d.mean < 1.0 && d.mean >= -n);
        EXPECT_TRUE(std::isfinite(d.variance) && d.variance > 0.0);
    }
}

TEST(ExactDistribution, CoverageAtTheEnds) {
    const ExactDistribution d = exactDistribution(100);
    EXPECT_EQ(d.coinsToPrepare(0.0), 0);
    EXPECT_EQ(d.coinsToPrepare(1.0), 100);
    // Half the walks of one guest start upwards: no coin is needed for them.
    EXPECT_EQ(exactDistribution(1).coinsToPrepare(0.5), 0);
    EXPECT_EQ(exactDistribution(1).coinsToPrepare(0.51), 1);
}

TEST(ExactDistribution, RejectsArgumentsOutsideTheirRange) {
    for (int n : {0, -1, kMaxCustomers + 1}) EXPECT_THROW(exactDistribution(n), std::invalid_argument) << n;
    const ExactDistribution d = exactDistribution(10);
    for (double q : {-0.01, 1.01, std::nan("")}) EXPECT_THROW(d.coinsToPrepare(q), std::invalid_argument) << q;
}

} // namespace

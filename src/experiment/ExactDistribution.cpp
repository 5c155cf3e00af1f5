// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ExactDistribution.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::size_t at(int lowestBalance)
{
    return static_cast<std::size_t>(lowestBalance + kMaxGuests);
}

// C(n, j) / 2^n for j = 0..n. Factorials overflow long before n = 1000 and
// lgamma loses about twelve digits there, so the row is built by ratios:
// the central term as a product of n factors near 1, then outwards by
// C(n, j + 1) = C(n, j) (n - j) / (j + 1). Every term is at least 2^-1000,
// well inside the normal range of a double.
std::vector<double> binomialRow(int n)
{
    double central = 1.0; // C(t, floor(t/2)) / 2^t, grown from t = 0
    for (int t = 1; t <= n; ++t) {
        if (t % 2 == 1) {
            central *= static_cast<double>(t) / static_cast<double>(t + 1);
        }
    }
    std::vector<double> row(static_cast<std::size_t>(n) + 1);
    const int middle = n / 2;
    row[static_cast<std::size_t>(middle)] = central;
    for (int j = middle; j < n; ++j) {
        row[static_cast<std::size_t>(j) + 1] = row[static_cast<std::size_t>(j)]
                * static_cast<double>(n - j) / static_cast<double>(j + 1);
    }
    for (int j = 0; j < middle; ++j) {
        row[static_cast<std::size_t>(j)] = row[static_cast<std::size_t>(n - j)];
    }
    return row;
}

} // namespace

double ExactDistribution::probability(int lowestBalance) const
{
    if (lowestBalance < -guestCount || lowestBalance > 1) {
        return 0.0;
    }
    return lowestBalanceProbabilities[at(lowestBalance)];
}

double ExactDistribution::classProbability(int k) const
{
    return classProbabilities.at(static_cast<std::size_t>(k));
}

double expectedCount(const ExperimentResult& run, const ExactDistribution& exact, int k)
{
    return run.trials * exact.classProbability(k);
}

int ExactDistribution::coinsToPrepare(double coverage) const
{
    if (!(coverage >= 0.0 && coverage <= 1.0)) {
        throw std::invalid_argument("coverage " + std::to_string(coverage) + " is outside 0..1");
    }
    // P(m < -k) summed from the far tail, smallest terms first: the
    // complement 1 - P(m >= -k) would lose the digits that decide q = 0.99.
    const double allowedShortfall = 1.0 - coverage;
    int coins = guestCount;
    double shortfall = 0.0;
    for (int k = guestCount - 1; k >= 0; --k) {
        shortfall += probability(-(k + 1));
        if (shortfall > allowedShortfall) {
            break;
        }
        coins = k;
    }
    return coins;
}

ExactDistribution exactDistribution(int guestCount)
{
    requireInRange("guestCount", guestCount, kMinGuests, kMaxGuests);
    const int n = guestCount;
    const std::vector<double> row = binomialRow(n);
    auto binomial = [&row](int j) { return row[static_cast<std::size_t>(j)]; };

    // Reflection principle, with S_0 = 0 left out of the minimum:
    //   P(m >= -k) = P(-k <= S_n <= k + 1) for k >= 0, hence for k >= 1
    //   P(m = -k)  = P(S_n in {k, k + 1}) = C(n, floor((n + k + 1) / 2)) / 2^n;
    //   P(m = 1)   = P(S_1 > 0, ..., S_n > 0) = C(n - 1, floor(n / 2)) / 2^n,
    // and P(m = 0) = P(S_n in {0, 1}) - P(m = 1). Both of the last two are
    // the central term times a ratio, so nothing is cancelled.
    ExactDistribution d;
    d.guestCount = n;
    const double central = binomial(n / 2);
    d.lowestBalanceProbabilities[at(1)] = central * static_cast<double>(n - n / 2) / n;
    d.lowestBalanceProbabilities[at(0)] = central * static_cast<double>(n / 2) / n;
    for (int k = 1; k <= n; ++k) {
        d.lowestBalanceProbabilities[at(-k)] = binomial((n + k + 1) / 2);
    }

    // Deepest balances first, so the small terms are added before the large.
    double mean = 0.0;
    for (int m = -n; m <= 1; ++m) {
        const double p = d.probability(m);
        d.classProbabilities[static_cast<std::size_t>(classIndex(m))] += p;
        mean += m * p;
    }
    double variance = 0.0;
    for (int m = -n; m <= 1; ++m) {
        const double deviation = m - mean;
        variance += deviation * deviation * d.probability(m);
    }
    d.mean = mean;
    d.variance = variance;
    return d;
}

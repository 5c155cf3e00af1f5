#pragma once

#include <cmath>
#include <cstddef>

// P(X > x), X chi-square with dof degrees: Q(dof/2, x/2) by the lower gamma series.
inline double chiSquarePValue(double x, int dof)
{
    const double a = dof / 2.0, h = x / 2.0;
    double term = 1.0 / a, sum = term;
    for (int n = 1; n < 10000 && term > sum * 1e-17; ++n)
        sum += term *= h / (a + n);
    return h > 500.0 ? 0.0 : 1.0 - sum * std::exp(a * std::log(h) - h - std::lgamma(a));
}

// Pearson's test of observed(k) against expected(k), k = first..last, pooling neighbours until a
// bin expects 5.
template<typename Observed, typename Expected>
double pooledChiSquarePValue(std::size_t first, std::size_t last, Observed observed,
                             Expected expected)
{
    double statistic = 0.0, o = 0.0, e = 0.0;
    int bins = 0;
    for (std::size_t k = first; k <= last; ++k) {
        o += observed(k);
        e += expected(k);
        if (e >= 5.0 || (k == last && o + e > 0.0)) {
            statistic += (o - e) * (o - e) / e; // infinite for counts where none are expected
            ++bins;
            o = e = 0.0;
        }
    }
    return chiSquarePValue(statistic, bins - 1);
}

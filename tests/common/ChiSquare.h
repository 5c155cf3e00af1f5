#pragma once

#include <cmath>
#include <cstddef>

// P(X > x), X chi-square with dof degrees, by the Wilson-Hilferty cube-root normal approximation:
// a few per cent off in the far tail, which a threshold of 1e-5 does not notice.
inline double chiSquarePValue(double x, int dof)
{
    const double v = 2.0 / (9.0 * dof), z = (std::cbrt(x / dof) - 1.0 + v) / std::sqrt(v);
    return std::erfc(z / std::sqrt(2.0)) / 2.0;
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
        o += observed(k), e += expected(k);
        if (e >= 5.0 || (k == last && o + e > 0.0)) {
            statistic += (o - e) * (o - e) / e; // infinite for counts where none are expected
            ++bins;
            o = e = 0.0;
        }
    }
    return chiSquarePValue(statistic, bins - 1);
}

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "NumberFormat.h"

#include <charconv>
#include <cmath>

std::string formatMean(float value)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";

    // A float times ten is exact in a double, so the tie test below sees the
    // float's true value: -0.25f is a tie, -7.45f lies just below one.
    // std::round takes ties away from zero.
    const double tenths = std::round(static_cast<double>(value) * 10.0);

    char digits[64];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, std::fabs(tenths),
                                            std::chars_format::fixed, 0);
    (void)error; // 39 digits at most for any finite float
    std::string text(digits, end);
    text.insert(text.size() - 1, 1, '.');
    // A mean that rounds to -0 shows no sign: "-.0" would read to a student
    // as a shortage where there is none.
    if (tenths < 0.0)
        text.insert(0, 1, '-');
    return text;
}

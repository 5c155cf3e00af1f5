// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdio>

namespace {

// The value to that many decimals, correctly rounded, whatever the locale.
// The web edition's C++ library has no floating-point to_chars: there the C
// library writes it, whose locale there is always "C" and which rounds the
// same.
std::string exactDigits(double value, int decimals)
{
    char digits[400]; // 309 digits before the point at most, and a few decimals
#if defined(__cpp_lib_to_chars)
    const auto end =
            std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals)
                    .ptr;
    return {digits, end};
#else
    return {digits,
            static_cast<std::size_t>(
                    std::snprintf(digits, sizeof digits, "%.*f", decimals, value))};
#endif
}

} // namespace

std::string formatMean(float value)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";

    // A float times ten is exact in a double, so the tie test below sees the
    // float's true value: -0.25f is a tie, -7.45f lies just below one.
    // std::round takes ties away from zero.
    const double tenths = std::round(static_cast<double>(value) * 10.0);

    std::string text = formatFixed(std::fabs(tenths), 0);
    text.insert(text.size() - 1, 1, '.');
    // A mean that rounds to -0 shows no sign: "-.0" would read to a student
    // as a shortage where there is none.
    if (tenths < 0.0)
        text.insert(0, 1, '-');
    return text;
}

std::string formatFixed(double value, int decimals)
{
    // A figure exactly halfway between two texts rounds away from zero, as
    // a pupil rounds and as Qt writes it (6.25 to "6.3"), where std::to_chars
    // would round to even. Halfway at d decimals is an odd number of
    // 2^-(d + 1), which ldexp() counts exactly.
    const bool halfway = std::fabs(std::fmod(std::ldexp(value, decimals + 1), 2.0)) == 1.0;

    // -0 is written as 0, as Qt writes it: no shortage where there is none.
    value += 0.0;
    std::string text = exactDigits(value, decimals + (halfway ? 1 : 0));
    if (!halfway)
        return text;
    // The exact digits end in the 5 of the tie; the digit before it goes up.
    text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    for (std::size_t i = text.size(); i-- > 0 && text[i] != '-';) {
        if (text[i] == '.')
            continue;
        if (text[i] != '9') {
            ++text[i];
            return text;
        }
        text[i] = '0';
    }
    text.insert(text.front() == '-' ? 1 : 0, 1, '1');
    return text;
}

std::string formatMeanFigure(double value)
{
    return formatFixed(value, 4);
}

std::string formatExpectedCount(double count)
{
    return formatFixed(count, 1);
}

std::string formatPercent(int percent)
{
    return std::to_string(percent) + " %";
}

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "NumberReader.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <string>
#include <system_error>

namespace {

// An input method may deliver the full-width forms of digits, signs and
// letters; they read like their ASCII counterparts.
constexpr char16_t kFullWidthFirst = u'\uFF01';
constexpr char16_t kFullWidthLast = u'\uFF5E';
constexpr char16_t kFullWidthOffset = 0xFEE0;

bool isIgnored(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\u3000';
}

char16_t foldedToAscii(char16_t c)
{
    return c >= kFullWidthFirst && c <= kFullWidthLast ? static_cast<char16_t>(c - kFullWidthOffset)
                                                       : c;
}

// The answer as the number reader sees it: ignored characters dropped
// wherever they stand and full-width forms folded to ASCII, up to the first
// other non-ASCII code unit (a lone surrogate included), which continues no
// number.
std::string significant(std::u16string_view text)
{
    std::string ascii;
    for (char16_t c : text) {
        if (isIgnored(c))
            continue;
        c = foldedToAscii(c);
        if (c >= 0x80)
            break;
        ascii += static_cast<char>(c);
    }
    return ascii;
}

bool isDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A decimal number without a sign at first, as std::from_chars reads it: the
// longest prefix of digits, a point and digits, and an exponent with
// digits; out of range where the value is too large for a double, or too
// small to be told from zero. The web edition's C++ library has no
// floating-point from_chars: there the prefix goes to strtod, whose locale
// there is always "C", and both libraries round correctly, so both builds
// read every answer alike.
std::errc readDecimal(const char* first, const char* last, double& value)
{
#if defined(__cpp_lib_to_chars)
    return std::from_chars(first, last, value).ec;
#else
    const char* end = first;
    bool nonZero = false;
    const auto digits = [&] {
        const char* start = end;
        for (; end != last && isDecimalDigit(*end); ++end)
            nonZero = nonZero || *end != '0';
        return end != start;
    };
    bool mantissa = digits();
    if (end != last && *end == '.') {
        ++end;
        mantissa = digits() || mantissa;
    }
    if (!mantissa)
        return std::errc::invalid_argument;
    if (const char* beforeExponent = end; end != last && (*end == 'e' || *end == 'E')) {
        ++end;
        if (end != last && (*end == '+' || *end == '-'))
            ++end;
        const bool wasNonZero = nonZero;
        if (!digits())
            end = beforeExponent;
        nonZero = wasNonZero;
    }
    value = std::strtod(std::string(first, end).c_str(), nullptr);
    return std::isinf(value) || (value == 0.0 && nonZero) ? std::errc::result_out_of_range
                                                          : std::errc{};
#endif
}

// Hexadecimal or octal digits after "&H" / "&O". The value is unsigned: an
// answer "&HFFFF" means 65535, not a 16-bit -1.
std::optional<double> readRadix(const char* first, const char* last, int radix)
{
    std::uint64_t value = 0;
    if (std::from_chars(first, last, value, radix).ec == std::errc::result_out_of_range)
        return std::nullopt;
    return static_cast<double>(value);
}

} // namespace

std::optional<double> readNumber(std::u16string_view text)
{
    const std::string ascii = significant(text);
    const char* first = ascii.data();
    const char* const last = first + ascii.size();
    if (first != last && *first == '&') {
        const char radix = first + 1 != last ? first[1] : '\0';
        if (radix == 'H' || radix == 'h')
            return readRadix(first + 2, last, 16);
        if (radix == 'O' || radix == 'o')
            return readRadix(first + 2, last, 8);
        return 0.0;
    }
    const bool negative = first != last && *first == '-';
    if (first != last && (*first == '-' || *first == '+'))
        ++first;
    // Only digits or a point may start the number: from_chars would also
    // take a second sign, "inf" and "nan".
    if (first == last || !(isDecimalDigit(*first) || *first == '.'))
        return 0.0;
    double value = 0.0;
    const std::errc error = readDecimal(first, last, value);
    // Too large for a double, or too small to be told from zero: the
    // conversion does not say which, and no range accepts either.
    if (error == std::errc::result_out_of_range)
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<std::int16_t> acceptParameter(std::u16string_view answer, std::int16_t lower,
                                            std::int16_t upper)
{
    const std::optional<double> value = readNumber(answer);
    if (!value || *value < lower || *value > upper)
        return std::nullopt;
    return static_cast<std::int16_t>(std::floor(*value));
}

std::optional<std::uint64_t> readSeed(std::u16string_view text)
{
    // A cell pasted from a spreadsheet ends in a line end, CR LF on Windows.
    const auto around = [](char16_t c) { return isIgnored(c) || c == u'\r'; };
    while (!text.empty() && around(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && around(text.back()))
        text.remove_suffix(1);
    std::string digits;
    for (char16_t c : text) {
        c = foldedToAscii(c);
        if (c >= 0x80 || !isDecimalDigit(static_cast<char>(c)))
            return std::nullopt;
        digits += static_cast<char>(c);
    }
    std::uint64_t seed = 0;
    const char* const last = digits.data() + digits.size();
    if (digits.empty() || std::from_chars(digits.data(), last, seed).ec != std::errc{})
        return std::nullopt;
    return seed;
}

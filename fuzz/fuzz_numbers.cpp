// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// Feeds arbitrary UTF-16 to the answer reader and checks what must hold for
// every answer:
//  - a reading is finite, or the answer is refused;
//  - an accepted parameter lies within its bounds and is the integer part of
//    the reading;
//  - ignored characters and full-width forms change nothing: the same answer
//    with them removed or folded to ASCII reads alike;
//  - a plain ASCII decimal number reads exactly as the C library converts it.
#include "NumberReader.h"

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool holds)
{
    if (!holds)
        std::abort();
}

std::u16string normalised(std::u16string_view text)
{
    std::u16string out;
    for (char16_t c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\u3000')
            continue;
        if (c >= u'\uFF01' && c <= u'\uFF5E')
            c = static_cast<char16_t>(c - 0xFEE0);
        out += c;
    }
    return out;
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Whether the whole text is one decimal number the way both this reader and
// strtod spell it: sign, digits with at most one point, exponent with digits.
bool isPlainDecimal(std::u16string_view text)
{
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        return i - from;
    };
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == u'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == text.size();
}

void checkAgainstStrtod(std::u16string_view text, std::optional<double> reading)
{
    const std::string ascii(text.begin(), text.end());
    errno = 0;
    const double expected = std::strtod(ascii.c_str(), nullptr);
    if (std::isinf(expected)) {
        check(!reading);
    } else if (expected == 0.0 && errno == ERANGE) {
        // Too small to be told from zero: refused, as by every range.
        check(!reading);
    } else {
        check(reading && *reading == expected);
    }
}

void checkParameter(std::u16string_view text, std::optional<double> reading, std::int16_t lower,
                    std::int16_t upper)
{
    const std::optional<std::int16_t> accepted = acceptParameter(text, lower, upper);
    const bool inRange = reading && *reading >= lower && *reading <= upper;
    check(accepted.has_value() == inRange);
    if (accepted) {
        check(*accepted >= lower && *accepted <= upper);
        check(*accepted == std::floor(*reading));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);

    const std::optional<double> reading = readNumber(text);
    check(!reading || std::isfinite(*reading));

    const std::u16string plain = normalised(text);
    const std::optional<double> plainReading = readNumber(plain);
    check(plainReading.has_value() == reading.has_value());
    check(!reading || *plainReading == *reading);

    if (isPlainDecimal(plain))
        checkAgainstStrtod(plain, reading);

    checkParameter(text, reading, 10, 1000);
    checkParameter(text, reading, 1, 10000);
    return 0;
}

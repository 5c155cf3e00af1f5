// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// Feeds arbitrary UTF-16 to the answer reader and checks what a pupil may
// rely on for every answer:
//  - a reading is finite, or the answer is refused;
//  - an accepted parameter lies within its bounds;
//  - a blank typed anywhere changes nothing, and neither does typing the
//    answer's ASCII characters in their full-width forms, as a Japanese
//    input method does;
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

// The answer as a Japanese input method would type it: every printable
// ASCII character in its full-width form.
std::u16string widened(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out)
        if (c >= u'!' && c <= u'~')
            c = static_cast<char16_t>(c + 0xFEE0);
    return out;
}

bool sameReading(std::optional<double> a, std::optional<double> b)
{
    return a.has_value() == b.has_value() && (!a || *a == *b);
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

void checkParameter(std::u16string_view text, std::int16_t lower, std::int16_t upper)
{
    const std::optional<std::int16_t> accepted = acceptParameter(text, lower, upper);
    check(!accepted || (*accepted >= lower && *accepted <= upper));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);

    const std::optional<double> reading = readNumber(text);
    check(!reading || std::isfinite(*reading));

    // The first code unit says where a blank goes.
    const std::size_t at = text.empty() ? 0 : text[0] % (text.size() + 1);
    std::u16string blanked(text);
    blanked.insert(at, 1, text.size() % 2 ? u'\u3000' : u' ');
    check(sameReading(readNumber(blanked), reading));
    check(sameReading(readNumber(widened(text)), reading));

    if (isPlainDecimal(text))
        checkAgainstStrtod(text, reading);

    checkParameter(text, 10, 1000);
    checkParameter(text, 1, 10000);
    return 0;
}

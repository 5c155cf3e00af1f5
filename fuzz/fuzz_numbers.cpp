// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// What a pupil may rely on for any answer: a reading is finite or refused; an
// accepted parameter is within its bounds; a blank anywhere changes nothing,
// and neither do the full-width forms a Japanese input method types.
#include "NumberReader.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool holds)
{
    if (!holds)
        std::abort();
}

bool sameReading(std::optional<double> a, std::optional<double> b)
{
    return a.has_value() == b.has_value() && (!a || *a == *b);
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
    std::u16string blanked(text);
    blanked.insert(text.empty() ? 0 : text[0] % (text.size() + 1), 1, size % 4 ? u'\u3000' : u' ');
    check(sameReading(readNumber(blanked), reading));
    std::u16string widened(text);
    for (char16_t& c : widened)
        c = c >= u'!' && c <= u'~' ? static_cast<char16_t>(c + 0xFEE0) : c;
    check(sameReading(readNumber(widened), reading));
    for (const auto& [lower, upper] :
         {std::pair<std::int16_t, std::int16_t>{10, 1000}, {1, 10000}}) {
        const std::optional<std::int16_t> accepted = acceptParameter(text, lower, upper);
        check(!accepted || (*accepted >= lower && *accepted <= upper));
    }
    return 0;
}

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The value of the longest leading part of an answer that reads as a number.
// Blanks, tabs and line feeds are skipped wherever they stand; full-width
// forms read like their ASCII counterparts; "&H" and "&O" introduce
// hexadecimal and octal integers. A text without a number reads as 0.
// Returns nothing when a double cannot hold the number (too large, or so
// small that it would round to zero) or a radix number has more digits than
// fit, so that the caller refuses it.
std::optional<double> readNumber(std::u16string_view text);

// The integer part of an answer whose number lies in lower..upper inclusive;
// nothing when the answer is to be refused.
std::optional<std::int16_t> acceptParameter(std::u16string_view answer, std::int16_t lower,
                                            std::int16_t upper);

// A seed as a pupil types or pastes it: blanks and line ends around it are
// skipped and full-width digits read as ASCII, as an input method in
// Japanese mode gives them. Between them only digits: nothing for an empty
// text, a sign, a letter, a blank among the digits or a number beyond
// 18446744073709551615, so that a typo never plays another evening.
std::optional<std::uint64_t> readSeed(std::u16string_view text);

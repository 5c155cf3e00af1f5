// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The text the help window prints, one entry per output line. The leading
// ideographic spaces (U+3000) are part of the lines and set the indentation;
// the line breaks are where sentences continue on the next line. Free of Qt:
// the web edition shows the same lines.
inline constexpr std::size_t kHelpLineCount = 28;
extern const std::array<std::u16string_view, kHelpLineCount> kHelpText;

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QStringView>

#include <array>
#include <cstddef>

// The text the help window prints, one entry per output line. The leading
// ideographic spaces (U+3000) are part of the lines and set the indentation;
// the line breaks are where sentences continue on the next line.
inline constexpr std::size_t kHelpLineCount = 28;
extern const std::array<QStringView, kHelpLineCount> kHelpText;

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

// The mean lowest balance as the pattern "#####.0" shows it: a sign for
// negatives, no leading zero, one decimal ("-7.5", "-.4", ".0").
std::string formatMean(float value);

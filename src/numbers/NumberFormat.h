// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

// The mean lowest balance as the window shows it, short enough for its
// cell: a sign for negatives, no leading zero, one decimal ("-7.5", "-.4",
// ".0").
std::string formatMean(float value);

// A figure to that many decimals, a half rounded away from zero, with a
// leading zero and a point, which a spreadsheet reads whatever its locale's
// habits for display; independent of the C locale, which QGuiApplication
// changes when a chart is drawn.
std::string formatFixed(double value, int decimals);
// A mean, or the theory's variance, in the copied figures and torumina-sim's
// reports: four decimals ("-7.4560").
std::string formatMeanFigure(double value);
// An expected count as the theory window, the copied figures and
// torumina-sim show it: one decimal ("12.3").
std::string formatExpectedCount(double count);
// A share of the evenings: "90 %".
std::string formatPercent(int percent);

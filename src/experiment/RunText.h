// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "Coverage.h"
#include "ExactDistribution.h"
#include "ExperimentEngine.h"

#include <optional>
#include <string>

// The texts a run is told in, in UTF-8, for every program that shows one.

// The main window's table for a spreadsheet: the guests, the trials and the
// mean, then the 63 classes one a row, each caption beside its count;
// tab-separated, so that a spreadsheet pastes it into cells. Before a run
// the mean and the counts are empty.
std::string tableText(int guests, int trials, const std::optional<ExperimentResult>& run);

// tableText() with the theory beside the run: its mean, the coins for
// 90, 95 and 99 % of the evenings from the run and from the theory, and
// each class's expected count.
std::string theoryText(const ExperimentResult& run, const ExactDistribution& exact,
                       const CoverageRows& coverage);

// The lesson's question for a run:
// "５００円玉を何枚用意すればよいか（お客人数 100 人・実験回数 1000 回）".
std::string theoryQuestion(const ExperimentResult& run);

// The answer to the lesson's question for one share of the evenings:
// "この実験では 95 % の夜に 19 枚で足りました（理論では 19 枚）".
std::string coverageAnswer(const CoverageRow& row);

// "不足枚数の平均　この実験 -7.1　理論 -7.46".
std::string meansText(const ExperimentResult& run, const ExactDistribution& exact);

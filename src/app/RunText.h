// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "Coverage.h"
#include "ExactDistribution.h"
#include "ExperimentEngine.h"

#include <QString>

#include <optional>

// The main window's table for a spreadsheet: the guests, the trials and the
// mean, then the 63 classes one a row, each caption beside its count;
// tab-separated, so that a spreadsheet pastes it into cells. Before a run
// the mean and the counts are empty.
QString tableText(int guests, int trials, const std::optional<ExperimentResult>& run);

// tableText() with the theory beside the run: its mean, the coins for
// 90, 95 and 99 % of the evenings from the run and from the theory, and
// each class's expected count.
QString theoryText(const ExperimentResult& run, const ExactDistribution& exact,
                   const CoverageRows& coverage);

// The answer to the lesson's question for one share of the evenings:
// "この実験では 95 % の夜に 19 枚で足りました（理論では 19 枚）".
QString coverageAnswer(const CoverageRow& row);

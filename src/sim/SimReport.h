// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "Coverage.h"
#include "Evening.h"
#include "ExactDistribution.h"
#include "ExperimentEngine.h"
#include "SimOptions.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct SimRun
{
    std::uint64_t seed = 0;
    ExperimentResult result;
    // Present when --exact was given.
    std::optional<ExactDistribution> exact;
    // The theory's column is shown only with exact.
    CoverageRows coverage;
};

// Text and CSV name the guests, the trials and the seed before the table,
// and CSV the mean and the coins too, from the run and from the theory;
// JSON gives the seed as a string, since a JSON number loses digits above
// 2^53. CSV starts with a byte order mark, which Japanese spreadsheet
// programs need to read UTF-8, and rounds what the theory gives to what a
// reader uses; JSON keeps every digit.
std::string formatReport(const SimRun& run, OutputFormat format);

// One evening guest by guest: the toss, the payment, the stock and the
// lowest stock so far, then the lowest point with the table's class it is
// counted in, and the coins that sufficed. Text aligns the columns under
// Japanese captions; CSV starts with a byte order mark as formatReport's.
std::string formatEvening(const Evening& evening, OutputFormat format);

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "TableControls.h"

#include <cstdint>

class Dialogs;
class ExperimentEngine;

// "実験開始": runs the experiments and writes the mean and the 63 counts.
void Command1_Click(const TableControls& controls, ExperimentEngine& engine, Dialogs& dialogs,
                    std::int16_t customerCount, std::int16_t trialCount);

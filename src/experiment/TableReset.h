// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "TableControls.h"

#include <functional>

class MultimediaControl;

// "初期化": cue, blank table, and the parameters asked anew.
void Command3_Click(const TableControls& controls, MultimediaControl& media,
                    const std::function<void()>& enterParameters);

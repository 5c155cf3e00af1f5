// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class Dialogs;
class ProgramEnd;

// "終了していいですか？" with Yes as the default. Yes ends the program, and so
// does a box that closes without an answer because the program is ending
// under it. Returns whether the program goes on.
[[nodiscard]] bool confirmQuit(Dialogs& dialogs, ProgramEnd& programEnd, const QString& title);

// Asks, with a prompt naming lower and upper, until the answer's number
// lies in lower..upper and returns its integer part; nothing once the
// program is ending, which may happen under any box, so that no box is
// asked again.
std::optional<std::int16_t> askParameter(Dialogs& dialogs, ProgramEnd& programEnd,
                                         const QString& title, const QString& defaultAnswer,
                                         std::int16_t lower, std::int16_t upper);

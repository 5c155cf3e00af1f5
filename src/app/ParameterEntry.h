// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class Dialogs;
class ProgramEnd;

// "終了していいですか？" with Yes as the default. Yes ends the program;
// returns whether the program goes on.
[[nodiscard]] bool ConfirmQuit(Dialogs& dialogs, ProgramEnd& programEnd, const QString& title);

// Asks until the answer's number lies in lower..upper and returns its
// integer part; nothing when the user ended the program instead.
std::optional<std::int16_t> AskParameter(Dialogs& dialogs, ProgramEnd& programEnd,
                                         const QString& title, const QString& prompt,
                                         const QString& defaultAnswer, std::int16_t lower,
                                         std::int16_t upper);

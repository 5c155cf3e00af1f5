// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ParameterEntry.h"

#include "Dialogs.h"
#include "NumberReader.h"
#include "ProgramEnd.h"

bool ConfirmQuit(Dialogs& dialogs, ProgramEnd& programEnd, const QString& title)
{
    if (!dialogs.YesNo(QStringLiteral("終了していいですか？"), title))
        return true;
    programEnd.end();
    return false;
}

std::optional<std::int16_t> AskParameter(Dialogs& dialogs, ProgramEnd& programEnd,
                                         const QString& title, const QString& prompt,
                                         const QString& defaultAnswer, std::int16_t lower,
                                         std::int16_t upper)
{
    for (;;) {
        const QString answer = dialogs.InputBox(prompt, title, defaultAnswer);
        if (answer.isEmpty()) {
            if (!ConfirmQuit(dialogs, programEnd, QStringLiteral("確認")))
                return std::nullopt;
            continue;
        }
        const std::u16string_view text(reinterpret_cast<const char16_t*>(answer.utf16()),
                                       static_cast<std::size_t>(answer.size()));
        if (const auto value = acceptParameter(text, lower, upper))
            return value;
    }
}

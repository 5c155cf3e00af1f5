// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ParameterEntry.h"

#include "Dialogs.h"
#include "NumberReader.h"
#include "ProgramEnd.h"

bool confirmQuit(Dialogs& dialogs, ProgramEnd& programEnd, const QString& title)
{
    const std::optional<bool> yes = dialogs.askYesNo(QStringLiteral("終了していいですか？"), title);
    if (programEnd.ended())
        return false;
    if (yes == false)
        return true;
    programEnd.end();
    return false;
}

std::optional<std::int16_t> askParameter(Dialogs& dialogs, ProgramEnd& programEnd,
                                         const QString& title, const QString& defaultAnswer,
                                         std::int16_t lower, std::int16_t upper)
{
    const QString prompt =
            QStringLiteral("%1以上%2以下の整数を入力してください．．．").arg(lower).arg(upper);
    // The close box may end the program while a box is open; every box then
    // returns at once, and asking again would spin for ever.
    while (!programEnd.ended()) {
        const QString answer = dialogs.askText(prompt, title, defaultAnswer);
        if (programEnd.ended())
            break;
        if (answer.isEmpty()) {
            if (!confirmQuit(dialogs, programEnd, QStringLiteral("確認")))
                break;
            continue;
        }
        const std::u16string_view text(reinterpret_cast<const char16_t*>(answer.utf16()),
                                       static_cast<std::size_t>(answer.size()));
        if (const auto value = acceptParameter(text, lower, upper))
            return value;
    }
    return std::nullopt;
}

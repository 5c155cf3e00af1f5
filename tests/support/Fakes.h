// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "CuePlayer.h"
#include "Dialogs.h"
#include "ProgramEnd.h"
#include "Screen.h"

#include <QFileInfo>
#include <QStringList>

#include <deque>

// The boxes answer from one script, in order: an input box's text ("" is
// Cancel), or "yes", "no" or "none" (closed without an answer) for a yes/no
// box. Every box, cue and program end is written to one journal, in the
// words a user would use; a box the script has no answer for fails the test.
class Script final : public Dialogs, public ProgramEnd
{
public:
    QStringList journal;
    std::deque<QString> answers;
    std::function<void()> whileOpen = [] {}; // runs while each box is open

    QString askText(const QString& prompt, const QString& title, const QString& preset) override
    {
        return asked("ask " + title + ": " + prompt + " [" + preset + "]", "");
    }
    std::optional<bool> askYesNo(const QString& prompt, const QString& title) override
    {
        const QString answer = asked("confirm " + title + ": " + prompt, "none");
        return answer == "none" ? std::nullopt : std::optional(answer == "yes");
    }
    QString askSavePath(const QString& title, const QString& suggested,
                        const QString& filter) override
    {
        return asked("ask where " + title + ": " + filter + " [" + QFileInfo(suggested).fileName()
                             + "]",
                     "");
    }
    void inform(const QString& text, const QString& title) override
    {
        journal << "inform " + title + ": " + text;
    }
    void end() override { journal << "program ends"; }
    bool ended() const override { return journal.contains("program ends"); }

private:
    // Without a scripted answer a box is cancelled, so that a failing test still ends.
    QString asked(const QString& box, const QString& cancel)
    {
        journal << box;
        whileOpen();
        EXPECT_FALSE(answers.empty()) << "a box nobody expected: " << box;
        if (answers.empty())
            return cancel;
        const QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

struct RecordingCuePlayer final : CuePlayer
{
    explicit RecordingCuePlayer(QStringList& log) : journal(log) { }
    void play(const QString& fileName) override { journal << "cue " + fileName; }
    QStringList& journal;
};

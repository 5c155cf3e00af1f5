// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "CuePlayer.h"
#include "Dialogs.h"
#include "ProgramEnd.h"
#include "Screen.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

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
        journal << "ask " + title.trimmed() + ": " + prompt + " [" + preset + "]";
        whileOpen();
        return next("");
    }
    std::optional<bool> askYesNo(const QString& prompt, const QString& title) override
    {
        journal << "confirm " + title + ": " + prompt;
        whileOpen();
        const QString answer = next("none");
        if (answer == "none")
            return std::nullopt;
        return answer == "yes";
    }
    QString askSavePath(const QString& title, const QString& suggested,
                        const QString& filter) override
    {
        journal << "ask where " + title + ": " + filter + " ["
                        + suggested.mid(suggested.lastIndexOf('/') + 1) + "]";
        whileOpen();
        return next("");
    }
    void inform(const QString& text, const QString& title) override
    {
        journal << "inform " + title + ": " + text;
    }
    void end() override { journal << "program ends"; }
    bool ended() const override { return journal.contains("program ends"); }

private:
    // Without a scripted answer a box is cancelled, so that a test that
    // fails still ends.
    QString next(const QString& cancel)
    {
        EXPECT_FALSE(answers.empty()) << "a box nobody expected: " << journal.last().toStdString();
        if (answers.empty())
            return cancel;
        QString answer = answers.front();
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

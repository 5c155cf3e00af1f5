// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "Dialogs.h"
#include "MultimediaControl.h"
#include "ProgramEnd.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

// The boxes answer from one script, in order: an input box's text ("" is Cancel) or "yes"/"no".
// All the handlers do outside themselves goes into one journal; an unexpected box fails the test.
class Script final : public Dialogs, public ProgramEnd
{
public:
    QStringList journal;
    std::deque<QString> answers;
    std::function<void()> whileOpen; // runs while each input box is open

    QString InputBox(const QString& prompt, const QString& title, const QString& preset) override
    {
        journal << "input " + title + "|" + prompt + "|" + preset;
        if (whileOpen)
            whileOpen();
        return next();
    }
    bool YesNo(const QString& prompt, const QString& title) override
    {
        journal << "yesno " + title + "|" + prompt;
        return next() != "no";
    }
    void Inform(const QString& text, const QString& title) override
    {
        journal << "inform " + title + "|" + text;
    }
    void end() override { journal << "end"; }
    bool ended() const override { return journal.contains("end"); }

private:
    QString next()
    {
        EXPECT_FALSE(answers.empty()) << "unexpected box: " << journal.last().toStdString();
        QString answer = answers.empty() ? QString() : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }
};

struct RecordingMedia final : MultimediaControl
{
    explicit RecordingMedia(QStringList& log) : journal(log) { }
    void setCommand(const QString& command) override { journal << "media Command=" + command; }
    void setFileName(const QString& name) override { journal << "media FileName=" + name; }
    QStringList& journal;
};

#pragma once

#include "Dialogs.h"
#include "MultimediaControl.h"
#include "ProgramEnd.h"
#include "RandomSource.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

// The boxes answer from one script, in order: the text of an input box ("" is
// Cancel) or "yes"/"no". Everything the handlers do outside themselves goes
// into one journal. An unexpected box fails the test and leads to the end.
class Script final : public Dialogs, public ProgramEnd
{
public:
    QStringList journal;
    std::deque<QString> answers;
    std::function<void()> whileOpen; // runs while each input box is open
    bool hasEnded = false;

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
    void end() override
    {
        journal << "end";
        hasEnded = true;
    }
    bool ended() const override { return hasEnded; }

private:
    QString next()
    {
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected box: " << journal.last().toStdString();
            return {};
        }
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class RecordingMedia final : public MultimediaControl
{
public:
    explicit RecordingMedia(QStringList& journal) : journal_(journal) { }
    void setCommand(const QString& command) override { journal_ << "media Command=" + command; }
    void setFileName(const QString& name) override { journal_ << "media FileName=" + name; }

private:
    QStringList& journal_;
};

inline QStringList cueOf(const QString& file)
{
    return {"media Command=Stop", "media Command=Close", "media FileName=" + file,
            "media Command=Open", "media Command=Sound"};
}

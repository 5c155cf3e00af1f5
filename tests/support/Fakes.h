#pragma once

#include "Dialogs.h"
#include "MultimediaControl.h"
#include "ProgramEnd.h"
#include "RandomSource.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

// Everything the handlers do outside themselves, in order.
using Journal = std::shared_ptr<QStringList>;

// Answers the boxes from a script (an empty answer is Cancel). An unexpected
// box fails the test and is answered Cancel, then Yes, so the handler ends.
class ScriptedDialogs final : public Dialogs {
public:
    explicit ScriptedDialogs(Journal journal) : journal_(std::move(journal)) {}
    std::deque<QString> answers;
    std::deque<bool> yesNo;
    std::function<void()> whileOpen; // runs while each input box is open

    QString InputBox(const QString& prompt, const QString& title, const QString& preset) override
    {
        journal_->append(QStringLiteral("input %1|%2|%3").arg(title, prompt, preset));
        if (whileOpen)
            whileOpen();
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected input box " << title.toStdString();
            yesNo.assign(1, true);
            return {};
        }
        const QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool YesNo(const QString& prompt, const QString& title) override
    {
        journal_->append(QStringLiteral("yesno %1|%2").arg(title, prompt));
        EXPECT_FALSE(yesNo.empty()) << "unexpected yes/no box";
        const bool yes = yesNo.empty() || yesNo.front();
        if (!yesNo.empty())
            yesNo.pop_front();
        return yes;
    }
    void Inform(const QString& text, const QString& title) override
    {
        journal_->append(QStringLiteral("inform %1|%2").arg(title, text));
    }

private:
    Journal journal_;
};

class RecordingProgramEnd final : public ProgramEnd {
public:
    explicit RecordingProgramEnd(Journal journal) : journal_(std::move(journal)) {}
    void end() override
    {
        journal_->append(QStringLiteral("end"));
        ended_ = true;
    }
    bool ended() const override { return ended_; }

private:
    Journal journal_;
    bool ended_ = false;
};

class RecordingMedia final : public MultimediaControl {
public:
    explicit RecordingMedia(Journal journal) : journal_(std::move(journal)) {}
    void setCommand(const QString& command) override { journal_->append("media Command=" + command); }
    void setFileName(const QString& name) override { journal_->append("media FileName=" + name); }

private:
    Journal journal_;
};

class StillClock final : public Clock {
public:
    float secondsSinceMidnight() override { return 43200.5f; }
};

// The five entries of a sound cue of the named file.
inline QStringList cueOf(const QString& file)
{
    return {QStringLiteral("media Command=Stop"), QStringLiteral("media Command=Close"),
            "media FileName=" + file, QStringLiteral("media Command=Open"),
            QStringLiteral("media Command=Sound")};
}

#pragma once

#include "Dialogs.h"
#include "MultimediaControl.h"
#include "ProgramEnd.h"
#include "RandomSource.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>

// One journal for everything a handler does outside itself, in order, so
// that tests can check what came first.
using Journal = std::shared_ptr<QStringList>;

// Answers the boxes from a script. An unexpected box fails the test and is
// answered so that the handler ends: Cancel, then Yes to quitting.
class ScriptedDialogs final : public Dialogs {
public:
    explicit ScriptedDialogs(Journal journal) : journal_(std::move(journal)) {}

    std::deque<QString> answers;     // input boxes; an empty text is Cancel
    std::deque<bool> yesNo;          // true for Yes
    std::function<void()> whileOpen; // runs while each input box is open

    QString InputBox(const QString& prompt, const QString& title,
                     const QString& defaultAnswer) override;
    bool YesNo(const QString& prompt, const QString& title) override;
    void Inform(const QString& text, const QString& title) override;

private:
    Journal journal_;
};

class RecordingProgramEnd final : public ProgramEnd {
public:
    explicit RecordingProgramEnd(Journal journal) : journal_(std::move(journal)) {}
    void end() override;
    bool ended() const override { return ended_; }

private:
    Journal journal_;
    bool ended_ = false;
};

class RecordingMedia final : public MultimediaControl {
public:
    explicit RecordingMedia(Journal journal) : journal_(std::move(journal)) {}
    void setCommand(const QString& command) override;
    void setFileName(const QString& fileName) override;

private:
    Journal journal_;
};

class StillClock final : public Clock {
public:
    float secondsSinceMidnight() override { return 43200.5f; }
};

// Counts the journal entries that start with a prefix.
int countEntries(const QStringList& journal, const QString& prefix);

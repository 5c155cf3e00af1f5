#include "Fakes.h"

#include <gtest/gtest.h>

QString ScriptedDialogs::InputBox(const QString& prompt, const QString& title,
                                  const QString& defaultAnswer)
{
    journal_->append(QStringLiteral("input %1|%2|%3").arg(title, prompt, defaultAnswer));
    if (whileOpen)
        whileOpen();
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected input box " << title.toStdString();
        yesNo.assign(1, true);
        return {};
    }
    QString answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedDialogs::YesNo(const QString& prompt, const QString& title)
{
    journal_->append(QStringLiteral("yesno %1|%2").arg(title, prompt));
    if (yesNo.empty()) {
        ADD_FAILURE() << "unexpected yes/no box " << title.toStdString();
        return true;
    }
    const bool answer = yesNo.front();
    yesNo.pop_front();
    return answer;
}

void ScriptedDialogs::Inform(const QString& text, const QString& title)
{
    journal_->append(QStringLiteral("inform %1|%2").arg(title, text));
}

void RecordingProgramEnd::end()
{
    journal_->append(QStringLiteral("end"));
    ended_ = true;
}

void RecordingMedia::setCommand(const QString& command)
{
    journal_->append(QStringLiteral("media Command=%1").arg(command));
}

void RecordingMedia::setFileName(const QString& fileName)
{
    journal_->append(QStringLiteral("media FileName=%1").arg(fileName));
}

int countEntries(const QStringList& journal, const QString& prefix)
{
    int count = 0;
    for (const QString& entry : journal)
        count += entry.startsWith(prefix) ? 1 : 0;
    return count;
}

#pragma once

#include "ExperimentEngine.h"
#include "Fakes.h"
#include "Form1.h"

#include <QLabel>
#include <QPushButton>

// A main window whose boxes, cue, program end and random source are ours.
class MainWindowTest : public ::testing::Test
{
protected:
    Script script;
    QStringList& journal = script.journal;
    StillClock clock{43200.5f};
    RandomSource random{clock, 20261206};
    ExperimentEngine engine{random};

    std::function<std::unique_ptr<MultimediaControl>()> media()
    {
        return [this] { return std::make_unique<RecordingMedia>(journal); };
    }
    std::unique_ptr<Form1> window()
    {
        return std::make_unique<Form1>(Form1Services{script, script, engine, media(), [] {}});
    }
    // A window whose parameters were answered, and optionally run.
    std::unique_ptr<Form1> enteredWindow(const QString& guests, const QString& trials, bool run)
    {
        auto form = window();
        script.answers = {guests, trials};
        form->EnterParameters();
        if (run)
            form->Command1_Click();
        journal.clear();
        return form;
    }

    static QString text(const QWidget& form, const QString& name)
    {
        return form.findChild<QLabel*>(name)->text();
    }
    static QPushButton* button(const QWidget& form, int n)
    {
        return form.findChild<QPushButton*>(QStringLiteral("Command%1").arg(n));
    }
    // The 63 cells, then the mean, as shown.
    static QStringList shown(const QWidget& form)
    {
        QStringList cells;
        for (int k = 1; k <= 63; ++k)
            cells << text(form, QStringLiteral("dosu(%1)").arg(k));
        return cells << text(form, QStringLiteral("Label3"));
    }
    static int tableSum(const QWidget& form)
    {
        int sum = 0;
        for (const QString& cell : shown(form).mid(0, 63))
            sum += cell.toInt();
        return sum;
    }
    static bool tableIsBlank(const QWidget& form) { return shown(form).join(QString()).isEmpty(); }
};

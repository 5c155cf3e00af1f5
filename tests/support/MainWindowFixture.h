#pragma once

#include "ExperimentEngine.h"
#include "Fakes.h"
#include "Form1.h"

#include <QLabel>
#include <QPushButton>

// A main window whose boxes, cue, program end and random source are ours.
class MainWindowTest : public ::testing::Test {
protected:
    Journal journal = std::make_shared<QStringList>();
    ScriptedDialogs dialogs{journal};
    RecordingProgramEnd programEnd{journal};
    StillClock clock;
    XoshiroRandomSource random{clock, 20261206};
    ExperimentEngine engine{random};

    std::function<std::unique_ptr<MultimediaControl>()> media()
    {
        return [j = journal] { return std::make_unique<RecordingMedia>(j); };
    }
    std::unique_ptr<Form1> window()
    {
        return std::make_unique<Form1>(
            Form1Services{dialogs, programEnd, engine, media(), [] {}});
    }
    // A window whose parameters were answered, and optionally run.
    std::unique_ptr<Form1> enteredWindow(const QString& guests, const QString& trials, bool run)
    {
        auto form = window();
        dialogs.answers = {guests, trials};
        form->EnterParameters();
        if (run)
            form->Command1_Click();
        journal->clear();
        return form;
    }

    static QLabel* label(const QWidget& form, const QString& name)
    {
        return form.findChild<QLabel*>(name);
    }
    static QString text(const QWidget& form, const QString& name) { return label(form, name)->text(); }
    static QString dosu(const QWidget& form, int k)
    {
        return text(form, QStringLiteral("dosu(%1)").arg(k));
    }
    static QPushButton* button(const QWidget& form, int n)
    {
        return form.findChild<QPushButton*>(QStringLiteral("Command%1").arg(n));
    }
    // The 63 cells and the mean, as shown.
    static QStringList shown(const QWidget& form)
    {
        QStringList cells;
        for (int k = 1; k <= 63; ++k)
            cells << dosu(form, k);
        return cells << text(form, QStringLiteral("Label3"));
    }
    static int tableSum(const QWidget& form)
    {
        int sum = 0;
        for (int k = 1; k <= 63; ++k)
            sum += dosu(form, k).toInt();
        return sum;
    }
    static bool tableIsBlank(const QWidget& form)
    {
        return shown(form).join(QString()).isEmpty();
    }
};

#pragma once

#include "ExperimentEngine.h"
#include "Fakes.h"
#include "Form1.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

// A main window whose boxes, cue, program end and random source are ours.
class MainWindowTest : public ::testing::Test {
protected:
    Journal journal = std::make_shared<QStringList>();
    ScriptedDialogs dialogs{journal};
    RecordingProgramEnd programEnd{journal};
    StillClock clock;
    XoshiroRandomSource random{clock, 20261206};
    ExperimentEngine engine{random};
    int helpRequests = 0;

    Form1Services services()
    {
        return {dialogs, programEnd, engine,
                [j = journal] { return std::make_unique<RecordingMedia>(j); },
                [this] { ++helpRequests; }};
    }

    // A window whose parameters were answered through the entry.
    std::unique_ptr<Form1> enteredWindow(const QString& guests, const QString& trials)
    {
        auto form = std::make_unique<Form1>(services());
        dialogs.answers = {guests, trials};
        form->EnterParameters();
        journal->clear();
        return form;
    }

    static QLabel* label(const QWidget& form, const QString& name)
    {
        auto* found = form.findChild<QLabel*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    static QLabel* dosu(const QWidget& form, int k)
    {
        return label(form, QStringLiteral("dosu(%1)").arg(k));
    }
    static QPushButton* button(const QWidget& form, int n)
    {
        return form.findChild<QPushButton*>(QStringLiteral("Command%1").arg(n));
    }
    static int tableSum(const QWidget& form)
    {
        int sum = 0;
        for (int k = 1; k <= 63; ++k)
            sum += dosu(form, k)->text().toInt();
        return sum;
    }
};

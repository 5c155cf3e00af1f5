// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "TableControls.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

class Dialogs;
class ExperimentEngine;
class MultimediaControl;
class ProgramEnd;

// What the main window reaches outside itself; tests put fakes here.
struct Form1Services
{
    Dialogs& dialogs;
    ProgramEnd& programEnd;
    ExperimentEngine& engine;
    std::function<std::unique_ptr<MultimediaControl>()> makeMultimediaControl;
    // Replaces this window by the help window; this window is closing.
    std::function<void()> openHelp;
};

// The main window: the frequency table, the parameters and four commands.
class Form1 final : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(Form1Services services);
    ~Form1() override;

    // Closes the window on the way to the help window, without ending the
    // program.
    void closeForHelp();

    void Form_Activate();
    void EnterParameters();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();

    Form1Services services_;
    TableControls table_;
    QPushButton* Command4_ = nullptr;
    std::unique_ptr<MultimediaControl> MMControl1_;
    std::int16_t customerCount_ = 0;
    std::int16_t trialCount_ = 0;
    bool activated_ = false;
    bool takesCommands_ = false;
    bool leavingForHelp_ = false;
};

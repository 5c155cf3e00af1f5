// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "HelpWindow.h"
#include "MainWindow.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

// Owns the program's one window at a time: the main window, or the help
// window in its place. The windows do not know each other.
class ProgramWindows final : public QObject
{
    Q_OBJECT

public:
    ProgramWindows(Dialogs& dialogs, ProgramEnd& programEnd, ExperimentEngine& engine,
                   std::function<std::unique_ptr<CuePlayer>()> makeCuePlayer);
    ~ProgramWindows() override;

    // A new main window from its layout, shown and activated.
    void showMainWindow();
    // The main window closes first, then the help window opens.
    void showHelpWindow();

    MainWindow* mainWindow() const { return main_; }
    HelpWindow* helpWindow() const { return help_; }

private:
    Dialogs& dialogs_;
    ProgramEnd& programEnd_;
    ExperimentEngine& engine_;
    std::function<std::unique_ptr<CuePlayer>()> makeCuePlayer_;
    QPointer<MainWindow> main_;
    QPointer<HelpWindow> help_;
};

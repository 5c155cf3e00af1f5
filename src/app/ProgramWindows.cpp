// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ProgramWindows.h"

#include "ProgramEnd.h"

ProgramWindows::ProgramWindows(Dialogs& dialogs, ProgramEnd& programEnd, ExperimentEngine& engine,
                               std::function<std::unique_ptr<CuePlayer>()> makeCuePlayer)
    : dialogs_(dialogs),
      programEnd_(programEnd),
      engine_(engine),
      makeCuePlayer_(std::move(makeCuePlayer))
{
}

ProgramWindows::~ProgramWindows()
{
    delete main_;
    delete help_;
}

void ProgramWindows::showMainWindow()
{
    if (programEnd_.ended())
        return;
    auto* window = new MainWindow(
            {dialogs_, programEnd_, engine_, makeCuePlayer_, [this] { showHelpWindow(); }});
    window->setAttribute(Qt::WA_DeleteOnClose);
    main_ = window;
    window->show();
    window->activateWindow();
    window->raise();
}

void ProgramWindows::showHelpWindow()
{
    if (main_) {
        main_->closeForHelp();
        main_ = nullptr;
    }
    auto* help = new HelpWindow;
    // Queued, so that the help window is gone before the main window shows.
    connect(help, &HelpWindow::closed, this, &ProgramWindows::showMainWindow, Qt::QueuedConnection);
    help_ = help;
    help->show();
    help->activateWindow();
    help->raise();
}

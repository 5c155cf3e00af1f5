// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ProgramWindows.h"

#include "Form2.h"
#include "ProgramEnd.h"

ProgramWindows::ProgramWindows(
        Dialogs& dialogs, ProgramEnd& programEnd, ExperimentEngine& engine,
        std::function<std::unique_ptr<MultimediaControl>()> makeMultimediaControl)
    : dialogs_(dialogs),
      programEnd_(programEnd),
      engine_(engine),
      makeMultimediaControl_(std::move(makeMultimediaControl))
{
}

ProgramWindows::~ProgramWindows()
{
    delete main_;
    delete help_;
}

void ProgramWindows::showMain()
{
    if (programEnd_.ended())
        return;
    auto* form = new Form1(
            {dialogs_, programEnd_, engine_, makeMultimediaControl_, [this] { showHelp(); }});
    form->setAttribute(Qt::WA_DeleteOnClose);
    main_ = form;
    form->show();
    form->activateWindow();
    form->raise();
}

void ProgramWindows::showHelp()
{
    if (main_) {
        main_->closeForHelp();
        main_ = nullptr;
    }
    auto* help = new Form2;
    // Queued, so that the help window is gone before the main window shows.
    connect(help, &Form2::closed, this, &ProgramWindows::showMain, Qt::QueuedConnection);
    help_ = help;
    help->show();
    help->activateWindow();
    help->raise();
}

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "QtProgramEnd.h"

#include <QApplication>

void QtProgramEnd::end()
{
    if (ended_)
        return;
    // Set first: the windows' close handlers ask whether the program is
    // ending, so that closing them here starts nothing new.
    ended_ = true;
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

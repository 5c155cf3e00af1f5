// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "MultimediaControl.h"

void SoundCue(MultimediaControl& control, const QString& fileName)
{
    // Each step runs whatever became of the one before; the control reports
    // nothing back, so a cue that cannot sound is simply silent.
    control.setCommand(QStringLiteral("Stop"));
    control.setCommand(QStringLiteral("Close"));
    control.setFileName(fileName);
    control.setCommand(QStringLiteral("Open"));
    control.setCommand(QStringLiteral("Sound"));
}

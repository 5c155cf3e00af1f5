// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

// The multimedia control of the main window: it takes command words
// ("Stop", "Close", "Open", "Sound") and the file the next "Open" acts on.
// It reports nothing back.
class MultimediaControl
{
public:
    virtual ~MultimediaControl() = default;
    virtual void setCommand(const QString& command) = 0;
    virtual void setFileName(const QString& fileName) = 0;
};

// Plays a WAV file named relative to the current folder; silent on failure.
void SoundCue(MultimediaControl& control, const QString& fileName);

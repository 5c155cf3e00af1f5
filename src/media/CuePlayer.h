// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

// Plays the short sound that starts a command, from a WAV file named
// without a folder. A new cue cuts off one still sounding, so
// two never sound together; nothing waits for a cue, and one that cannot
// sound is silent.
class CuePlayer
{
public:
    virtual ~CuePlayer() = default;
    virtual void play(const QString& fileName) = 0;
};

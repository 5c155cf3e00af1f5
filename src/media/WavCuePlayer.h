// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "CuePlayer.h"

#include <QSoundEffect>
#include <QString>

#include <memory>

class QFileInfo;

// Qt's sample loader reads a whole file on a thread of its own, and a
// process exit waits for it: on a FIFO it blocks in open() for ever, and a
// file of hundreds of megabytes costs as much memory and holds up the next
// box. A cue is a second or two; anything but a regular, readable file of
// this size at most is silence, as a missing file is.
constexpr qint64 kCueFileLimit = 4 * 1024 * 1024;
bool isCueFile(const QFileInfo& file);

// Plays cues through QSoundEffect, found in the current folder or else in
// the data folder the package installs them into. A missing or unfit file,
// a file that is not WAV, or a machine without audio output means silence.
class WavCuePlayer final : public CuePlayer
{
public:
    WavCuePlayer() = default;
    ~WavCuePlayer() override;
    WavCuePlayer(const WavCuePlayer&) = delete;
    WavCuePlayer& operator=(const WavCuePlayer&) = delete;

    void play(const QString& fileName) override;

private:
    // Holds the last cue's file open until the next cue releases it.
    std::unique_ptr<QSoundEffect> effect_;
    bool playRequested_ = false;
};

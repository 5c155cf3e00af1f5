// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "MultimediaControl.h"

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

// The main window's multimedia control. It plays WAV files through
// QSoundEffect on the command words "Stop", "Close", "Open" and "Sound".
// Nothing it does waits for the sound or reports a failure: a missing or
// unfit file, a file that is not WAV, or a machine without audio output
// means silence.
class MMControl final : public MultimediaControl
{
public:
    MMControl() = default;
    ~MMControl() override;
    MMControl(const MMControl&) = delete;
    MMControl& operator=(const MMControl&) = delete;

    void setCommand(const QString& command) override;
    void setFileName(const QString& fileName) override;

private:
    void stop();
    void close();
    void open();
    void sound();

    QString fileName_;
    std::unique_ptr<QSoundEffect> effect_;
    bool playRequested_ = false;
};

#pragma once

#include "MultimediaControl.h"

#include <QSoundEffect>
#include <QString>
#include <QUrl>

#include <memory>

// The main window's multimedia control. It plays WAV files through
// QSoundEffect and understands the command words "Stop", "Close", "Open" and
// "Sound" (in any letter case); any other word does nothing. Nothing it does
// waits for the sound or reports a failure: a missing or unreadable file, a
// file that is not WAV, or a machine without audio output means silence.
class MMControl final : public MultimediaControl
{
public:
    MMControl() = default;
    ~MMControl() override;
    MMControl(const MMControl&) = delete;
    MMControl& operator=(const MMControl&) = delete;

    void setCommand(const QString& command) override;
    void setFileName(const QString& fileName) override;

    // What the control holds; read by tests.
    QString fileName() const { return fileName_; }
    QUrl openedUrl() const; // empty while nothing is open
    bool isPlayingRequested() const { return playRequested_; }
    QSoundEffect::Status status() const; // Null while nothing is open

    // True while a cue started by a control that has since been destroyed is
    // still allowed to sound out.
    static bool hasOutgoingCue();

private:
    void stop();
    void close();
    void open();
    void sound();

    QString fileName_;
    std::unique_ptr<QSoundEffect> effect_;
    bool playRequested_ = false;
};

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "WavCuePlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// The help command destroys the main window, and with it its player, right
// after starting its cue. The cue is handed over to this slot and plays out;
// the next cue of any player cuts it off, so two cues never sound together.
QPointer<QSoundEffect> outgoingCue;

// Qt 6.4 reports a cue on a machine without audio output as playing for
// ever; an outgoing cue is dropped after this long whatever it reports.
constexpr int kOutgoingLimitMs = 10000;

void cutOffOutgoingCue()
{
    delete outgoingCue.data();
}

void letSoundOut(QSoundEffect* effect)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QCoreApplication::closingDown()) {
        delete effect;
        return;
    }
    cutOffOutgoingCue();
    effect->setParent(app);
    outgoingCue = effect;
    const auto dropWhenDone = [effect] {
        if (!effect->isPlaying() || effect->status() == QSoundEffect::Error)
            effect->deleteLater();
    };
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, dropWhenDone);
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, dropWhenDone);
    QTimer::singleShot(kOutgoingLimitMs, effect, &QObject::deleteLater);
}

// Qt 6.4 loads a sample on a thread of its own, and a process exit that
// overtakes a load hangs or crashes: the sample cache's destructor waits for
// the loading thread while holding the lock the load needs, and the load
// touches statics that exit has already destroyed. Loading a short local WAV
// takes a few milliseconds, so an exit that closely follows a cue waits
// that long, when the application object is destroyed. The program ends by
// leaving its event loop, never through std::exit, so this is the one place.
constexpr auto kLoadSettleTime = std::chrono::milliseconds(50);
Clock::time_point lastOpen;

void waitForRecentLoad()
{
    const auto settled = lastOpen + kLoadSettleTime;
    if (Clock::now() < settled)
        std::this_thread::sleep_until(settled);
}

void holdExitForLoad()
{
    lastOpen = Clock::now();
    qRemovePostRoutine(waitForRecentLoad);
    qAddPostRoutine(waitForRecentLoad);
}

// A cue in the current folder comes first, so that `make run` plays the
// source tree's cues; a teacher starting the program from a terminal is in
// any folder, so the cues the package installs into share/torumina are found
// where the data folders are (XDG_DATA_DIRS: /usr/local/share, /usr/share).
QFileInfo findCue(const QString& fileName)
{
    const QFileInfo here(QDir::current(), fileName);
    if (isCueFile(here))
        return here;
    return QFileInfo(QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                            QStringLiteral("torumina/") + fileName));
}

} // namespace

WavCuePlayer::~WavCuePlayer()
{
    if (effect_ && playRequested_
        && (effect_->isPlaying() || effect_->status() == QSoundEffect::Loading))
        letSoundOut(effect_.release());
}

bool isCueFile(const QFileInfo& file)
{
    return file.isFile() && file.isReadable() && file.size() <= kCueFileLimit;
}

void WavCuePlayer::play(const QString& fileName)
{
    // The cue before is stopped and its file released first, whatever
    // becomes of this one.
    effect_.reset();
    playRequested_ = false;
    const QFileInfo file = findCue(fileName);
    if (!isCueFile(file))
        return;
    // A fresh effect for every cue rather than a new source on the old one:
    // when the source is switched while a sample loads, Qt 6.4 can take the
    // late "ready" of the old sample for the new one and then plays nothing.
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    holdExitForLoad();
    cutOffOutgoingCue();
    // While the sample is still loading, QSoundEffect starts it once loaded.
    effect_->play();
    playRequested_ = true;
}

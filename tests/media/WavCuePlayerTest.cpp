// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "WavCuePlayer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The cues still sounding once their players are gone.
QList<QSoundEffect*> soundingCues()
{
    return qApp->findChildren<QSoundEffect*>();
}

// Runs in a fresh current folder holding both cues, with the data folders
// empty whatever this machine has installed. Each player is let go right
// after its cue, as the help command lets the main window go.
class InFolder : public testing::Test
{
protected:
    QTemporaryDir folder;
    QTemporaryDir data;
    QString before = QDir::currentPath();

    void SetUp() override
    {
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        qputenv("XDG_DATA_DIRS", data.path().toLocal8Bit());
        for (const char* cue : {"pinpon.wav", "endpinpon.wav"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(TORUMINA_DATA_DIR) + cue, folder.filePath(cue)));
        QDir::setCurrent(folder.path());
    }
    void TearDown() override
    {
        qDeleteAll(soundingCues());
        QDir::setCurrent(before);
    }
    static void playAndLetGo(const char* cue) { WavCuePlayer().play(cue); }
};

} // namespace

// A FIFO in a cue's place must not hold anything up: the journey (tests/e2e)
// has one as its quit cue.

TEST_F(InFolder, ACueNamedWithoutAFolderPlaysFromTheCurrentOne)
{
    playAndLetGo("pinpon.wav");
    ASSERT_EQ(soundingCues().size(), 1) << "the cue was found and plays out";
    EXPECT_EQ(soundingCues().front()->source(), QUrl::fromLocalFile(folder.filePath("pinpon.wav")));
}

// Started from a terminal elsewhere, the program finds the installed cues.
TEST_F(InFolder, ACueMissingInTheCurrentFolderPlaysFromTheDataFolder)
{
    const QString installed = data.filePath("torumina/pinpon.wav");
    ASSERT_TRUE(QDir(data.path()).mkpath("torumina") && QFile::rename("pinpon.wav", installed));
    playAndLetGo("pinpon.wav");
    ASSERT_EQ(soundingCues().size(), 1) << "the cue was found and plays out";
    EXPECT_EQ(soundingCues().front()->source(), QUrl::fromLocalFile(installed));
}

TEST_F(InFolder, TheNextCueCutsOffOneStillSounding)
{
    playAndLetGo("pinpon.wav");
    WavCuePlayer next;
    next.play("endpinpon.wav");
    EXPECT_EQ(soundingCues(), QList<QSoundEffect*>()) << "the leaving cue was cut off";
}

TEST_F(InFolder, AMissingCueIsSilent)
{
    QFile::remove("pinpon.wav");
    playAndLetGo("pinpon.wav");
    EXPECT_EQ(soundingCues(), QList<QSoundEffect*>());
}

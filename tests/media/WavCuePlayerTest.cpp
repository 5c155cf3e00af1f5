// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// A FIFO in a cue's place must not hold anything up: the journey (tests/e2e)
// has one as its quit cue.

#include "WavCuePlayer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Each test runs in a fresh current folder holding both cues, with data
// folders of its own. Each player is let go right after its cue, as the help
// command lets the main window go; the cues still sounding are then the
// application's.
class InFolder : public testing::Test
{
protected:
    QTemporaryDir folder, data;
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
        qDeleteAll(qApp->findChildren<QSoundEffect*>());
        QDir::setCurrent(before);
    }
    static QStringList sounding()
    {
        QStringList files;
        for (const auto* cue : qApp->findChildren<QSoundEffect*>())
            files << cue->source().toLocalFile();
        return files;
    }
    static void playAndLetGo(const char* cue) { WavCuePlayer().play(cue); }
};

TEST_F(InFolder, ACueNamedWithoutAFolderPlaysFromTheCurrentOne)
{
    playAndLetGo("pinpon.wav");
    EXPECT_EQ(sounding(), QStringList(folder.filePath("pinpon.wav")));
}

// Started from a terminal elsewhere, the program finds the installed cues.
TEST_F(InFolder, ACueMissingInTheCurrentFolderPlaysFromTheDataFolder)
{
    const QString installed = data.filePath("torumina/pinpon.wav");
    ASSERT_TRUE(QDir(data.path()).mkpath("torumina") && QFile::rename("pinpon.wav", installed));
    playAndLetGo("pinpon.wav");
    EXPECT_EQ(sounding(), QStringList(installed));
}

TEST_F(InFolder, TheNextCueCutsOffOneStillSounding)
{
    playAndLetGo("pinpon.wav");
    WavCuePlayer next;
    next.play("endpinpon.wav");
    EXPECT_EQ(sounding(), QStringList()) << "the leaving cue was cut off";
}

TEST_F(InFolder, AMissingCueIsSilent)
{
    QFile::remove("pinpon.wav");
    playAndLetGo("pinpon.wav");
    EXPECT_EQ(sounding(), QStringList());
}

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "WavCuePlayer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QList<QSoundEffect*> soundingCues()
{
    return qApp->findChildren<QSoundEffect*>();
}

// Runs with the current folder set to a fresh one holding the cues, and the
// data folders to an empty one, whatever this machine has installed.
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
        ASSERT_TRUE(QFile::copy(TORUMINA_DATA_DIR "pinpon.wav", folder.filePath("pinpon.wav")));
        ASSERT_TRUE(
                QFile::copy(TORUMINA_DATA_DIR "endpinpon.wav", folder.filePath("endpinpon.wav")));
        QDir::setCurrent(folder.path());
    }
    void TearDown() override { QDir::setCurrent(before); }
};

} // namespace

TEST(CueFile, OnlyARegularFileOfACuesSizeIsOpenedNeverAFifo)
{
    QTemporaryDir folder;
    const auto path = [&](const char* name) { return folder.filePath(name); };
    ASSERT_TRUE(mkfifo(path("fifo.wav").toLocal8Bit(), 0600) == 0
                && QDir(path("dir.wav")).mkpath("."));
    const std::tuple<const char*, qint64, bool> files[] = {
            {"small.wav", 44, true}, {"limit.wav", kCueFileLimit, true},
            {"fifo.wav", -1, false}, {"large.wav", kCueFileLimit + 1, false},
            {"dir.wav", -1, false},  {"missing.wav", -1, false}};
    for (const auto& [name, size, fits] : files) {
        QFile file(path(name)); // of this size, or something else stands there
        ASSERT_TRUE(size < 0 || (file.open(QIODevice::WriteOnly) && file.resize(size)));
        EXPECT_EQ(isCueFile(QFileInfo(path(name))), fits) << name;
    }
}

// The program names its cues without a folder: they are looked up in the
// current one, not beside the program file.
TEST_F(InFolder, ACueNamedWithoutAFolderPlaysFromTheCurrentOne)
{
    auto player = std::make_unique<WavCuePlayer>();
    player->play("pinpon.wav");
    player.reset(); // the main window goes, and its last cue plays out
    ASSERT_EQ(soundingCues().size(), 1) << "the cue was found and plays";
    EXPECT_EQ(soundingCues().front()->source(),
              QUrl::fromLocalFile(QDir(folder.path()).filePath("pinpon.wav")));
}

// Started from a terminal elsewhere, the program finds the installed cues.
TEST_F(InFolder, ACueMissingInTheCurrentFolderPlaysFromTheDataFolder)
{
    const QString installed = data.filePath("torumina/pinpon.wav");
    ASSERT_TRUE(QDir(data.path()).mkpath("torumina") && QFile::rename("pinpon.wav", installed));
    auto player = std::make_unique<WavCuePlayer>();
    player->play("pinpon.wav");
    player.reset();
    ASSERT_EQ(soundingCues().size(), 1) << "the cue was found and plays";
    EXPECT_EQ(soundingCues().front()->source(), QUrl::fromLocalFile(installed));
}

TEST_F(InFolder, TheNextCueCutsOffOneStillSounding)
{
    auto leaving = std::make_unique<WavCuePlayer>();
    leaving->play("pinpon.wav");
    leaving.reset();
    WavCuePlayer next;
    next.play("endpinpon.wav");
    EXPECT_EQ(soundingCues(), QList<QSoundEffect*>()) << "the leaving cue was cut off";
}

TEST_F(InFolder, AMissingCueIsSilent)
{
    QFile::remove("pinpon.wav");
    auto player = std::make_unique<WavCuePlayer>();
    player->play("pinpon.wav");
    player.reset();
    EXPECT_EQ(soundingCues(), QList<QSoundEffect*>());
}

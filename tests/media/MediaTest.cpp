// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "Fakes.h"
#include "MMControl.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <sys/stat.h>

TEST(SoundCue, StopsClosesNamesOpensAndSoundsInThatOrder)
{
    QStringList journal;
    SoundCue(*std::make_unique<RecordingMedia>(journal), "endpinpon.wav");
    EXPECT_EQ(journal,
              (QStringList{"media Command=Stop", "media Command=Close",
                           "media FileName=endpinpon.wav", "media Command=Open",
                           "media Command=Sound"}));
}

TEST(MMControl, OpensOnlyARegularFileOfACuesSizeAndNeverAFifo)
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

TEST(MMControl, TheNextCueCutsOffTheCueOfADestroyedControl)
{
    SoundCue(*std::make_unique<MMControl>(), TORUMINA_DATA_DIR "pinpon.wav");
    EXPECT_EQ(qApp->findChildren<QSoundEffect*>().size(), 1);
    MMControl next;
    SoundCue(next, TORUMINA_DATA_DIR "endpinpon.wav");
    EXPECT_TRUE(qApp->findChildren<QSoundEffect*>().isEmpty());
}

#include "Fakes.h"
#include "MMControl.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(SoundCue, StopsClosesNamesOpensAndSoundsInThatOrder)
{
    QStringList journal;
    SoundCue(*std::make_unique<RecordingMedia>(journal), "endpinpon.wav");
    EXPECT_EQ(journal, cueOf("endpinpon.wav"));
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
    // Qt's loader would block in open() on the FIFO, the exit with it: a writer finds no reader.
    SoundCue(*std::make_unique<MMControl>(), path("fifo.wav"));
    QTest::qWait(200);
    EXPECT_EQ(close(open(path("fifo.wav").toLocal8Bit(), O_WRONLY | O_NONBLOCK)), -1);
}

TEST(MMControl, TheNextCueCutsOffTheCueOfADestroyedControl)
{
    SoundCue(*std::make_unique<MMControl>(), TORUMINA_DATA_DIR "pinpon.wav");
    EXPECT_EQ(qApp->findChildren<QSoundEffect*>().size(), 1);
    MMControl next;
    SoundCue(next, TORUMINA_DATA_DIR "endpinpon.wav");
    EXPECT_TRUE(qApp->findChildren<QSoundEffect*>().isEmpty());
}

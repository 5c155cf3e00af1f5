#include "MMControl.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

struct Recorder final : MultimediaControl
{
    void setCommand(const QString& command) override { log << command; }
    void setFileName(const QString& name) override { log << "FileName=" + name; }
    QStringList log;
};

TEST(SoundCue, StopsClosesNamesOpensAndSoundsInThatOrder)
{
    Recorder control;
    SoundCue(control, "endpinpon.wav");
    EXPECT_EQ(control.log,
              QStringList({"Stop", "Close", "FileName=endpinpon.wav", "Open", "Sound"}));
}

TEST(ChimeFiles, AreSmallSixteenBitMonoRiffWavs)
{
    for (const char* name : {"pinpon.wav", "endpinpon.wav"}) {
        QFile file(TORUMINA_DATA_DIR + QString(name));
        const QByteArray wav = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        EXPECT_TRUE(wav.size() > 1000 && wav.size() < 100 * 1024 && wav.startsWith("RIFF")) << name;
        EXPECT_EQ(wav.mid(8, 8) + wav.mid(20, 4) + wav.mid(34, 2),
                  QByteArray("WAVEfmt \1\0\1\0\x10\0", 14))
                << name;
    }
}

TEST(MMControl, CuesReturnAtOnceSilentlyAndTheLastOpensFromTheFolderCurrentAtTheCue)
{
    MMControl control;
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(__FILE__, folder.filePath("x.wav"))); // a WAV by its name only
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    const QDeadlineTimer atOnce(100);
    for (const char* name : {"missing.wav", TORUMINA_DATA_DIR "pinpon.wav", "x.wav"})
        SoundCue(control, name);
    EXPECT_FALSE(atOnce.hasExpired());
    for (const char* unknown : {"Play", "Eject", "", " Stop", "Close "})
        control.setCommand(unknown);
    EXPECT_TRUE(control.isPlayingRequested());
    EXPECT_EQ(control.openedUrl(), QUrl::fromLocalFile(QDir::current().absoluteFilePath("x.wav")));
    QDir::setCurrent(previous); // before Qt loads the file
    EXPECT_TRUE(QTest::qWaitFor([&] { return control.status() != QSoundEffect::Loading; }, 2000));
    QTest::qWait(100);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() && !QApplication::activeModalWidget());
}

TEST(MMControl, TheNextCueCutsOffTheCueOfADestroyedControl)
{
    SoundCue(*std::make_unique<MMControl>(), TORUMINA_DATA_DIR "pinpon.wav");
    EXPECT_TRUE(MMControl::hasOutgoingCue());
    MMControl next;
    SoundCue(next, TORUMINA_DATA_DIR "endpinpon.wav");
    EXPECT_FALSE(MMControl::hasOutgoingCue());
}

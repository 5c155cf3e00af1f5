#include "MMControl.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

struct Recorder final : MultimediaControl {
    void setCommand(const QString& command) override { log << "Command=" + command; }
    void setFileName(const QString& name) override { log << "FileName=" + name; }
    QStringList log;
};

TEST(SoundCue, StopsClosesNamesOpensAndSoundsInThatOrder)
{
    Recorder control;
    SoundCue(control, "endpinpon.wav");
    EXPECT_EQ(control.log, (QStringList{"Command=Stop", "Command=Close", "FileName=endpinpon.wav",
                                        "Command=Open", "Command=Sound"}));
}

TEST(ChimeFiles, AreShortSixteenBitMonoPcmWavs)
{
    for (const char* name : {"pinpon.wav", "endpinpon.wav"}) {
        QFile file(TORUMINA_DATA_DIR + QString(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray wav = file.readAll();
        ASSERT_GE(wav.size(), 44);
        const auto at = [&](int offset) { return qFromLittleEndian<quint32>(wav.constData() + offset); };
        EXPECT_TRUE(wav.startsWith("RIFF") && wav.mid(8, 8) == "WAVEfmt " && wav.mid(36, 4) == "data");
        EXPECT_EQ(at(20), 0x0001'0001u) << "mono PCM";
        EXPECT_EQ(at(32) >> 16, 16u) << "bits per sample";
        EXPECT_TRUE(at(24) == 22050 || at(24) == 44100);
        EXPECT_EQ(at(40), quint32(wav.size() - 44));
        EXPECT_TRUE(wav.size() < 100 * 1024 && at(40) / 2.0 / at(24) > 0.3) << "length";
    }
}

// Each test runs in a fresh current folder holding the two cues and "x.wav",
// a text file that is a WAV by its name only.
class MMControlTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"pinpon.wav", "endpinpon.wav"})
            ASSERT_TRUE(QFile::copy(TORUMINA_DATA_DIR + QString(name), folder.filePath(name)));
        QFile garbage(folder.filePath("x.wav"));
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly) && garbage.write("not a sound\n") > 0);
        garbage.close();
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
    }
    void TearDown() override { QDir::setCurrent(previous); }

    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
};

// Qt loads the file later and caches samples by URL, so the URL must already
// be absolute: a relative one would be looked up wherever is current by then.
QString opened(const MMControl& control)
{
    const QFileInfo file(control.openedUrl().toLocalFile());
    return file.isAbsolute() ? file.canonicalFilePath() : file.filePath();
}

TEST_F(MMControlTest, CuesReturnAtOnceShowNothingAndTheLastOneLoads)
{
    MMControl control;
    for (const char* name : {"missing.wav", "x.wav", "pinpon.wav", "endpinpon.wav"}) {
        QElapsedTimer timer;
        timer.start();
        SoundCue(control, name);
        EXPECT_LT(timer.elapsed(), 100) << name;
    }
    EXPECT_EQ(opened(control), QFileInfo("endpinpon.wav").canonicalFilePath());
    EXPECT_TRUE(QTest::qWaitFor([&] { return control.status() != QSoundEffect::Loading; }, 2000));
    QTest::qWait(100);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MMControlTest, NameIsResolvedAgainstTheFolderCurrentAtTheCue)
{
    QTemporaryDir other;
    ASSERT_TRUE(QFile::copy("pinpon.wav", other.filePath("pinpon.wav")));
    MMControl control;
    SoundCue(control, "pinpon.wav");
    EXPECT_EQ(opened(control), QFileInfo(folder.filePath("pinpon.wav")).canonicalFilePath());
    ASSERT_TRUE(QDir::setCurrent(other.path()));
    SoundCue(control, "pinpon.wav");
    EXPECT_EQ(opened(control), QFileInfo(other.filePath("pinpon.wav")).canonicalFilePath());
}

TEST_F(MMControlTest, CommandWordsDecideWhatIsOpenAndPlaying)
{
    struct Case { QString fileName; QStringList commands; bool open; bool playing; };
    const Case cases[] = {
        {"pinpon.wav", {"Open"}, true, false},
        {"pinpon.wav", {"open", "SOUND"}, true, true},
        {"pinpon.wav", {"Sound"}, true, true},
        {"pinpon.wav", {"Open", "Sound", "Stop"}, true, false},
        {"pinpon.wav", {"Open", "Sound", "Close"}, false, false},
        {"pinpon.wav", {"Open", "Sound", "Play", "Eject", "", " Stop"}, true, true},
        {"", {"Open", "Sound"}, false, false},
    };
    for (const Case& c : cases) {
        MMControl control;
        control.setFileName(c.fileName);
        for (const QString& command : c.commands)
            control.setCommand(command);
        EXPECT_EQ(!control.openedUrl().isEmpty(), c.open) << c.commands.join(',').toStdString();
        EXPECT_EQ(control.isPlayingRequested(), c.playing) << c.commands.join(',').toStdString();
    }
}

TEST_F(MMControlTest, CueOfADestroyedControlSoundsOutUntilTheNextCue)
{
    {
        MMControl closedWithItsWindow;
        SoundCue(closedWithItsWindow, "pinpon.wav");
    }
    EXPECT_TRUE(MMControl::hasOutgoingCue());
    MMControl next;
    SoundCue(next, "endpinpon.wav");
    EXPECT_FALSE(MMControl::hasOutgoingCue());
}

} // namespace

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// One test per key a pupil presses; what the window then shows and a screen reader hears is
// golden/evening-*.txt. That the evening of a seed is the engine's is EveningTest's; F3, End,
// Esc and the keyboard back on the main window's result are the journey's.

#include "EveningWindow.h"
#include "MainWindowFixture.h"

#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QSlider>

class EveningWindowTest : public MainWindowTest
{
protected:
    std::deque<std::uint64_t> seeds{1234, 8}; // the seeds the window draws, in turn
    QPointer<EveningWindow> evening; // deletes itself once closed

    void TearDown() override { delete evening.data(); }
    void openEvening()
    {
        evening = new EveningWindow(35, [this] {
            const std::uint64_t seed = seeds.front();
            seeds.pop_front();
            return seed;
        });
        evening->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == evening; },
                                    kPatience));
    }
};

TEST_F(EveningWindowTest, F3AndTheMenuOpenOneEveningBeforeARunAndTheResetClosesIt)
{
    auto window = openWindow("35", "1000");
    QStringList items;
    for (QAction* item : window->findChild<QMenu*>()->actions())
        items << item->text();
    EXPECT_TRUE(items.contains("一晩の様子を見る")) << items.join(", ");
    QTest::keyClick(window.get(), Qt::Key_F3);
    QTest::keyClick(window.get(), Qt::Key_F3);
    ASSERT_EQ(window->findChildren<EveningWindow*>().size(), 1);
    script.answers = {"40", "10"};
    click(*window, "初期化");
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->findChildren<EveningWindow*>().isEmpty(); },
                                kPatience));
}

TEST_F(EveningWindowTest, SpaceAndRightServeOneGuestEachAndTheReaderHearsThem)
{
    openEvening();
    press(Qt::Key_Space);
    expectGolden(heard(evening), "evening-first-guest");
    press(Qt::Key_Right);
    expectGolden(heard(evening), "evening-second-guest");
}

// Seed 8 needs no coin; the typed seed 1234 ends at −9, in the table's class "-9".
TEST_F(EveningWindowTest, EndFinishesATypedSeedsEveningAndNamesItsClass)
{
    seeds = {8};
    openEvening();
    press(Qt::Key_End);
    expectGolden(heard(evening), "evening-8-ended");
    auto* seed = evening->findChild<QLineEdit*>("seed");
    seed->setFocus();
    seed->selectAll();
    QTest::keyClicks(seed, "1234");
    press(Qt::Key_Return);
    press(Qt::Key_End);
    expectGolden(heard(evening), "evening-1234-ended");
}

TEST_F(EveningWindowTest, NStartsANewEveningAndKeepsThePreviousOneDrawn)
{
    openEvening();
    press(Qt::Key_End);
    press(Qt::Key_N);
    expectGolden(heard(evening), "evening-next");
}

TEST_F(EveningWindowTest, EnterPlaysWithoutAWordUntilThePause)
{
    openEvening();
    evening->findChild<QSlider*>("speed")->setValue(10);
    press(Qt::Key_Return);
    const auto step = [&] { return text(*evening, "stepText"); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return step().startsWith("3 人目"); }, kPatience));
    EXPECT_EQ(focused(QAccessible::Description), "Space または →");
    press(Qt::Key_Return);
    const QString paused = step();
    QTest::qWait(300);
    EXPECT_EQ(step(), paused);
    EXPECT_EQ(focused(QAccessible::Description), paused + "　Space または →");
}

TEST_F(EveningWindowTest, EveryLineOfWordsReadsOnADarkTheme)
{
    QApplication::setPalette(themes()[0]);
    openEvening();
    press(Qt::Key_End);
    expectReadable(*evening);
    QApplication::setPalette(themes()[1]);
}

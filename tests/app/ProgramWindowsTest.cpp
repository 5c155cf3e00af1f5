// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// The main window and the help window taking each other's place; that the
// help window then stands alone on the screen is the journey's.

#include "MainWindowFixture.h"
#include "ProgramWindows.h"

class ProgramWindowsTest : public MainWindowTest
{
protected:
    ProgramWindows windows{script, script, engine, cuePlayers()};
    MainWindow& main() { return *windows.mainWindow(); }
    bool mainAsked() { return windows.mainWindow() && script.answers.empty(); }
    void openMainWindow()
    {
        script.answers = {"100", "1000"};
        windows.showMainWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return mainAsked(); }, kPatience));
        journal.clear();
    }
    // By its button or by F1, its key.
    void openHelp(bool byKey)
    {
        byKey ? QTest::keyClick(&main(), Qt::Key_F1) : click(main(), "HELP");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !windows.mainWindow() && windows.helpWindow(); },
                                    kPatience));
    }
};

// Opened by HELP or F1 and closed by 閉じる or by its close box, the help
// window brings a new main window: blank, every button enabled, asking both
// questions again, no cue but the help's (golden/back-from-help.txt).
TEST_F(ProgramWindowsTest, HelpReplacesTheMainWindowAndLeadsBackToANewBlankOne)
{
    for (const char* way : {"閉じる", "close box"}) {
        SCOPED_TRACE(way);
        openMainWindow();
        click(main(), "実験開始");
        openHelp(way == QString("close box"));
        script.answers = {"10", "37"};
        way == QString("閉じる") ? click(*windows.helpWindow(), "閉じる")
                                 : void(windows.helpWindow()->close());
        ASSERT_TRUE(QTest::qWaitFor([&] { return mainAsked(); }, kPatience));
        QCoreApplication::processEvents();
        expectSeen(main(), "back-from-help");
        main().closeForHelp();
    }
}

// Clicks and keys that queue up behind a window that is still asking reach
// no command: no run with 0 guests, no cue.
TEST_F(ProgramWindowsTest, InputQueuedBeforeBothAnswersIsDropped)
{
    script.answers = {"100", "1000"};
    windows.showMainWindow();
    for (const char* caption : {"実験開始", "初期化", "HELP"})
        postClick(button(main(), caption));
    for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease})
        QCoreApplication::postEvent(button(main(), "実験開始"),
                                    new QKeyEvent(type, Qt::Key_Space, Qt::NoModifier, " "));
    ASSERT_TRUE(QTest::qWaitFor([&] { return script.answers.empty(); }, kPatience));
    QTest::qWait(50);
    EXPECT_EQ(journal.size(), 2) << journal.join('\n');
    EXPECT_EQ(countSum(main()), 0) << "no run";
}

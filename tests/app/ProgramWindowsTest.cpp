// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "MainWindowFixture.h"
#include "ProgramWindows.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// The most top-level windows on screen at any one time.
struct MostWindowsShownAtOnce final : QObject
{
    int most = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            most = std::max(most,
                            int(std::ranges::count_if(QApplication::topLevelWidgets(),
                                                      &QWidget::isVisible)));
        return false;
    }
};

} // namespace

class ProgramWindowsTest : public MainWindowTest
{
protected:
    ProgramWindows windows{script, script, engine, cuePlayers()};

    MainWindow& main() { return *windows.mainWindow(); }
    void openMainWindow(const QString& guests = "100", const QString& trials = "1000")
    {
        script.answers = {guests, trials};
        windows.showMainWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return script.answers.empty(); }, kPatience));
        QCoreApplication::processEvents();
        journal.clear();
    }
    // Clicks that reach the window only once the program is back in its
    // event loop, as clicks on a busy window do.
    void queueClicks(const QStringList& captions)
    {
        for (const QString& caption : captions)
            for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                QCoreApplication::postEvent(button(main(), caption),
                                            new QMouseEvent(type, QPointF(5, 5), QPointF(5, 5),
                                                            Qt::LeftButton, Qt::LeftButton, {}));
    }
    bool helpShownAlone() { return !windows.mainWindow() && windows.helpWindow(); }
};

TEST_F(ProgramWindowsTest, HelpReplacesTheMainWindowWhichNeverShowsBesideIt)
{
    MostWindowsShownAtOnce shown;
    qApp->installEventFilter(&shown);
    openMainWindow();
    click(main(), "HELP");
    ASSERT_TRUE(QTest::qWaitFor([&] { return helpShownAlone(); }, kPatience));
    EXPECT_EQ(journal, QStringList("cue pinpon.wav"));
    script.answers = {"100", "1000"};
    windows.helpWindow()->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return windows.mainWindow() && script.answers.empty(); },
                                kPatience));
    EXPECT_EQ(shown.most, 1);
}

TEST_F(ProgramWindowsTest, ClosingTheHelpWindowBringsANewBlankWindowThatAsksAgain)
{
    for (const char* way : {"閉じる", "close box"}) {
        openMainWindow();
        click(main(), "実験開始");
        click(main(), "HELP");
        ASSERT_TRUE(QTest::qWaitFor([&] { return helpShownAlone(); }, kPatience));
        journal.clear();
        script.answers = {"10", "37"};
        if (way == QString("閉じる"))
            click(*windows.helpWindow(), "閉じる");
        else
            windows.helpWindow()->close();
        ASSERT_TRUE(QTest::qWaitFor([&] { return windows.mainWindow() && script.answers.empty(); },
                                    kPatience))
                << way;
        QCoreApplication::processEvents();
        EXPECT_EQ(journal.size(), 2) << "both questions again, and no cue: " << way;
        EXPECT_EQ(counts(main()).join("") + text(main(), "Label3"), "") << way;
        EXPECT_EQ(enabledButtons(main()), (QStringList{"実験開始", "終了", "初期化", "HELP"}));
        windows.mainWindow()->closeForHelp();
    }
}

// Clicks and keys that queue up behind a window that is still asking
// reach no command: no run with 0 guests, no cue.
TEST_F(ProgramWindowsTest, InputQueuedBeforeBothAnswersIsDropped)
{
    script.answers = {"100", "1000"};
    windows.showMainWindow();
    queueClicks({"実験開始", "初期化", "HELP"});
    for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease})
        QCoreApplication::postEvent(button(main(), "実験開始"),
                                    new QKeyEvent(type, Qt::Key_Space, Qt::NoModifier, " "));
    ASSERT_TRUE(QTest::qWaitFor([&] { return script.answers.empty(); }, kPatience));
    QTest::qWait(50);
    EXPECT_EQ(journal.size(), 2) << journal.join('\n').toStdString();
    EXPECT_EQ(countSum(main()), 0) << "no run";
}

#include "MainWindowFixture.h"
#include "ProgramWindows.h"

#include <QMouseEvent>
#include <QRegularExpression>
#include <QTest>

namespace {

// Remembers the most windows ever on the screen at once.
class VisibleWindows final : public QObject
{
public:
    int most = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const auto windows = QApplication::topLevelWidgets();
        if (event->type() == QEvent::Show)
            most = std::max(most, int(std::count_if(windows.begin(), windows.end(), [](QWidget* w) {
                                return w->isVisible();
                            })));
        return false;
    }
};

// A click that waits in the queue, as on a busy machine.
void queueClick(QWidget* button)
{
    const QPointF at(button->rect().center());
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(button,
                                    new QMouseEvent(type, at, button->mapToGlobal(at),
                                                    Qt::LeftButton, Qt::LeftButton,
                                                    Qt::NoModifier));
}

class ProgramWindowsTest : public MainWindowTest
{
protected:
    ProgramWindows windows{script, script, engine, media()};
    VisibleWindows visible;

    void SetUp() override { qApp->installEventFilter(&visible); }
    void TearDown() override { qApp->removeEventFilter(&visible); }

    Form1* enteredMain(const std::function<void()>& afterShow = [] {})
    {
        script.answers = {"100", "1000"};
        windows.showMain();
        afterShow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return script.answers.empty(); }));
        return windows.mainWindow();
    }
    // What reached the user besides the cues: boxes and the end.
    QStringList boxes() const { return journal.filter(QRegularExpression("^(?!media)")); }
};

TEST_F(ProgramWindowsTest, ClosingHelpEitherWayBringsANewBlankMainWindow)
{
    for (const bool byButton : {true, false}) {
        QTest::mouseClick(button(*enteredMain(), 1), Qt::LeftButton);
        journal.clear();
        QTest::mouseClick(button(*windows.mainWindow(), 4), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !windows.mainWindow() && windows.helpWindow(); }));
        EXPECT_EQ(journal.value(2), "media FileName=pinpon.wav");
        journal.clear();
        script.whileOpen = [&] {
            if (journal.size() == 1) {
                EXPECT_TRUE(tableIsBlank(*windows.mainWindow())
                            && text(*windows.mainWindow(), "Label82").isEmpty()
                            && button(*windows.mainWindow(), 1)->isEnabled());
            }
        };
        script.answers = {"100", "1000"};
        byButton ? windows.helpWindow()->Command1_Click() : void(windows.helpWindow()->close());
        ASSERT_TRUE(
                QTest::qWaitFor([&] { return script.answers.empty() && !windows.helpWindow(); }));
        script.whileOpen = nullptr;
        EXPECT_EQ(journal.size(), 2) << "no cue on closing, both questions again";
        windows.mainWindow()->closeForHelp();
    }
    EXPECT_EQ(visible.most, 1);
    EXPECT_FALSE(script.ended());
}

TEST_F(ProgramWindowsTest, ClicksQueuedBeforeTheEntryOrBehindHelpReachNoCommand)
{
    enteredMain([&] { queueClick(button(*windows.mainWindow(), 1)); });
    EXPECT_EQ(boxes().size(), 2) << "no run with 0 guests: " << journal.join('\n').toStdString();
    for (const int next : {1, 2, 3, 4}) {
        journal.clear();
        for (const int n : {4, next})
            queueClick(button(*windows.mainWindow(), n));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !windows.mainWindow() && windows.helpWindow(); }));
        QTest::qWait(10);
        EXPECT_EQ(journal.filter("FileName"), QStringList("media FileName=pinpon.wav")) << next;
        EXPECT_EQ(boxes(), QStringList()) << next;
        script.answers = {"100", "1000"};
        windows.helpWindow()->Command1_Click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return script.answers.empty(); }));
    }
    EXPECT_EQ(visible.most, 1);
}

TEST_F(ProgramWindowsTest, QuittingOnTheWayBackEndsThroughTheEntrysConfirmation)
{
    enteredMain()->Command4_Click();
    script.answers = {"", "yes"};
    windows.helpWindow()->Command1_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return script.ended(); }));
    EXPECT_EQ(boxes().mid(3), QStringList({"yesno 確認|終了していいですか？", "end"}));
}

} // namespace

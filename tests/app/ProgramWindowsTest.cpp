#include "MainWindowFixture.h"
#include "ProgramWindows.h"

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
        if (event->type() == QEvent::Show) {
            const auto windows = QApplication::topLevelWidgets();
            most = std::max(most, int(std::count_if(windows.begin(), windows.end(), [](QWidget* w) {
                                return w->isVisible();
                            })));
        }
        return false;
    }
};

class ProgramWindowsTest : public MainWindowTest
{
protected:
    ProgramWindows windows{script, script, engine, media()};
    VisibleWindows visible;

    void SetUp() override { qApp->installEventFilter(&visible); }
    void TearDown() override { qApp->removeEventFilter(&visible); }

    Form2* helpAfterRun()
    {
        script.answers = {"100", "1000"};
        windows.showMain();
        EXPECT_TRUE(QTest::qWaitFor([&] { return script.answers.empty(); }));
        QTest::mouseClick(button(*windows.mainWindow(), 1), Qt::LeftButton);
        journal.clear();
        QTest::mouseClick(button(*windows.mainWindow(), 4), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !windows.mainWindow() && windows.helpWindow(); }));
        EXPECT_EQ(journal, cueOf("pinpon.wav"));
        journal.clear();
        return windows.helpWindow();
    }
};

TEST_F(ProgramWindowsTest, ClosingHelpEitherWayBringsANewBlankMainWindow)
{
    for (const bool byButton : {true, false}) {
        Form2* help = helpAfterRun();
        script.answers = {"100", "1000"};
        script.whileOpen = [&] {
            if (journal.size() == 1) {
                EXPECT_TRUE(tableIsBlank(*windows.mainWindow()));
                EXPECT_TRUE(text(*windows.mainWindow(), "Label82").isEmpty());
                EXPECT_TRUE(button(*windows.mainWindow(), 1)->isEnabled());
            }
        };
        byButton ? help->Command1_Click() : void(help->close());
        ASSERT_TRUE(
                QTest::qWaitFor([&] { return script.answers.empty() && !windows.helpWindow(); }));
        script.whileOpen = nullptr;
        EXPECT_EQ(journal.size(), 2) << "no cue on closing, both questions again";
        windows.mainWindow()->closeForHelp();
    }
    EXPECT_EQ(visible.most, 1);
    EXPECT_FALSE(script.ended());
}

TEST_F(ProgramWindowsTest, QuittingOnTheWayBackEndsThroughTheEntrysConfirmation)
{
    Form2* help = helpAfterRun();
    script.answers = {"", "yes"};
    help->Command1_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return script.ended(); }));
    EXPECT_EQ(journal.value(1), QStringLiteral("yesno 確認|終了していいですか？"));
}

} // namespace

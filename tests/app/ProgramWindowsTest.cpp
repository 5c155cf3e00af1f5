#include "MainWindowFixture.h"
#include "ProgramWindows.h"

#include <QApplication>
#include <QTest>

namespace {

// Remembers the most windows ever on the screen at once.
class VisibleWindows final : public QObject {
public:
    int most = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            int shown = 0;
            for (QWidget* window : QApplication::topLevelWidgets())
                shown += window->isVisible() ? 1 : 0;
            most = std::max(most, shown);
        }
        return false;
    }
};

class ProgramWindowsTest : public MainWindowTest {
protected:
    ProgramWindows windows{dialogs, programEnd, engine, media()};
    VisibleWindows visible;

    void SetUp() override { qApp->installEventFilter(&visible); }
    void TearDown() override { qApp->removeEventFilter(&visible); }

    Form2* helpAfterRun()
    {
        dialogs.answers = {QStringLiteral("100"), QStringLiteral("1000")};
        windows.showMain();
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs.answers.empty(); }));
        QTest::mouseClick(button(*windows.mainWindow(), 1), Qt::LeftButton);
        journal->clear();
        QTest::mouseClick(button(*windows.mainWindow(), 4), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !windows.mainWindow() && windows.helpWindow(); }));
        EXPECT_EQ(*journal, cueOf("pinpon.wav"));
        journal->clear();
        return windows.helpWindow();
    }
};

TEST_F(ProgramWindowsTest, ClosingHelpEitherWayBringsANewBlankMainWindow)
{
    for (const bool byButton : {true, false}) {
        Form2* help = helpAfterRun();
        dialogs.answers = {QStringLiteral("100"), QStringLiteral("1000")};
        dialogs.whileOpen = [&] {
            if (journal->size() == 1) {
                EXPECT_TRUE(tableIsBlank(*windows.mainWindow()));
                EXPECT_TRUE(text(*windows.mainWindow(), QStringLiteral("Label82")).isEmpty());
                EXPECT_TRUE(button(*windows.mainWindow(), 1)->isEnabled());
            }
        };
        byButton ? help->Command1_Click() : void(help->close());
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.answers.empty() && !windows.helpWindow(); }));
        dialogs.whileOpen = nullptr;
        EXPECT_EQ(journal->size(), 2) << "no cue on closing, both questions again";
        windows.mainWindow()->closeForHelp();
    }
    EXPECT_EQ(visible.most, 1);
    EXPECT_FALSE(programEnd.ended());
}

TEST_F(ProgramWindowsTest, QuittingOnTheWayBackEndsThroughTheEntrysConfirmation)
{
    Form2* help = helpAfterRun();
    dialogs.answers = {QString()};
    dialogs.yesNo = {true};
    help->Command1_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return programEnd.ended(); }));
    EXPECT_EQ(journal->value(1), QStringLiteral("yesno 確認|終了していいですか？"));
}

} // namespace

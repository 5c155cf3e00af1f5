#include "MainWindowFixture.h"
#include "ProgramWindows.h"

#include <QApplication>
#include <QTest>

namespace {

// Watches every window shown or hidden, and remembers the most that were
// on the screen at once.
class VisibleWindows final : public QObject {
public:
    int most = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) &&
            watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
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
    ProgramWindows windows{dialogs, programEnd, engine,
                           [j = journal] { return std::make_unique<RecordingMedia>(j); }};
    VisibleWindows visible;

    void SetUp() override { qApp->installEventFilter(&visible); }
    void TearDown() override { qApp->removeEventFilter(&visible); }

    // Opens the help window from a main window that has shown a run.
    Form2* helpAfterRun()
    {
        dialogs.answers = {QStringLiteral("100"), QStringLiteral("1000")};
        windows.showMain();
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs.answers.empty(); }));
        Form1* form = windows.mainWindow();
        QTest::mouseClick(button(*form, 1), Qt::LeftButton);
        journal->clear();
        QTest::mouseClick(button(*form, 4), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return windows.mainWindow() == nullptr && windows.helpWindow() != nullptr; }));
        return windows.helpWindow();
    }
};

TEST_F(ProgramWindowsTest, HelpReplacesTheMainWindowAndClosingItBringsABlankOne)
{
    const std::function<void(Form2*)> ways[] = {
        [](Form2* help) { help->Command1_Click(); },
        [](Form2* help) { help->close(); },
    };
    for (const auto& closeHelp : ways) {
        Form2* help = helpAfterRun();
        EXPECT_TRUE(help->isVisible());
        EXPECT_EQ(journal->size(), 5); // the help cue only

        journal->clear();
        dialogs.answers = {QStringLiteral("100"), QStringLiteral("1000")};
        dialogs.whileOpen = [&] {
            if (countEntries(*journal, QStringLiteral("input")) != 1)
                return;
            Form1* form = windows.mainWindow();
            ASSERT_NE(form, nullptr);
            EXPECT_EQ(tableSum(*form), 0);
            EXPECT_TRUE(dosu(*form, 59)->text().isEmpty());
            EXPECT_TRUE(label(*form, QStringLiteral("Label82"))->text().isEmpty());
            EXPECT_TRUE(button(*form, 1)->isEnabled());
        };
        closeHelp(help);
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs.answers.empty(); }));
        EXPECT_TRUE(QTest::qWaitFor([&] { return windows.helpWindow() == nullptr; }));
        dialogs.whileOpen = nullptr;
        // Closing the help window plays nothing; the new window asks again.
        EXPECT_EQ(countEntries(*journal, QStringLiteral("media")), 0);
        EXPECT_EQ(countEntries(*journal, QStringLiteral("input")), 2);
        windows.mainWindow()->closeForHelp();
    }
    EXPECT_EQ(visible.most, 1);
    EXPECT_FALSE(programEnd.ended());
}

TEST_F(ProgramWindowsTest, QuittingOnTheWayBackEndsThroughTheEntrysConfirmation)
{
    Form2* help = helpAfterRun();
    journal->clear();
    dialogs.answers = {QString()};
    dialogs.yesNo = {true};
    help->Command1_Click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return programEnd.ended(); }));
    EXPECT_EQ(journal->value(1), QStringLiteral("yesno 確認|終了していいですか？"));
    EXPECT_EQ(visible.most, 1);
}

} // namespace

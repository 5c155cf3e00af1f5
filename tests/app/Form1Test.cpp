#include "MainWindowFixture.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString kGuests = QStringLiteral("input  お客人数の設定|10以上1000以下の整数を入力してください．．．|100");
const QString kTrials = QStringLiteral("input  実験回数の設定|1以上10000以下の整数を入力してください．．．|1000");
const QString kConfirm = QStringLiteral("yesno 確認|終了していいですか？");

TEST_F(MainWindowTest, NewWindowIsBlankAndAsksOnlyOnItsFirstActivation)
{
    auto form = window();
    dialogs.answers = {QStringLiteral("100"), QStringLiteral("1000")};
    dialogs.whileOpen = [&] {
        if (journal->size() > 1)
            return;
        EXPECT_TRUE(tableIsBlank(*form));
        EXPECT_TRUE(text(*form, QStringLiteral("Label82")).isEmpty());
        for (int n = 1; n <= 4; ++n)
            EXPECT_TRUE(button(*form, n)->isEnabled()) << n;
        EXPECT_EQ(QApplication::focusWidget(), button(*form, 1));
    };
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return journal->size() == 2; }));
    // A box closing, or a switch between programs, activates it again.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(form.get(), &activate);
    QApplication::processEvents();
    EXPECT_EQ(*journal, (QStringList{kGuests, kTrials}));
}

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutPutsThem)
{
    auto form = window();
    EXPECT_EQ(form->size(), QSize(553, 512));
    const std::pair<const char*, QRect> expected[] = {
        {"Command2", {0, 0, 57, 25}},     {"Label84", {128, 0, 297, 25}},
        {"Command3", {496, 0, 57, 25}},   {"Line1", {0, 24, 553, 1}},
        {"Label5", {16, 40, 89, 25}},     {"Label7", {104, 40, 49, 25}},
        {"dosu(1)", {104, 64, 49, 25}},   {"dosu(2)", {152, 64, 49, 25}},
        {"Label28", {104, 96, 49, 25}},   {"dosu(63)", {488, 400, 49, 25}},
        {"Label82", {112, 440, 73, 25}},  {"Label3", {352, 456, 73, 25}},
        {"Command1", {448, 448, 89, 41}}, {"Label2", {112, 472, 73, 25}},
    };
    for (const auto& [name, rect] : expected)
        EXPECT_EQ(form->findChild<QWidget*>(QLatin1String(name))->geometry(), rect) << name;
    // The corner cells keep the window's default font.
    EXPECT_EQ(label(*form, QStringLiteral("Label7"))->font(), form->font());
    EXPECT_EQ(label(*form, QStringLiteral("Label8"))->font().pixelSize(), 19);
}

TEST_F(MainWindowTest, ParameterEntryAsksUntilAnswered)
{
    struct Case {
        QStringList answers;
        std::deque<bool> yesNo;
        QStringList boxes;
        QString guests, trials;
    };
    const Case cases[] = {
        {{"100", "1000"}, {}, {kGuests, kTrials}, "100", "1000"},
        {{"9.99", "abc", "   ", "10.9", "0", "1,000"}, {},
         {kGuests, kGuests, kGuests, kGuests, kTrials, kTrials}, "10", "1"},
        {{"150人", "", "&H64"}, {false}, {kGuests, kTrials, kConfirm, kTrials}, "150", "100"},
        {{"50", ""}, {true}, {kGuests, kTrials, kConfirm, "end"}, "50", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answers.join('/').toStdString());
        journal->clear();
        RecordingProgramEnd end(journal);
        Form1 form({dialogs, end, engine, media(), [] {}});
        dialogs.answers.assign(c.answers.begin(), c.answers.end());
        dialogs.yesNo = c.yesNo;
        // The guest count shows while the second question is open.
        dialogs.whileOpen = [&] {
            if (journal->last() == kTrials) {
                EXPECT_EQ(text(form, QStringLiteral("Label82")), c.guests);
            }
        };
        form.EnterParameters();
        EXPECT_EQ(*journal, c.boxes);
        EXPECT_EQ(text(form, QStringLiteral("Label2")), c.trials);
        EXPECT_EQ(end.ended(), c.boxes.last() == "end");
    }
}

TEST_F(MainWindowTest, RunFillsEveryCellAndLeavesOnlyResetAndQuit)
{
    auto form = enteredWindow(QStringLiteral("100"), QStringLiteral("1000"), false);
    QStringList headers;
    for (int n = 5; n <= 81; ++n)
        headers << text(*form, QStringLiteral("Label%1").arg(n));
    QTest::mouseClick(button(*form, 1), Qt::LeftButton);

    const QStringList cells = shown(*form);
    for (int k = 1; k <= 63; ++k)
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]+$")).match(cells[k - 1]).hasMatch()) << k;
    EXPECT_EQ(cells.mid(60, 3), (QStringList{"0", "0", "0"}));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^-?[0-9]*\\.[0-9]$")).match(cells.last()).hasMatch());
    EXPECT_EQ(tableSum(*form), 1000);
    EXPECT_FALSE(button(*form, 1)->isEnabled());
    EXPECT_TRUE(button(*form, 2)->isEnabled() && button(*form, 3)->isEnabled());
    EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
    for (int n = 5; n <= 81; ++n)
        EXPECT_EQ(text(*form, QStringLiteral("Label%1").arg(n)), headers[n - 5]);
    EXPECT_TRUE(journal->isEmpty()) << "a run plays no cue and asks nothing";
}

TEST_F(MainWindowTest, EngineErrorIsReportedAndTheWindowStaysUsable)
{
    // Unanswered, the guest count is 0, which the engine refuses.
    auto form = window();
    form->Command1_Click();
    ASSERT_EQ(journal->size(), 1);
    EXPECT_TRUE(journal->first().contains(QStringLiteral("customerCount")));
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(button(*form, n)->isEnabled()) << n;
    EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowTest, QuitPlaysItsCueFirstAndNoLeavesEverything)
{
    auto form = enteredWindow(QStringLiteral("100"), QStringLiteral("500"), true);
    const QStringList before = shown(*form);
    dialogs.yesNo = {false};
    QTest::mouseClick(button(*form, 2), Qt::LeftButton);
    EXPECT_EQ(*journal, cueOf("endpinpon.wav") << "yesno トルミナの実験|終了していいですか？");
    EXPECT_EQ(shown(*form), before);
    EXPECT_EQ(form->trialCount(), 500);
    EXPECT_FALSE(button(*form, 1)->isEnabled());
    EXPECT_FALSE(programEnd.ended());

    dialogs.yesNo = {true};
    form->Command2_Click();
    EXPECT_TRUE(programEnd.ended());
}

TEST_F(MainWindowTest, CloseBoxEndsTheProgram)
{
    auto form = window();
    form->show();
    form->close();
    EXPECT_TRUE(programEnd.ended());
}

} // namespace

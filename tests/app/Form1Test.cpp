#include "MainWindowFixture.h"

#include <QRegularExpression>
#include <QTest>

namespace {

const QString kGuests =
        QStringLiteral("input  お客人数の設定|10以上1000以下の整数を入力してください．．．|100");
const QString kTrials =
        QStringLiteral("input  実験回数の設定|1以上10000以下の整数を入力してください．．．|1000");
const QString kConfirm = QStringLiteral("yesno 確認|終了していいですか？");

TEST_F(MainWindowTest, NewWindowIsBlankAndAsksOnlyOnItsFirstActivation)
{
    auto form = window();
    script.answers = {"100", "1000"};
    script.whileOpen = [&] {
        EXPECT_TRUE(tableIsBlank(*form));
        for (int n = 1; n <= 4; ++n)
            EXPECT_TRUE(button(*form, n)->isEnabled()) << n;
        EXPECT_EQ(QApplication::focusWidget(), button(*form, 1));
    };
    form->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return journal.size() == 2; }));
    // A box closing, or a switch between programs, activates it again.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(form.get(), &activate);
    QApplication::processEvents();
    EXPECT_EQ(journal, (QStringList{kGuests, kTrials}));
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
    EXPECT_EQ(form->findChild<QLabel*>("Label7")->font(), form->font());
    EXPECT_EQ(form->findChild<QLabel*>("Label8")->font().pixelSize(), 19);
}

TEST_F(MainWindowTest, ParameterEntryAsksUntilAnswered)
{
    struct Case
    {
        std::deque<QString> answers;
        QStringList boxes;
        QString guests, trials;
    };
    const Case cases[] = {
            {{"100", "1000"}, {kGuests, kTrials}, "100", "1000"},
            {{"9.99", "abc", "   ", "10.9", "0", "1,000"},
             {kGuests, kGuests, kGuests, kGuests, kTrials, kTrials},
             "10",
             "1"},
            {{"150人", "", "no", "&H64"}, {kGuests, kTrials, kConfirm, kTrials}, "150", "100"},
            {{"50", "", "yes"}, {kGuests, kTrials, kConfirm, "end"}, "50", ""},
    };
    for (const Case& c : cases) {
        journal.clear();
        script.hasEnded = false;
        auto form = window();
        script.answers = c.answers;
        // The guest count shows while the second question is open.
        script.whileOpen = [&] {
            if (journal.last() == kTrials) {
                EXPECT_EQ(text(*form, "Label82"), c.guests);
            }
        };
        form->EnterParameters();
        EXPECT_EQ(journal, c.boxes);
        EXPECT_EQ(text(*form, "Label2"), c.trials);
    }
}

TEST_F(MainWindowTest, RunFillsEveryCellAndLeavesOnlyResetAndQuit)
{
    auto form = enteredWindow("100", "1000", false);
    QStringList headers;
    for (int n = 5; n <= 81; ++n)
        headers << text(*form, QStringLiteral("Label%1").arg(n));
    QTest::mouseClick(button(*form, 1), Qt::LeftButton);

    const QStringList cells = shown(*form);
    EXPECT_TRUE(QRegularExpression("^([0-9]+ ){63}-?[0-9]*\\.[0-9]$")
                        .match(cells.join(' '))
                        .hasMatch());
    EXPECT_EQ(cells.mid(60, 3), (QStringList{"0", "0", "0"}));
    EXPECT_EQ(tableSum(*form), 1000);
    EXPECT_FALSE(button(*form, 1)->isEnabled());
    EXPECT_TRUE(button(*form, 2)->isEnabled() && button(*form, 3)->isEnabled());
    EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
    for (int n = 5; n <= 81; ++n)
        EXPECT_EQ(text(*form, QStringLiteral("Label%1").arg(n)), headers[n - 5]);
    EXPECT_TRUE(journal.isEmpty()) << "a run plays no cue and asks nothing";
}

TEST_F(MainWindowTest, EngineErrorIsReportedAndTheWindowStaysUsable)
{
    // Unanswered, the guest count is 0, which the engine refuses.
    auto form = window();
    form->Command1_Click();
    ASSERT_EQ(journal.size(), 1);
    EXPECT_TRUE(journal.first().contains("お客人数が 0 "));
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(button(*form, n)->isEnabled()) << n;
    EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowTest, QuitPlaysItsCueFirstAndNoLeavesEverything)
{
    auto form = enteredWindow("100", "500", true);
    const QStringList before = shown(*form);
    script.answers = {"no", "yes"};
    QTest::mouseClick(button(*form, 2), Qt::LeftButton);
    EXPECT_EQ(journal, cueOf("endpinpon.wav") << "yesno トルミナの実験|終了していいですか？");
    EXPECT_EQ(shown(*form), before);
    EXPECT_EQ(form->trialCount(), 500);
    EXPECT_FALSE(button(*form, 1)->isEnabled());
    EXPECT_FALSE(script.ended());
    form->Command2_Click();
    EXPECT_TRUE(script.ended());
}

TEST_F(MainWindowTest, CloseBoxEndsTheProgram)
{
    auto form = window();
    form->show();
    form->close();
    EXPECT_TRUE(script.ended());
}

} // namespace

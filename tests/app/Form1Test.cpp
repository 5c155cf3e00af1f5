#include "MainWindowFixture.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTest>

#include <tuple>

namespace {

const QString kGuestsBox = QStringLiteral("input  お客人数の設定|10以上1000以下の整数を入力してください．．．|100");
const QString kTrialsBox = QStringLiteral("input  実験回数の設定|1以上10000以下の整数を入力してください．．．|1000");
const QString kConfirm = QStringLiteral("yesno 確認|終了していいですか？");

TEST_F(MainWindowTest, NewWindowIsBlankAndAsksOnceWhenActivated)
{
    Form1 form(services());
    dialogs.answers = {QStringLiteral(""), QStringLiteral("100"), QStringLiteral("1000")};
    dialogs.yesNo = {false};
    // The table is blank while the first question is open.
    dialogs.whileOpen = [&] {
        if (journal->size() != 1)
            return;
        for (int k = 1; k <= 63; ++k)
            EXPECT_TRUE(dosu(form, k)->text().isEmpty()) << k;
        for (const char* name : {"Label2", "Label3", "Label82"})
            EXPECT_TRUE(label(form, QLatin1String(name))->text().isEmpty()) << name;
        for (int n = 1; n <= 4; ++n)
            EXPECT_TRUE(button(form, n)->isEnabled()) << n;
        EXPECT_EQ(QApplication::focusWidget(), button(form, 1));
    };
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_TRUE(QTest::qWaitFor([&] { return journal->size() == 4; }));
    // Closing a box, or switching programs, activates the window again.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&form, &activate);
    QApplication::processEvents();

    EXPECT_EQ(*journal, (QStringList{kGuestsBox, kConfirm, kGuestsBox, kTrialsBox}));
    EXPECT_EQ(label(form, QStringLiteral("Label82"))->text(), QStringLiteral("100"));
    EXPECT_EQ(label(form, QStringLiteral("Label2"))->text(), QStringLiteral("1000"));
    EXPECT_FALSE(programEnd.ended());
}

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutPutsThem)
{
    Form1 form(services());
    EXPECT_EQ(form.size(), QSize(553, 512));
    EXPECT_EQ(form.windowTitle(), QStringLiteral(" トルミナの実験２"));
    const std::tuple<const char*, QRect> expected[] = {
        {"Command2", {0, 0, 57, 25}},     {"Label84", {128, 0, 297, 25}},
        {"Command4", {440, 0, 57, 25}},   {"Command3", {496, 0, 57, 25}},
        {"Line1", {0, 24, 553, 1}},       {"Label5", {16, 40, 89, 25}},
        {"Label7", {104, 40, 49, 25}},    {"dosu(1)", {104, 64, 49, 25}},
        {"dosu(2)", {152, 64, 49, 25}},   {"dosu(9)", {488, 64, 49, 25}},
        {"Label28", {104, 96, 49, 25}},   {"dosu(10)", {104, 120, 49, 25}},
        {"Label27", {16, 400, 89, 25}},   {"Label81", {488, 376, 49, 25}},
        {"dosu(63)", {488, 400, 49, 25}}, {"Label83", {16, 440, 97, 25}},
        {"Label82", {112, 440, 73, 25}},  {"Label4", {200, 456, 153, 25}},
        {"Label3", {352, 456, 73, 25}},   {"Command1", {448, 448, 89, 41}},
        {"Label1", {16, 472, 97, 25}},    {"Label2", {112, 472, 73, 25}},
    };
    for (const auto& [name, rect] : expected) {
        auto* widget = form.findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->geometry(), rect) << name;
    }
    // Neighbours share one border line; bands are apart.
    EXPECT_EQ(dosu(form, 1)->geometry().right(), dosu(form, 2)->geometry().left());
    EXPECT_EQ(label(form, QStringLiteral("Label7"))->geometry().bottom(),
              dosu(form, 1)->geometry().top());
    EXPECT_GT(label(form, QStringLiteral("Label28"))->geometry().top(),
              dosu(form, 1)->geometry().bottom() + 1);
    // The corner cells keep the window's default font.
    EXPECT_EQ(label(form, QStringLiteral("Label7"))->font(), form.font());
    EXPECT_EQ(label(form, QStringLiteral("Label8"))->font().pixelSize(), 19);
}

TEST_F(MainWindowTest, ParameterEntryFollowsTheScript)
{
    struct Case {
        const char* name;
        QStringList answers;
        std::deque<bool> yesNo;
        QStringList boxes;
        QString guests, trials;
        bool ended;
    };
    const Case cases[] = {
        {"defaults", {"100", "1000"}, {}, {kGuestsBox, kTrialsBox}, "100", "1000", false},
        {"refused answers come back with the default",
         {"9.99", "abc", "   ", "10.9", "0", "1,000"}, {},
         {kGuestsBox, kGuestsBox, kGuestsBox, kGuestsBox, kTrialsBox, kTrialsBox}, "10", "1", false},
        {"cancel then no repeats only that question",
         {"150人", "", "&H64"}, {false},
         {kGuestsBox, kTrialsBox, kConfirm, kTrialsBox}, "150", "100", false},
        {"cancel then yes ends with no further box",
         {"50", ""}, {true}, {kGuestsBox, kTrialsBox, kConfirm, "end"}, "50", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        journal->clear();
        RecordingProgramEnd end(journal);
        Form1 form({dialogs, end, engine, [j = journal] { return std::make_unique<RecordingMedia>(j); },
                    [] {}});
        dialogs.answers.assign(c.answers.begin(), c.answers.end());
        dialogs.yesNo = c.yesNo;
        // The guest count shows while the second question is open.
        dialogs.whileOpen = [&] {
            if (journal->last().contains(QStringLiteral("実験回数"))) {
                EXPECT_EQ(label(form, QStringLiteral("Label82"))->text(), c.guests);
            }
        };
        form.EnterParameters();
        EXPECT_EQ(*journal, c.boxes);
        EXPECT_EQ(label(form, QStringLiteral("Label82"))->text(), c.guests);
        EXPECT_EQ(label(form, QStringLiteral("Label2"))->text(), c.trials);
        EXPECT_EQ(end.ended(), c.ended);
        EXPECT_TRUE(dialogs.answers.empty());
    }
}

TEST_F(MainWindowTest, RunFillsTheTableAndLeavesOnlyResetAndQuit)
{
    auto form = enteredWindow(QStringLiteral("100"), QStringLiteral("1000"));
    const QStringList headers = [&] {
        QStringList captions;
        for (int n = 5; n <= 81; ++n)
            captions << label(*form, QStringLiteral("Label%1").arg(n))->text();
        return captions;
    }();
    QTest::mouseClick(button(*form, 1), Qt::LeftButton);

    for (int k = 1; k <= 63; ++k) {
        bool isNumber = false;
        dosu(*form, k)->text().toInt(&isNumber);
        EXPECT_TRUE(isNumber) << k;
    }
    for (int k : {61, 62, 63})
        EXPECT_EQ(dosu(*form, k)->text(), QStringLiteral("0"));
    EXPECT_EQ(tableSum(*form), 1000);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^-?[0-9]*\\.[0-9]$"))
                    .match(label(*form, QStringLiteral("Label3"))->text())
                    .hasMatch());
    EXPECT_FALSE(button(*form, 1)->isEnabled());
    EXPECT_TRUE(button(*form, 2)->isEnabled());
    EXPECT_TRUE(button(*form, 3)->isEnabled());
    EXPECT_TRUE(button(*form, 4)->isEnabled());
    EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
    for (int n = 5; n <= 81; ++n)
        EXPECT_EQ(label(*form, QStringLiteral("Label%1").arg(n))->text(),
                  headers[n - 5]) << n;
    EXPECT_EQ(label(*form, QStringLiteral("Label82"))->text(), QStringLiteral("100"));
    // The run plays no cue and asks nothing.
    EXPECT_TRUE(journal->isEmpty()) << journal->join('\n').toStdString();
}

TEST_F(MainWindowTest, EngineErrorIsReportedAndTheWindowStaysUsable)
{
    // Without an answered entry the guest count is 0, which the engine refuses.
    Form1 form(services());
    form.Command1_Click();
    ASSERT_EQ(journal->size(), 1);
    EXPECT_TRUE(journal->first().startsWith(QStringLiteral("inform トルミナの実験|")));
    EXPECT_TRUE(journal->first().contains(QStringLiteral("customerCount")));
    EXPECT_TRUE(dosu(form, 59)->text().isEmpty());
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(button(form, n)->isEnabled()) << n;
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowTest, QuitAsksAfterItsCueAndNoChangesNothing)
{
    auto form = enteredWindow(QStringLiteral("100"), QStringLiteral("500"));
    form->Command1_Click();
    QStringList before;
    for (int k = 1; k <= 63; ++k)
        before << dosu(*form, k)->text();
    before << label(*form, QStringLiteral("Label3"))->text();
    journal->clear();

    dialogs.yesNo = {false};
    QTest::mouseClick(button(*form, 2), Qt::LeftButton);
    const QStringList cue{QStringLiteral("media Command=Stop"), QStringLiteral("media Command=Close"),
                          QStringLiteral("media FileName=endpinpon.wav"),
                          QStringLiteral("media Command=Open"), QStringLiteral("media Command=Sound")};
    EXPECT_EQ(*journal, cue + QStringList{QStringLiteral("yesno トルミナの実験|終了していいですか？")});
    QStringList after;
    for (int k = 1; k <= 63; ++k)
        after << dosu(*form, k)->text();
    after << label(*form, QStringLiteral("Label3"))->text();
    EXPECT_EQ(after, before);
    EXPECT_EQ(form->customerCount(), 100);
    EXPECT_EQ(form->trialCount(), 500);
    EXPECT_FALSE(button(*form, 1)->isEnabled());
    EXPECT_FALSE(programEnd.ended());

    dialogs.yesNo = {true};
    form->Command2_Click();
    EXPECT_TRUE(programEnd.ended());
}

TEST_F(MainWindowTest, HelpPlaysItsCueThenHandsOver)
{
    Form1 form(services());
    form.Command4_Click();
    EXPECT_EQ(journal->size(), 5);
    EXPECT_EQ(journal->value(2), QStringLiteral("media FileName=pinpon.wav"));
    EXPECT_EQ(helpRequests, 1);
}

TEST_F(MainWindowTest, CloseBoxEndsTheProgramButLeavingForHelpDoesNot)
{
    {
        Form1 form(services());
        form.show();
        form.close();
        EXPECT_TRUE(programEnd.ended());
    }
    RecordingProgramEnd end(journal);
    Form1 form({dialogs, end, engine, [j = journal] { return std::make_unique<RecordingMedia>(j); },
                [] {}});
    form.show();
    form.closeForHelp();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(end.ended());
}

} // namespace

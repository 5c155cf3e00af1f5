// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "MainWindowFixture.h"

#include <QRegularExpression>

const QString kAskGuests =
        QStringLiteral("ask お客人数の設定: 10以上1000以下の整数を入力してください．．． [100]");
const QString kAskTrials =
        QStringLiteral("ask 実験回数の設定: 1以上10000以下の整数を入力してください．．． [1000]");
const QString kConfirmInEntry = QStringLiteral("confirm 確認: 終了していいですか？");
const QStringList kAllButtons{"実験開始", "終了", "初期化", "HELP"};

TEST_F(MainWindowTest, ANewWindowIsBlankWithTheFocusOnStart)
{
    auto window = openWindow("100", "1000");
    EXPECT_EQ(counts(*window).join(""), "") << "no count before a run";
    EXPECT_EQ(text(*window, "Label3"), "") << "no mean before a run";
    EXPECT_EQ(enabledButtons(*window), kAllButtons);
    EXPECT_EQ(QApplication::focusWidget(), button(*window, "実験開始"));
}

static QString focusName()
{
    const auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
    return button ? button->text() : QApplication::focusWidget()->accessibleName();
}

TEST_F(MainWindowTest, TabWalksFromStartThroughTheTableToTheOtherButtons)
{
    auto window = openWindow("100", "1000");
    QStringList walk;
    for (int n = 0; n < 5; ++n) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walk << focusName();
    }
    EXPECT_EQ(walk, (QStringList{"度数分布表", "終了", "初期化", "HELP", "実験開始"}));
}

TEST_F(MainWindowTest, ArrowKeysMoveAMarkedCellThroughTheCounts)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    const auto* mark = window->findChild<QWidget*>("focusMark");
    const auto marked = [&] {
        for (int k = 1; k <= 63; ++k)
            if (window->findChild<QLabel*>(QStringLiteral("dosu(%1)").arg(k))->geometry()
                == mark->geometry())
                return k;
        return 0;
    };
    EXPECT_TRUE(mark->isVisible());
    EXPECT_EQ(marked(), 1);
    EXPECT_EQ(window->grab().toImage().pixelColor(mark->mapTo(window.get(), QPoint(1, 1))),
              QApplication::palette().color(QPalette::Highlight))
            << "the marked cell stands out in the highlight colour";
    const std::pair<Qt::Key, int> moves[] = {
            {Qt::Key_Right, 2}, {Qt::Key_Down, 11}, {Qt::Key_End, 18}, {Qt::Key_Right, 18},
            {Qt::Key_Home, 10}, {Qt::Key_Left, 10}, {Qt::Key_Up, 1},   {Qt::Key_Up, 1}};
    for (const auto& [key, k] : moves) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(marked(), k) << "after key " << key;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_FALSE(mark->isVisible()) << "the mark goes with the focus";
}

TEST_F(MainWindowTest, ActivatedAgainByABoxOrAnotherProgramItAsksNothing)
{
    auto window = openWindow("100", "1000");
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window.get(), &activate);
    QCoreApplication::processEvents();
    EXPECT_EQ(journal, QStringList());
}

struct EntryCase
{
    const char* name;
    std::deque<QString> answers;
    QStringList boxes;
    QString guestsShown, trialsShown;
};

void PrintTo(const EntryCase& entry, std::ostream* out)
{
    *out << entry.name;
}

class ParameterEntryTest : public MainWindowTest, public testing::WithParamInterface<EntryCase>
{
};

TEST_P(ParameterEntryTest, AsksUntilAnsweredOrEnded)
{
    auto window = newWindow();
    script.answers = GetParam().answers;
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return script.answers.empty(); }, kPatience));
    QCoreApplication::processEvents();
    EXPECT_EQ(journal, GetParam().boxes);
    EXPECT_EQ(text(*window, "Label82"), GetParam().guestsShown) << "お客人数";
    EXPECT_EQ(text(*window, "Label2"), GetParam().trialsShown) << "実験回数";
}

INSTANTIATE_TEST_SUITE_P(
        Answers, ParameterEntryTest,
        testing::Values(EntryCase{"OutOfRangeAnswersAreAskedAgainSilently",
                                  {"9.99", "0", "1000.5", "10.9", "0", "10000.5", "10000"},
                                  {kAskGuests, kAskGuests, kAskGuests, kAskGuests, kAskTrials,
                                   kAskTrials, kAskTrials},
                                  "10",
                                  "10000"},
                        EntryCase{"CancelThenNoAsksTheSameQuestionAgain",
                                  {"", "no", "100", "", "no", "1000"},
                                  {kAskGuests, kConfirmInEntry, kAskGuests, kAskTrials,
                                   kConfirmInEntry, kAskTrials},
                                  "100",
                                  "1000"},
                        EntryCase{"CancelThenYesEndsTheProgramAtOnce",
                                  {"", "yes"},
                                  {kAskGuests, kConfirmInEntry, "program ends"},
                                  "",
                                  ""},
                        EntryCase{"CancelInTheSecondQuestionKeepsTheGuests",
                                  {"1000", "", "yes"},
                                  {kAskGuests, kAskTrials, kConfirmInEntry, "program ends"},
                                  "1000",
                                  ""},
                        EntryCase{"AConfirmationClosedUnderAnEndingProgramAsksNoMore",
                                  {"", "none"},
                                  {kAskGuests, kConfirmInEntry, "program ends"},
                                  "",
                                  ""}),
        [](const testing::TestParamInfo<EntryCase>& row) { return row.param.name; });

TEST_F(MainWindowTest, ARunShowsACountInEveryCellAddingUpToTheExperiments)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    EXPECT_EQ(countSum(*window), 1000);
    EXPECT_TRUE(counts(*window).join(' ').contains(QRegularExpression("^([0-9]+ ){60}0 0 0$")))
            << "a count in every cell, none above a lowest balance of 1: "
            << counts(*window).join(' ').toStdString();
    EXPECT_TRUE(text(*window, "Label3").contains(QRegularExpression("^-[0-9]*\\.[0-9]$")))
            << text(*window, "Label3").toStdString();
    EXPECT_EQ(journal, QStringList()) << "a run plays no cue and asks nothing";
}

TEST_F(MainWindowTest, ARunShowsTheHourglassWithQuitAndResetDisabled)
{
    auto window = openWindow("100", "1000");
    QSet<QString> during;
    clock.watch = [&] {
        during << QString::number(window->cursor().shape()) + " "
                        + enabledButtons(*window).join(',');
    };
    click(*window, "実験開始");
    EXPECT_EQ(during, QSet<QString>{QString::number(Qt::WaitCursor) + " 実験開始,HELP"});
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor) << "the arrow after the run";
    EXPECT_EQ(enabledButtons(*window), (QStringList{"終了", "初期化", "HELP"}));
}

TEST_F(MainWindowTest, ResetBlanksTheTableBeforeAskingForNewParameters)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    script.answers = {"10", "37"};
    script.whileOpen = [&] {
        EXPECT_EQ(counts(*window).join("") + text(*window, "Label3"), "") << "blank while asked";
        EXPECT_EQ(enabledButtons(*window), kAllButtons);
    };
    click(*window, "初期化");
    EXPECT_EQ(journal, (QStringList{"cue pinpon.wav", kAskGuests, kAskTrials}));
    EXPECT_EQ(text(*window, "Label82") + " " + text(*window, "Label2"), "10 37");
    script.whileOpen = [] {};
    click(*window, "実験開始");
    EXPECT_EQ(countSum(*window), 37) << "the new run's counts alone";
}

TEST_F(MainWindowTest, ResetThenQuittingInTheEntryEndsWithTheTableBlank)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    script.answers = {"", "yes"};
    click(*window, "初期化");
    EXPECT_EQ(journal,
              (QStringList{"cue pinpon.wav", kAskGuests, kConfirmInEntry, "program ends"}));
    EXPECT_EQ(counts(*window).join("") + text(*window, "Label3"), "");
}

TEST_F(MainWindowTest, QuitAnsweredNoLeavesTheRunAsItWas)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    const QStringList shown = counts(*window) << text(*window, "Label3");
    script.answers = {"no"};
    click(*window, "終了");
    EXPECT_EQ(journal,
              (QStringList{"cue endpinpon.wav", "confirm トルミナの実験: 終了していいですか？"}));
    EXPECT_EQ(counts(*window) << text(*window, "Label3"), shown);
    EXPECT_EQ(enabledButtons(*window), (QStringList{"終了", "初期化", "HELP"}));
    EXPECT_FALSE(script.ended());
}

TEST_F(MainWindowTest, QuitAnsweredYesOrTheCloseBoxEndsTheProgram)
{
    auto window = openWindow("100", "1000");
    script.answers = {"yes"};
    click(*window, "終了");
    EXPECT_TRUE(script.ended());
    journal.clear();
    window = openWindow("100", "1000");
    window->close();
    EXPECT_TRUE(script.ended()) << "the close box";
}

// Only a program already ending can leave the guests unanswered.
TEST_F(MainWindowTest, AnEngineRefusalIsToldInJapaneseWithTheRange)
{
    auto window = newWindow();
    QMetaObject::invokeMethod(window.get(), "runExperiments");
    EXPECT_EQ(journal,
              QStringList("inform トルミナの実験: お客人数が 0 のため実験できません。"
                          "お客人数は1以上1000以下です。"));
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowTest, TheCloseBoxUnderAnEntryBoxEndsTheProgramWithoutAnotherBox)
{
    auto window = newWindow();
    script.answers = {""}; // the box closes as the program ends under it
    script.whileOpen = [&] { window->close(); };
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return script.ended(); }, kPatience));
    QCoreApplication::processEvents();
    EXPECT_EQ(journal, (QStringList{kAskGuests, "program ends"}));
}

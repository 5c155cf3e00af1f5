// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// One test per thing a pupil does on the main window; what the window then shows and says, and
// the boxes and cues that came, is golden/<test>.txt. The journey (tests/e2e) holds what needs a
// real X server: clicks queued behind a busy program, Enter twice after a run, the close box, F2
// and Esc across windows (the main window activated again asks nothing), the icon.

#include "MainWindowFixture.h"

#include "EveningWindow.h"
#include "FrequencyTable.h"
#include "TheoryWindow.h"

#include <QClipboard>

#include <map>

using MainWindowActions = MainWindowTest;

// The one whole tree of the window as a screen reader finds it, every place counted from the
// laid-out area's top-left corner (golden/laid-out.txt); the menu bar stands above the area.
TEST_F(MainWindowActions, AFreshWindowIsLaidOutUnderItsMenuBar)
{
    auto window = openWindow("100", "1000");
    expectGolden(heard(window.get(), areaCorner(*window)), "laid-out");
}

// A row of answers.txt: its name, where the boxes come from, and the answers.
using AnswersRow = std::tuple<std::string, QString, std::deque<QString>>;

std::vector<AnswersRow> answerRows()
{
    QFile file(TORUMINA_GOLDEN_DIR "/../answers.txt");
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no answers.txt beside golden/");
    std::vector<AnswersRow> rows;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split('\t');
        std::deque<QString> answers;
        for (const QString& answer : fields.mid(2))
            answers.push_back(answer == "cancel" ? "" : answer);
        if (!line.startsWith('#'))
            rows.emplace_back(fields[0].toStdString(), fields[1], answers);
    }
    return rows;
}

class Answered : public MainWindowActions, public testing::WithParamInterface<AnswersRow>
{
};

TEST_P(Answered, AsksUntilAnsweredThenEndsOrGoesOn)
{
    const auto& [name, from, answers] = GetParam();
    auto window = from == "start" ? newWindow() : openWindow("100", "1000");
    script.answers = answers;
    if (from == "start") {
        window->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return script.answers.empty(); }, kPatience));
        ASSERT_TRUE(script.ended() || QTest::qWaitForWindowActive(window.get(), kPatience));
    } else {
        click(*window, "実験開始");
        click(*window, from);
    }
    expectSeen(*window, QString::fromStdString(name));
}

INSTANTIATE_TEST_SUITE_P(Rows, Answered, testing::ValuesIn(answerRows()),
                         [](const auto& row) { return std::get<0>(row.param); });

// Each command of the menu bar, chosen by the keyboard as Qt shows it (Alt and the menu's
// letter, then the command's), does what its button or key does, with the same cue and boxes.
TEST_F(MainWindowActions, EveryMenuCommandDoesWhatItsButtonOrKeyDoes)
{
    const auto choose = [](QWidget& window, Qt::Key menu, Qt::Key command) {
        // The offscreen platform leaves a menu closed under a long command active; a window
        // manager activates the window again, as this does.
        QApplication::setActiveWindow(&window);
        QTest::keyClick(&window, menu, Qt::AltModifier);
        QWidget* opened = QApplication::activePopupWidget();
        ASSERT_TRUE(opened) << "no menu for Alt+" << QKeySequence(menu).toString();
        QTest::keyClick(opened, command);
    };
    auto window = openWindow("100", "1000");
    QGuiApplication::clipboard()->clear();

    choose(*window, Qt::Key_V, Qt::Key_C);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("お客人数\t100\n")) << "表をコピー";
    choose(*window, Qt::Key_E, Qt::Key_S);
    EXPECT_EQ(countSum(*window), 1000) << "実験開始";
    choose(*window, Qt::Key_V, Qt::Key_T);
    EXPECT_EQ(window->findChildren<TheoryWindow*>().size(), 1) << "理論と比べる";
    choose(*window, Qt::Key_V, Qt::Key_N);
    EXPECT_TRUE(window->findChild<EveningWindow*>()) << "一晩の様子を見る";
    script.answers = {"no"};
    choose(*window, Qt::Key_E, Qt::Key_X);
    script.answers = {"10", "37"};
    choose(*window, Qt::Key_E, Qt::Key_R);
    QCoreApplication::setApplicationVersion("1.2.3");
    choose(*window, Qt::Key_H, Qt::Key_A);
    choose(*window, Qt::Key_H, Qt::Key_U);
    expectGolden(journal.join('\n'), "menu-commands");
}

TEST_F(MainWindowActions, TabWalksFromStartThroughTheTableToTheOtherButtons)
{
    auto window = openWindow("100", "1000");
    QStringList walk;
    for (int n = 0; n < 5; ++n) {
        press(Qt::Key_Tab);
        walk << focused();
    }
    EXPECT_EQ(walk, (QStringList{"度数分布表", "終了", "初期化", "HELP", "実験開始"}));
}

// Every count with its place and class, the focus on the result (golden/after-run.txt).
TEST_F(MainWindowActions, ARunShowsItsCountsWithTheFocusOnThem)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    EXPECT_EQ(countSum(*window), 1000);
    EXPECT_EQ(marked(*window), 1) << "the mark on the first count";
    expectSeen(*window, "after-run");
}

TEST_F(MainWindowActions, ARunShowsTheHourglassWithQuitAndResetDisabled)
{
    auto window = openWindow("100", "1000");
    QSet<QString> during;
    clock.watch = [&] {
        QString seen = QString::number(window->cursor().shape());
        for (const char* caption : {"実験開始", "終了", "初期化", "HELP"})
            seen += button(*window, caption)->isEnabled() ? QString(" ") + caption : "";
        during << seen;
    };
    click(*window, "実験開始");
    EXPECT_EQ(during, QSet<QString>{QString::number(Qt::WaitCursor) + " 実験開始 HELP"});
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor) << "the arrow after the run";
}

// From every cell, each arrow key moves the mark to the neighbouring count on the screen in its
// direction, or keeps it at the table's edge; Home and End to the ends of its row. The
// neighbours are found by where the cells stand, as a pupil sees them.
TEST_F(MainWindowActions, EveryKeyOnEveryCellMovesTheMarkToTheCountItPointsTo)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    const auto count = [&window](int k) {
        return window->findChild<QLabel*>(QStringLiteral("dosu(%1)").arg(k));
    };
    // The count one step across or down on the screen, or the same at the edge.
    const QPoint across = count(2)->pos() - count(1)->pos(),
                 down = count(10)->pos() - count(1)->pos();
    const auto next = [&](int k, QPoint step) {
        for (int other = 1; other <= kClassCount; ++other)
            if (count(other)->pos() == count(k)->pos() + step)
                return other;
        return k;
    };
    const auto last = [&](int k, QPoint step) {
        while (next(k, step) != k)
            k = next(k, step);
        return k;
    };
    const std::map<Qt::Key, std::function<int(int)>> seen{
            {Qt::Key_Left, [&](int k) { return next(k, -across); }},
            {Qt::Key_Right, [&](int k) { return next(k, across); }},
            {Qt::Key_Up, [&](int k) { return next(k, -down); }},
            {Qt::Key_Down, [&](int k) { return next(k, down); }},
            {Qt::Key_Home, [&](int k) { return last(k, -across); }},
            {Qt::Key_End, [&](int k) { return last(k, across); }}};
    auto* table = window->findChild<FrequencyTable*>();
    for (int k = 1; k <= kClassCount; ++k) {
        for (const auto& [key, to] : seen) {
            table->markLanded(k);
            press(key);
            EXPECT_EQ(marked(*window), to(k))
                    << "key " << QKeySequence(key).toString() << " on class " << k;
        }
    }
    press(Qt::Key_Tab);
    EXPECT_EQ(marked(*window), 0) << "the mark goes with the focus";
}

// A side window's key pressed again, on the side window or on the main window, brings the one
// window back: never a second.
TEST_F(MainWindowActions, EachSideWindowsKeyPressedTwiceKeepsOneWindow)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    const auto shown = [&window](const char* className) {
        int count = 0;
        for (QWidget* side : window->findChildren<QWidget*>())
            count += side->isWindow() && side->isVisible() && side->inherits(className);
        return count;
    };
    for (const auto& [key, className] :
         {std::pair{Qt::Key_F2, "TheoryWindow"}, std::pair{Qt::Key_F3, "EveningWindow"}}) {
        for (QWidget* second :
             {static_cast<QWidget*>(nullptr), static_cast<QWidget*>(window.get())}) {
            QTest::keyClick(window.get(), key);
            QTest::keyClick(second ? second : QApplication::focusWidget(), key);
            EXPECT_EQ(shown(className), 1) << className << (second ? " on the main window" : "");
        }
    }
}

// Blank while it asks; afterwards nothing of the old run: no counts, no
// mean in the table's description, no theory window, 理論と比べる disabled.
TEST_F(MainWindowActions, ResetBlanksTheTableAndLeavesNothingOfTheOldRun)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    press(Qt::Key_F2);
    ASSERT_EQ(window->findChildren<TheoryWindow*>().size(), 1);
    script.answers = {"10", "37"};
    bool looked = false; // while the first box is open
    script.whileOpen = [&] { looked = looked || (expectSeen(*window, "while-reset-asks"), true); };
    click(*window, "初期化");
    script.whileOpen = [] {};
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->findChildren<TheoryWindow*>().size(), 0)
            << "the theory window of the old run is gone";
    expectSeen(*window, "after-reset");
    click(*window, "実験開始");
    EXPECT_EQ(countSum(*window), 37) << "the new run's counts alone";
}

// A click queued behind the Enter that answers each box, which the box's
// own event loop delivers; then Enter, where the focus is.
TEST_F(MainWindowActions, AResetsQuestionsRunNothingAndEnterThenRunsTheNewParameters)
{
    const auto window = openWindow("10", "37");
    click(*window, "実験開始");
    QPushButton* start = button(*window, "実験開始");
    script.whileOpen = [start] {
        postClick(start);
        QCoreApplication::processEvents();
    };
    script.answers = {"100", "1000"};
    click(*window, "初期化");
    const int shown = countSum(*window);
    EXPECT_TRUE(shown == 0 || shown == 1000) << shown << " experiments under the label 1000";
    journal.clear();
    QTest::keyClick(window->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(countSum(*window), 1000);
    EXPECT_EQ(journal, QStringList()) << "no box after Enter";
}

TEST_F(MainWindowActions, F2DuringARunOrOnTheWayToHelpOpensNothing)
{
    auto window = openWindow("100", "1000");
    clock.watch = [&] { QTest::keyClick(window.get(), Qt::Key_F2); };
    click(*window, "実験開始");
    clock.watch = [] {};
    EXPECT_EQ(window->findChildren<TheoryWindow*>().size(), 0) << "during the run";
    click(*window, "HELP");
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_EQ(window->findChildren<TheoryWindow*>().size(), 0) << "on the way to the help window";
}

// Tab-separated for a spreadsheet, the mean to 4 decimals; before a run the
// counts are empty (golden/copied-*.txt).
TEST_F(MainWindowActions, CtrlCCopiesTheTable)
{
    auto window = openWindow("100", "1000");
    QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
    expectGolden(QGuiApplication::clipboard()->text(), "copied-before-run");
    click(*window, "実験開始");
    QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
    expectGolden(QGuiApplication::clipboard()->text(), "copied-after-run");
}

// The caption a pupil sees above each count is the one a screen reader gives as its header.
TEST_F(MainWindowActions, EveryCountStandsUnderTheCaptionAScreenReaderGivesIt)
{
    auto window = openWindow("100", "1000");
    for (int k = 1; k <= kClassCount; ++k) {
        QWidget* count = window->findChild<QLabel*>(QStringLiteral("dosu(%1)").arg(k));
        const QPoint above = count->mapTo(window.get(), count->rect().center()) - QPoint(0, 24);
        const auto* caption = qobject_cast<QLabel*>(window->childAt(above));
        EXPECT_EQ(caption ? caption->text() : "no caption",
                  QAccessible::queryAccessibleInterface(count)
                          ->tableCellInterface()
                          ->columnHeaderCells()
                          .value(0)
                          ->text(QAccessible::Name))
                << "class " << k;
    }
}

// Every text readable where it is drawn (WCAG AA), after a run, in a window opened on a dark theme
// and on the light one, which stays set.
TEST_F(MainWindowActions, EveryTextIsReadableOnEitherTheme)
{
    for (const QPalette& theme : themes()) {
        QApplication::setPalette(theme);
        auto window = openWindow("100", "1000");
        click(*window, "実験開始");
        expectReadable(*window);
    }
}

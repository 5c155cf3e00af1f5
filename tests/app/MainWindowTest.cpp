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
#include <QMenuBar>

#include <map>

namespace {

int theoryWindows(const QWidget& window)
{
    return int(window.findChildren<TheoryWindow*>().size());
}

} // namespace

using MainWindowActions = MainWindowTest;

// The one whole tree of the window as a screen reader finds it, every place counted from the
// laid-out area's top-left corner (golden/laid-out.txt); the menu bar stands above the area.
TEST_F(MainWindowActions, AFreshWindowIsLaidOutUnderItsMenuBar)
{
    auto window = openWindow("100", "1000");
    expectGolden(heard(window.get(), areaCorner(*window)), "laid-out");
    const QRect bar = window->findChild<QMenuBar*>()->geometry();
    EXPECT_EQ(QRect(areaCorner(*window), QSize(553, 512)),
              QRect(window->mapToGlobal(bar.bottomLeft() + QPoint(0, 1)),
                    window->size().shrunkBy({0, bar.height(), 0, 0})))
            << "the area is laid out whole under the bar";
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
    int helps = 0;
    auto window = std::make_unique<MainWindow>(
            MainWindow::Services{script, script, engine, cuePlayers(), [&helps] { ++helps; }});
    script.answers = {"100", "1000"};
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return script.answers.empty(); }, kPatience));
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), kPatience));
    journal.clear();
    QGuiApplication::clipboard()->clear();

    choose(*window, Qt::Key_V, Qt::Key_C);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("お客人数\t100\n")) << "表をコピー";
    choose(*window, Qt::Key_E, Qt::Key_S);
    EXPECT_EQ(countSum(*window), 1000) << "実験開始";
    choose(*window, Qt::Key_V, Qt::Key_T);
    EXPECT_EQ(theoryWindows(*window), 1) << "理論と比べる";
    choose(*window, Qt::Key_V, Qt::Key_N);
    EXPECT_TRUE(window->findChild<EveningWindow*>()) << "一晩の様子を見る";
    script.answers = {"no"};
    choose(*window, Qt::Key_E, Qt::Key_X);
    script.answers = {"10", "37"};
    choose(*window, Qt::Key_E, Qt::Key_R);
    QCoreApplication::setApplicationVersion("1.2.3");
    choose(*window, Qt::Key_H, Qt::Key_A);
    choose(*window, Qt::Key_H, Qt::Key_U);
    EXPECT_EQ(helps, 1) << "使い方";
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
    std::map<std::pair<int, int>, int> at; // class by cell centre
    for (int k = 1; k <= kClassCount; ++k) {
        const QPoint centre =
                window->findChild<QLabel*>(QStringLiteral("dosu(%1)").arg(k))->geometry().center();
        at[{centre.y(), centre.x()}] = k;
    }
    const auto seen = [&](int k, Qt::Key key) {
        auto it = std::ranges::find_if(at, [k](const auto& cell) { return cell.second == k; });
        const auto [y, x] = it->first;
        const auto row = [&](auto pick) {
            std::vector<int> same;
            for (const auto& [place, other] : at)
                if (pick(place))
                    same.push_back(other);
            return same;
        };
        const std::vector<int> inRow = row([y = y](auto place) { return place.first == y; });
        const std::vector<int> inColumn = row([x = x](auto place) { return place.second == x; });
        const auto step = [k](const std::vector<int>& line, int by) {
            const auto i = std::ranges::find(line, k) - line.begin() + by;
            return i >= 0 && i < std::ssize(line) ? line[std::size_t(i)] : k;
        };
        switch (key) {
        case Qt::Key_Left:
            return step(inRow, -1);
        case Qt::Key_Right:
            return step(inRow, 1);
        case Qt::Key_Up:
            return step(inColumn, -1);
        case Qt::Key_Down:
            return step(inColumn, 1);
        case Qt::Key_Home:
            return inRow.front();
        default:
            return inRow.back();
        }
    };
    auto* table = window->findChild<FrequencyTable*>();
    for (int k = 1; k <= kClassCount; ++k) {
        for (const Qt::Key key :
             {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End}) {
            table->markLanded(k);
            press(key);
            EXPECT_EQ(marked(*window), seen(k, key))
                    << "key " << QKeySequence(key).toString() << " on class " << k;
        }
    }
    EXPECT_EQ(window->grab().toImage().pixelColor(
                      window->findChild<QWidget*>("focusMark")->mapTo(window.get(), QPoint(1, 1))),
              QApplication::palette().color(QPalette::Highlight))
            << "the marked cell stands out in the highlight colour";
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
// mean in the table's description, no theory window, nothing for F2.
TEST_F(MainWindowActions, ResetBlanksTheTableAndLeavesNothingOfTheOldRun)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    press(Qt::Key_F2);
    ASSERT_EQ(theoryWindows(*window), 1);
    script.answers = {"10", "37"};
    bool looked = false; // while the first box is open
    script.whileOpen = [&] { looked = looked || (expectSeen(*window, "while-reset-asks"), true); };
    click(*window, "初期化");
    script.whileOpen = [] {};
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(theoryWindows(*window), 0) << "the theory window of the old run is gone";
    expectSeen(*window, "after-reset");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), kPatience));
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_EQ(theoryWindows(*window), 0) << "F2 offers nothing until the next run";
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
    EXPECT_EQ(theoryWindows(*window), 0) << "during the run";
    click(*window, "HELP");
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_EQ(theoryWindows(*window), 0) << "on the way to the help window";
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

class MainWindowLook : public MainWindowTest, public testing::WithParamInterface<int>
{
protected:
    void SetUp() override { QApplication::setPalette(themes()[std::size_t(GetParam())]); }
    void TearDown() override { QApplication::setPalette(themes()[1]); }
};

// Every text readable where it is drawn (WCAG AA), after a run, on either theme.
TEST_P(MainWindowLook, EveryTextIsReadable)
{
    auto window = openWindow("100", "1000");
    click(*window, "実験開始");
    expectReadable(*window);
}

INSTANTIATE_TEST_SUITE_P(Themes, MainWindowLook, testing::Values(0, 1),
                         [](const auto& row) { return row.param == 0 ? "Dark" : "Light"; });

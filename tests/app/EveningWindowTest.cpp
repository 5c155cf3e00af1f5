// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// One test per thing a pupil does in the evening window; what it then shows and a screen reader
// hears is golden/evening-*.txt, its chart golden/evening-chart-*.png. That the evening of a seed
// is the engine's is EveningTest's; where the window opens, and Esc followed at once by F3 on a
// busy program, are the journey's.

#include "EveningChart.h"
#include "EveningWindow.h"
#include "MainWindowFixture.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QSlider>

class EveningWindowTest : public MainWindowTest
{
protected:
    std::deque<std::uint64_t> seeds{1234, 8}; // the seeds the window draws, in turn
    QPointer<EveningWindow> evening;

    void TearDown() override { delete evening.data(); }
    void openEvening()
    {
        delete evening.data();
        evening = new EveningWindow(35, [this] {
            const std::uint64_t seed = seeds.front();
            seeds.pop_front();
            return seed;
        });
        evening->show();
        active(evening);
    }
    static void active(QWidget* window)
    {
        ASSERT_TRUE(
                QTest::qWaitFor([&] { return QApplication::activeWindow() == window; }, kPatience));
    }
    QString step() const { return text(*evening, "stepText"); }
    QString playCaption() const { return evening->findChildren<QPushButton*>().value(1)->text(); }
    // A control as a screen reader names it, without what its name adds in brackets.
    static QString nameOf(QWidget* control)
    {
        const auto* said = control ? QAccessible::queryAccessibleInterface(control) : nullptr;
        return said ? said->text(QAccessible::Name).section("（", 0, 0) : "-";
    }
    // What the pupil sees of the evening now, in a line.
    QString seen() const
    {
        if (!evening->isVisible())
            return "closed";
        return QString("%1 | %2 | %3 | 速さ %4 | 種 %5")
                .arg(step().section("：", 0, 0).left(12), playCaption(),
                     evening->findChild<QWidget*>("eveningChart")
                             ->accessibleName()
                             .section("（", 1))
                .arg(evening->findChild<QSlider*>()->value())
                .arg(evening->findChild<QLineEdit*>()->text());
    }
};

// Each key on each control the focus can be on: a button takes Space and Enter, which press it,
// and the arrows, which move on; the seed box what it types; the slider its arrows and End. The
// window's keys act where they are left; at an evening's end the focus goes straight to 次の夜
// (golden/evening-keys.txt: the focus on its way, then what is seen).
TEST_F(EveningWindowTest, EveryKeyActsWhereTheFocusLeavesIt)
{
    const std::pair<Qt::Key, const char*> keys[] = {
            {Qt::Key_Space, "Space"}, {Qt::Key_Right, "→"}, {Qt::Key_Return, "Enter"},
            {Qt::Key_End, "End"},     {Qt::Key_N, "N"},     {Qt::Key_Escape, "Esc"}};
    QString said;
    for (const QString control : {"手元の 500円玉の移り変わり", "一人ずつ", "続けて", "最後まで",
                                  "次の夜", "速さ", "閉じる", "乱数の種"}) {
        for (const auto& [key, keyName] : keys) {
            seeds = {1234, 8};
            openEvening();
            for (QWidget* widget : evening->findChildren<QWidget*>())
                if (widget->focusPolicy() != Qt::NoFocus && nameOf(widget) == control)
                    widget->setFocus();
            QSignalSpy moves(qApp, &QApplication::focusChanged);
            press(key);
            QStringList path;
            for (const QList<QVariant>& move : moves)
                path << nameOf(move[1].value<QWidget*>());
            said += QString("%1 + %2: %3 | %4\n").arg(control, keyName, path.join(" → "), seen());
        }
    }
    expectGolden(said, "evening-keys");
}

// Typed or pasted, then Enter; or typed and left with Tab (golden/evening-seeds.txt: the reason
// beside the box, what a screen reader hears, what is seen): a seed the window cannot play (a
// dotless i's low byte is the digit 1) is refused where the pupil sees it, and the box shows the
// evening's seed again.
TEST_F(EveningWindowTest, TheSeedBoxTakesSeedsAsPupilsTypeOrPasteThem)
{
    QString said;
    const Qt::Key enter = Qt::Key_Return, leave = Qt::Key_Tab;
    // clang-format off
    const std::pair<QString, Qt::Key> rows[] = {
        {"１２３４５", enter}, {" 8\u3000", enter}, {"77\r\n", enter}, {"00000000000000000007", enter},
        {"18446744073709551615", enter}, {"18446744073709551616", enter}, {"", enter}, {" ", enter},
        {"12 34", enter}, {"+5", enter}, {"-1", enter}, {"1e3", enter}, {"\u0131", enter},
        {"99", leave}};
    // clang-format on
    for (const auto& [typed, key] : rows) {
        seeds = {1234};
        openEvening();
        evening->findChild<QLineEdit*>()->setFocus();
        QGuiApplication::clipboard()->setText(typed);
        press(Qt::Key_A, Qt::ControlModifier);
        press(Qt::Key_V, Qt::ControlModifier);
        press(key);
        said += QString("「%1」 %2: 「%3」 %4 | %5\n")
                        .arg(typed.trimmed(), key == Qt::Key_Tab ? "Tab" : "Enter",
                             text(*evening, "seedRefusal"), focused(QAccessible::Description),
                             seen());
    }
    expectGolden(said, "evening-seeds");
}

// At the slowest a guest a second, faster to the right; without a word until the pause, by
// Space, which serves one guest more, or by Enter.
TEST_F(EveningWindowTest, PlayGoesAtTheSpeedChosenUntilSpaceOrEnterPausesIt)
{
    openEvening();
    auto* speed = evening->findChild<QSlider*>();
    speed->setValue(speed->minimum());
    const QString before = focused(QAccessible::Description);
    press(Qt::Key_Return);
    QTest::qWait(1500);
    EXPECT_LE(step().section(" 人目", 0, 0).toInt(), 2) << "a guest a second at the slowest";
    speed->setValue(speed->maximum());
    EXPECT_TRUE(QTest::qWaitFor([&] { return step().startsWith("6 人目"); }, kPatience));
    EXPECT_EQ(focused(QAccessible::Description), before) << "no word while it plays";
    for (const Qt::Key pause : {Qt::Key_Space, Qt::Key_Return}) {
        press(pause);
        const QString paused = step();
        QTest::qWait(300);
        EXPECT_EQ(step(), paused) << "paused by " << pause;
        EXPECT_EQ(playCaption(), "続けて") << "paused by " << pause;
        EXPECT_EQ(focused(QAccessible::Description),
                  paused + "　" + QApplication::focusWidget()->toolTip());
        press(Qt::Key_Return);
    }
}

// Seed 8 needs no coin; 1234 ends at -9, in the table's class "-9"; every line reads on a dark
// theme. Each evening watched stays on the chart, fainter, up to nine before tonight's; one
// nobody watched does not (golden/evening-next.txt). The chart on either theme (golden/
// evening-chart-*.png): tonight's line to its lowest point, marked in red where the line first
// reaches it, with its caption under it; deeper earlier evenings inside it; the axes named and
// the last guest's number whole.
TEST_F(EveningWindowTest, EndFinishesTheEveningNamesItsClassAndKeepsItDrawn)
{
    const auto chart = [&] {
        return evening->findChild<QWidget*>("eveningChart")->grab().toImage();
    };
    seeds = {8, 1234, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12};
    openEvening();
    press(Qt::Key_Space);
    expectGolden(heard(evening), "evening-first-guest");
    press(Qt::Key_End);
    expectGolden(heard(evening), "evening-8-ended");
    press(Qt::Key_N);
    press(Qt::Key_End);
    expectGolden(heard(evening), "evening-1234-ended");
    expectGoldenImage(chart(), "evening-chart-light");
    evening->setPalette(themes()[0]);
    expectReadable(*evening);
    expectGoldenImage(chart(), "evening-chart-dark");
    press(Qt::Key_N);
    for (int evenings = 3; evenings <= 12; ++evenings) {
        press(Qt::Key_Right);
        press(Qt::Key_N);
    }
    expectGolden(heard(evening), "evening-next");
}

// The evening's class is marked in the main
// window's table in the chart's red, selected for a screen reader, until the next evening or
// 初期化, which closes the window; back in the main window, the focus on the table is on it.
TEST_F(EveningWindowTest, AnEveningLandsInItsClassOfTheMainWindowsTable)
{
    auto window = openWindow("35", "1000");
    click(*window, "実験開始");
    QTest::keyClick(window.get(), Qt::Key_F3);
    evening = window->findChild<EveningWindow*>();
    active(evening);
    const auto landed = [&] { return marked(*window, "landedMark"); };
    EXPECT_EQ(landed(), 0) << "before the evening ends";
    press(Qt::Key_End);
    const int k = landed();
    ASSERT_NE(k, 0) << "no class marked";
    auto* cell = window->findChild<QLabel*>(QStringLiteral("dosu(%1)").arg(k));
    const QAccessibleInterface* heardCell = QAccessible::queryAccessibleInterface(cell);
    EXPECT_EQ("表では「" + heardCell->text(QAccessible::Description).section(' ', 1) + "」",
              text(*evening, "answerText").section("。", 1).section("の欄", 0, 0));
    EXPECT_TRUE(heardCell->state().selected);
    EXPECT_EQ(window->grab().toImage().pixelColor(cell->mapTo(window.get(), QPoint(1, 1))),
              lowestPointColour(Qt::white));
    press(Qt::Key_N);
    EXPECT_EQ(landed(), 0) << "after the next evening began";
    press(Qt::Key_End);
    press(Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), kPatience));
    EXPECT_EQ(marked(*window), landed()) << "the focus on the table on the evening's class";
    script.answers = {"35", "1000"};
    click(*window, "初期化");
    EXPECT_EQ(landed(), 0) << "after 初期化";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !evening; }, kPatience)) << "closed by 初期化";
}

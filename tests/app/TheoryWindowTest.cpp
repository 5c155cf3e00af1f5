// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "FrequencyTable.h"
#include "MainWindowFixture.h"
#include "NumberFormat.h"
#include "SimApp.h"
#include "TheoryWindow.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

QString clipboard()
{
    return QGuiApplication::clipboard()->text();
}

QByteArray slurp(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The platform may call a window active before Qt does.
bool becomesActive(const QWidget* window)
{
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == window; }, kPatience);
}

QList<TheoryWindow*> theories(const QWidget& window)
{
    return window.findChildren<TheoryWindow*>();
}

} // namespace

class TheoryWindowTest : public MainWindowTest
{
protected:
    QTemporaryDir folder;
    // As torumina-sim --seed=3887406503 runs: from a clock that stands still.
    StillClock still;
    RandomSource seededSource{still, 3887406503};
    ExperimentEngine seeded{seededSource};

    // What torumina-sim says of that run of 100 guests, 1000 times, with its chart.
    QJsonObject sim()
    {
        const std::string chart = "--chart=" + folder.filePath("sim.png").toStdString();
        const char* args[] = {"--seed=3887406503", "--exact", "--format=json", chart.c_str()};
        std::string out, err;
        EXPECT_EQ(runSim(args, out, err), 0) << err;
        return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
    }
};

TEST_F(TheoryWindowTest, ItsFiguresAndChartAreTorumina_simsForTheSameRun)
{
    auto window = std::make_unique<MainWindow>(
            MainWindow::Services{script, script, seeded, cuePlayers(), [] {}});
    script.answers = {"100", "1000"};
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return script.answers.empty(); }, kPatience));
    click(*window, "実験開始");
    QTest::keyClick(window.get(), Qt::Key_F2);
    ASSERT_EQ(theories(*window).size(), 1);
    TheoryWindow& theory = *theories(*window).first();
    const QJsonObject run = sim(), exact = run["exact"].toObject();

    QStringList coins[2] = {{"実験から"}, {"理論上の分布から"}};
    for (const char* percent : {"90", "95", "99"}) {
        coins[0] << QString::number(run["coins"][percent].toInt());
        coins[1] << QString::number(exact["coins"][percent].toInt());
        EXPECT_EQ(text(theory, QStringLiteral("answer") + percent),
                  QStringLiteral("この実験では %1 % の夜に %2 枚で足りました（理論では %3 枚）")
                          .arg(percent, coins[0].last(), coins[1].last()));
    }
    EXPECT_EQ(text(theory, "means"),
              QStringLiteral("不足枚数の平均　この実験 %1　理論 %2")
                      .arg(QString::fromStdString(formatMean(float(run["mean"].toDouble()))))
                      .arg(exact["mean"].toDouble(), 0, 'f', 2));
    auto* figures = theory.findChild<QTableWidget*>("figures");
    for (int row = 0; row < 63; ++row) {
        SCOPED_TRACE("class " + std::to_string(row + 1));
        EXPECT_EQ(figures->item(row, 0)->text(), run["labels"][row].toString());
        EXPECT_EQ(figures->item(row, 1)->text().toInt(), run["counts"][row].toInt());
        EXPECT_EQ(figures->item(row, 2)->text(),
                  QString::number(exact["expected"][row].toDouble(), 'f', 1));
    }
    script.answers = {folder.filePath("window.png")};
    click(theory, "グラフを保存");
    EXPECT_EQ(slurp(folder.filePath("window.png")), slurp(folder.filePath("sim.png")));

    // A table view copies its current cell on Ctrl+C unless the window takes the key first.
    ASSERT_TRUE(becomesActive(&theory));
    figures->setFocus();
    QTest::keyClick(figures, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(clipboard().contains(coins[0].join('\t') + '\n' + coins[1].join('\t') + '\n'));
}

// 20 evenings of 5 guests: 18 never short, one 3 coins short, one 5; 18 of 20 is exactly 90 %.
// Of the 32 paths of 5 tosses, 30 never go below -3 and 31 never below -4.
TEST_F(TheoryWindowTest, TheAnswerCountsTheEveningsThatEndExactlyOnTheShare)
{
    ShownRun run{5, 20, {}};
    for (const auto& [m, count] : {std::pair{0, 18}, {-3, 1}, {-5, 1}})
        run.result.lowestBalanceCounts[std::size_t(m + kMaxCustomers)] = count;
    TheoryWindow theory(run, script);
    EXPECT_EQ(text(theory, "answer90"),
              "この実験では 90 % の夜に 0 枚で足りました（理論では 3 枚）");
    EXPECT_EQ(text(theory, "answer95"),
              "この実験では 95 % の夜に 3 枚で足りました（理論では 4 枚）");
    EXPECT_EQ(text(theory, "answer99"),
              "この実験では 99 % の夜に 5 枚で足りました（理論では 5 枚）");
}

TEST_F(TheoryWindowTest, CtrlCCopiesTheTableForASpreadsheetWithEmptyCountsBeforeARun)
{
    auto window = openWindow("100", "1000");
    auto* table = window->findChild<FrequencyTable*>();
    for (bool run : {false, true}) {
        SCOPED_TRACE(run ? "after a run" : "before a run");
        if (run)
            click(*window, "実験開始");
        QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
        const QStringList rows = clipboard().split('\n');
        const QString mean = run ? rows[2].section('\t', 1) : "";
        EXPECT_EQ(rows.mid(0, 5),
                  (QStringList{"お客人数\t100", "実験回数\t1000", "不足枚数の平均\t" + mean, "",
                               "不足枚数\t度数"}));
        EXPECT_TRUE(!run || formatMean(mean.toFloat()) == text(*window, "Label3").toStdString())
                << "the mean shown, to more digits";
        ASSERT_EQ(rows.size(), 5 + 63 + 1) << "one class a row, each ended";
        int sum = 0;
        for (int k = 1; k <= 63; ++k) {
            const QString count = table->countCell(k)->text();
            EXPECT_EQ(rows[4 + k], table->captionCell(k)->text() + '\t' + count) << "class " << k;
            sum += count.toInt();
        }
        EXPECT_EQ(sum, run ? 1000 : 0);
    }
}

TEST_F(TheoryWindowTest, F2OpensOneTheoryWindowThatEscOrAResetCloses)
{
    auto window = openWindow("100", "1000");
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_EQ(theories(*window).size(), 0) << "nothing to compare before a run";
    click(*window, "実験開始");
    const QStringList shown = counts(*window);
    for (int n = 0; n < 2; ++n) {
        window->activateWindow();
        ASSERT_TRUE(becomesActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_F2);
    }
    ASSERT_EQ(theories(*window).size(), 1) << "one at a time";
    TheoryWindow* theory = theories(*window).first();
    ASSERT_TRUE(becomesActive(theory));
    QAccessibleInterface* seen = QAccessible::queryAccessibleInterface(theory);
    EXPECT_EQ(seen->role(), QAccessible::Window);
    EXPECT_EQ(seen->text(QAccessible::Name), " トルミナの実験２＿理論と比べる");
    EXPECT_TRUE(QApplication::focusWidget()->accessibleDescription().startsWith("この実験では 90"))
            << "a screen reader hears the answer as the window opens";
    QTest::keyClick(theory, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return theories(*window).isEmpty(); }, kPatience));
    EXPECT_EQ(counts(*window), shown) << "the run stays on the main window";
    EXPECT_TRUE(becomesActive(window.get())) << "back where the keyboard was";

    QTest::keyClick(window.get(), Qt::Key_F2);
    script.answers = {"10", "37"};
    click(*window, "初期化");
    EXPECT_TRUE(QTest::qWaitFor([&] { return theories(*window).isEmpty(); }, kPatience))
            << "the run it compared is gone";
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_EQ(theories(*window).size(), 0) << "nothing to compare until the next run";
}

TEST_F(TheoryWindowTest, TheTablesMenuOffersComparingOnlyAfterARun)
{
    auto window = openWindow("100", "1000");
    auto* table = window->findChild<FrequencyTable*>();
    const auto menuKey = [&](QContextMenuEvent::Reason reason, QWidget* at) {
        QContextMenuEvent request(reason, QPoint(5, 5), at->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(at, &request);
    };
    const std::pair<const char*, std::function<void()>> ways[] = {
            {"right click", [&] { menuKey(QContextMenuEvent::Mouse, table->countCell(30)); }},
            {"Menu key", [&] { menuKey(QContextMenuEvent::Keyboard, table); }},
            {"Shift+F10", [&] { QTest::keyClick(table, Qt::Key_F10, Qt::ShiftModifier); }}};
    const QPoint marked = table->countCell(1)->mapToGlobal(table->countCell(1)->rect().center());
    for (bool run : {false, true}) {
        if (run)
            click(*window, "実験開始");
        for (const auto& [way, open] : ways) {
            SCOPED_TRACE(std::string(way) + (run ? " after a run" : " before a run"));
            window->activateWindow(); // offscreen, a closed menu leaves no window active
            ASSERT_TRUE(becomesActive(window.get()));
            table->setFocus();
            open();
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu);
            QStringList items;
            for (QAction* action : menu->actions())
                items << action->text() + (action->isEnabled() ? "" : " (disabled)");
            EXPECT_EQ(
                    items,
                    (QStringList{run ? "理論と比べる" : "理論と比べる (disabled)", "表をコピー"}));
            EXPECT_EQ(menu->pos() == marked, way != std::string("right click"))
                    << "a key opens it at the marked cell";
            QGuiApplication::clipboard()->clear();
            menu->actions().at(1)->trigger();
            EXPECT_TRUE(clipboard().endsWith(run ? "3  ～\t0\n" : "3  ～\t\n")) << "「表をコピー」";
            menu->close();
        }
    }
}

TEST_F(TheoryWindowTest, SavingTheChartAsksBeforeReplacingAFile)
{
    ShownRun run{10, 37, {}};
    run.result.lowestBalanceCounts[kMaxCustomers] = 37;
    TheoryWindow theory(run, script);
    const QString kept = folder.filePath("kept.png");
    const struct
    {
        const char* name;
        std::deque<QString> answers;
        QString lastBox;
        bool replaced;
    } rows[] = {
            {"replacing answered No",
             {kept, "no"},
             "confirm グラフを保存: 「kept.png」はすでにあります。置き換えますか？",
             false},
            {"replacing answered Yes", {kept, "yes"}, "confirm", true},
            {"a folder",
             {folder.path()},
             "inform グラフを保存: グラフを「" + folder.path()
                     + "」に保存できませんでした。\n通常のファイルではありません",
             false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QFile file(kept);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("earlier") == 7);
        file.close();
        script.answers = row.answers;
        click(theory, "グラフを保存");
        EXPECT_TRUE(journal.last().startsWith(row.lastBox)) << journal.last().toStdString();
        EXPECT_EQ(slurp(kept).startsWith("\x89PNG"), row.replaced);
    }
}

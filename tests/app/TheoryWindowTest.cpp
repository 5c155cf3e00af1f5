// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// The theory window of a run. F2 and Esc across windows are the journey's
// (tests/e2e); a reset closing it is the main window's test.

#include "MainWindowFixture.h"
#include "SimApp.h"
#include "TheoryWindow.h"

#include <QClipboard>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

QByteArray slurp(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TheoryWindowTest : public MainWindowTest
{
protected:
    QTemporaryDir folder;
    // As torumina-sim --seed=3887406503 runs.
    SeededRun seeded{3887406503};

    // 20 evenings of 5 guests: 18 never short (exactly 90 %), one 3 coins short, one 5. Of the 32
    // paths of 5 tosses, 30 never go below -3 and 31 never below -4.
    std::unique_ptr<TheoryWindow> fiveGuests()
    {
        ExperimentResult run{.guests = 5, .trials = 20};
        for (const auto& [m, count] : {std::pair{0, 18}, {-3, 1}, {-5, 1}})
            for (int n = 0; n < count; ++n)
                run.record(m);
        return std::make_unique<TheoryWindow>(run, script);
    }
};

// The question, the answers and means, what a screen reader hears on the chart, the 63 classes'
// figures (golden/theory.txt); the chart saved is the one torumina-sim draws for the same run.
TEST_F(TheoryWindowTest, ItShowsTheRunBesideTheTheoryAsTorumina_simDoes)
{
    auto window = openWindow("100", "1000", &seeded.engine());
    click(*window, "実験開始");
    QTest::keyClick(window.get(), Qt::Key_F2);
    auto* theory = window->findChild<TheoryWindow*>();
    ASSERT_TRUE(theory && QTest::qWaitForWindowActive(theory, kPatience));
    QString seen = theory->windowTitle() + '\n'; // the words, then the figures row by row
    for (const QLabel* label : theory->findChildren<QLabel*>())
        seen += label->text() + '\n';
    seen += theory->findChild<QWidget*>("chart")->accessibleDescription() + "\n--\n";
    const auto* table = theory->findChild<QTableWidget*>("figures");
    for (int row = 0; row < table->rowCount(); ++row)
        seen += table->item(row, 0)->text() + '\t' + table->item(row, 1)->text() + '\t'
                + table->item(row, 2)->text() + '\n';
    expectGolden(seen, "theory");
    std::string out, err;
    const std::string chart = "--chart=" + folder.filePath("sim.png").toStdString();
    const char* args[] = {"--seed=3887406503", chart.c_str()};
    ASSERT_EQ(runSim(SimArguments(args), out, err), 0) << err;
    script.answers = {folder.filePath("window.png")};
    click(*theory, "グラフを保存");
    EXPECT_EQ(slurp(folder.filePath("window.png")), slurp(folder.filePath("sim.png")));
}

// 「数値をコピー」 and Ctrl+C, also from the table of figures (which would copy its one cell):
// the means to 4 decimals, the expected counts to 1 (golden/copied-theory.txt).
TEST_F(TheoryWindowTest, CopiesTheFiguresForASpreadsheet)
{
    auto theory = fiveGuests();
    theory->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(theory.get(), kPatience));
    click(*theory, "数値をコピー");
    expectGolden(QGuiApplication::clipboard()->text(), "copied-theory");
    QGuiApplication::clipboard()->clear();
    theory->findChild<QTableWidget*>("figures")->setFocus();
    press(Qt::Key_C, Qt::ControlModifier);
    expectGolden(QGuiApplication::clipboard()->text(), "copied-theory");
}

// The answers counting the evenings that end exactly on a share, heard as the focus lands on
// the chart (golden/theory-five-guests.txt); every text reads on a dark theme.
TEST_F(TheoryWindowTest, OpensWithTheAnswerAndReadableOnADarkTheme)
{
    QApplication::setPalette(themes()[0]);
    auto theory = fiveGuests();
    theory->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(theory.get(), kPatience));
    expectGolden(heard(theory.get()), "theory-five-guests");
    expectReadable(*theory);
    QApplication::setPalette(themes()[1]);
}

// An earlier file stays byte for byte unless the user said Yes to replacing
// it: No, the box closed unanswered, Yes, and a folder's name (golden/theory-save.txt).
TEST_F(TheoryWindowTest, SavingTheChartReplacesAFileOnlyWhenToldTo)
{
    auto theory = fiveGuests();
    const QString kept = folder.filePath("kept.png");
    for (const auto& answers :
         {std::deque<QString>{kept, "no"}, {kept, "none"}, {kept, "yes"}, {folder.path()}}) {
        QFile file(kept);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("earlier") == 7);
        file.close();
        script.answers = answers;
        journal << "answered " + QStringList(answers.begin(), answers.end()).join(", ");
        click(*theory, "グラフを保存");
        const QByteArray now = slurp(kept);
        journal << (now == "earlier"                    ? "→ kept.png as it was\n"
                            : now.startsWith("\x89PNG") ? "→ kept.png replaced by the chart\n"
                                                        : "→ kept.png spoilt\n");
    }
    expectGolden(journal.join('\n').replace(folder.path(), "<folder>"), "theory-save");
}

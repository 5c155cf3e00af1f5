// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ChartFile.h"
#include "MainWindowFixture.h"
#include "QtDialogs.h"
#include "TheoryWindow.h"

#include <QMessageBox>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <cerrno>

// A click queued behind the Enter that answers each box, which the box's
// own event loop delivers; then Enter, where the focus is.
TEST_F(MainWindowTest, AResetsQuestionsRunNothingAndEnterThenRunsTheNewParameters)
{
    const auto window = openWindow("10", "37");
    click(*window, "実験開始");
    QPushButton* start = button(*window, "実験開始");
    script.whileOpen = [start] {
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(start,
                                        new QMouseEvent(type, QPointF(5, 5),
                                                        start->mapToGlobal(QPointF(5, 5)),
                                                        Qt::LeftButton, {}, {}));
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

// Qt's file box read say "hi".png as the name hi.png, in the home folder.
TEST_F(MainWindowTest, AChartNameWithAQuoteIsRefusedAndNothingIsWritten)
{
    const QTemporaryDir home; // where the save box opens
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    QtDialogs dialogs;
    TheoryWindow theory(ExperimentResult{.guests = 10, .trials = 37}, dialogs);
    QStringList boxes; // the name typed into the first, every other closed
    QTimer boxOpen;
    QObject::connect(&boxOpen, &QTimer::timeout, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            const auto* message = qobject_cast<QMessageBox*>(box);
            boxes << (message ? message->text() : box->metaObject()->className());
            if (boxes.size() == 1)
                box->findChild<QLineEdit*>("fileNameEdit")->setText(R"(say "hi".png)");
            QMetaObject::invokeMethod(box, boxes.size() == 1 ? "accept" : "reject");
        }
    });
    boxOpen.start(20);
    click(theory, "グラフを保存");
    qputenv("HOME", realHome);
    EXPECT_EQ(boxes,
              QStringList({"QFileDialog",
                           "ファイル名に \" は使えません。\n別の名前を付けてください。",
                           "QFileDialog"}));
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList());
}

TEST(ChartFile, AFailedSaveSaysTheCommonCausesInJapanese)
{
    for (const auto& [code, said] : {std::pair{EACCES, "書き込む権限がありません"},
                                     {EROFS, "読み取り専用の場所です"},
                                     {ENOSPC, "ディスクがいっぱいです"},
                                     {ENOENT, "フォルダがありません"},
                                     {EBADF, "出力が閉じています"},
                                     {EIO, "?"}})
        EXPECT_EQ(fileFailureReason(code, "?").toStdString(), said) << code;
    const QTemporaryDir folder; // the reason of the failing call, not of a call after it
    const auto error = saveDistributionChartPng(
            folder.filePath("missing/chart.png"),
            distributionChart({.guests = 5, .trials = 20}, exactDistribution(5), {}));
    ASSERT_TRUE(error);
    EXPECT_EQ(chartSaveFailure("c.png", *error).toStdString(),
              "グラフを「c.png」に保存できませんでした。\nフォルダがありません");
}

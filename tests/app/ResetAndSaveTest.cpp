// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "MainWindowFixture.h"
#include "QtDialogs.h"
#include "TheoryWindow.h"

#include <QDirIterator>
#include <QFileDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// A click queued behind the Enter that answers a box: the box's own event
// loop delivers it, as a busy moment on a classroom PC does.
void queueClick(QPushButton* button)
{
    const QPointF at = QRectF(button->rect()).center();
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(
                button, new QMouseEvent(type, at, button->mapToGlobal(at), Qt::LeftButton,
                                        type == QEvent::MouseButtonPress ? Qt::LeftButton
                                                                         : Qt::NoButton,
                                        Qt::NoModifier));
    QCoreApplication::processEvents();
}

} // namespace

TEST_F(MainWindowTest, AStartClickedWhileAResetAsksRunsNothingTheLabelsDoNotSay)
{
    const auto window = openWindow("10", "37");
    click(*window, "実験開始");
    ASSERT_EQ(countSum(*window), 37);
    QPushButton* start = button(*window, "実験開始");
    script.whileOpen = [start] { queueClick(start); };
    script.answers = {"100", "1000"};
    click(*window, "初期化");
    script.whileOpen = [] {};
    QCoreApplication::processEvents();

    EXPECT_EQ(text(*window, "Label82"), "100");
    EXPECT_EQ(text(*window, "Label2"), "1000");
    const int shown = countSum(*window);
    EXPECT_TRUE(shown == 0 || shown == 1000) << shown << " experiments under the label 1000";
}

TEST_F(MainWindowTest, EnterAfterAResetRunsTheNewParameters)
{
    const auto window = openWindow("10", "37");
    click(*window, "実験開始");
    script.answers = {"100", "1000"};
    click(*window, "初期化");
    journal.clear();

    ASSERT_NE(window->focusWidget(), nullptr);
    QTest::keyClick(window->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(countSum(*window), 1000);
    EXPECT_EQ(journal, QStringList()) << "no box after Enter";
}

// Qt's file box reads quotes as the bounds of several names: say "hi".png
// went to hi.png in the home folder.
TEST_F(MainWindowTest, AChartNameWithAQuoteIsRefusedAndNothingIsWritten)
{
    const QTemporaryDir home;
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    QtDialogs dialogs;
    ShownRun run{10, 37, {}};
    run.result.lowestBalanceCounts[kMaxCustomers] = 37;
    TheoryWindow theory(run, dialogs);
    QStringList said;
    int fileBoxes = 0;
    QTimer boxes; // the name typed in the first file box, the second cancelled
    QObject::connect(&boxes, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (auto* files = qobject_cast<QFileDialog*>(box); files && fileBoxes++ == 0) {
            files->findChild<QLineEdit*>("fileNameEdit")->setText(R"(say "hi".png)");
            QMetaObject::invokeMethod(files, "accept"); // the 保存 button
        } else if (auto* message = qobject_cast<QMessageBox*>(box)) {
            said << message->text();
            message->done(0);
        } else if (files) {
            files->reject();
        }
    });
    boxes.start(20);
    click(theory, "グラフを保存");
    boxes.stop();
    qputenv("HOME", realHome);

    EXPECT_EQ(said, QStringList("ファイル名に \" は使えません。\n別の名前を付けてください。"));
    QStringList written; // Qt's own settings, hidden, aside
    for (QDirIterator in(home.path(), QDir::Files, QDirIterator::Subdirectories); in.hasNext();)
        written << in.next();
    EXPECT_EQ(written, QStringList());
}

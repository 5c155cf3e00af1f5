// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "MainWindowFixture.h"

#include <QMouseEvent>

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

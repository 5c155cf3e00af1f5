// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// The help window alone; 閉じる and its close box leading back to a new main
// window are the program windows' test.

#include "HelpTextView.h"
#include "HelpWindow.h"
#include "Screen.h"

#include <QAccessible>
#include <QTest>

#include <gtest/gtest.h>

class HelpWindowTest : public testing::Test
{
protected:
    HelpWindow* window = new HelpWindow; // deletes itself once closed
    QStringList log;

    void SetUp() override
    {
        QObject::connect(window, &HelpWindow::closed, [this] { log << "closed"; });
        QObject::connect(window, &QObject::destroyed, [this] { log << "destroyed"; });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window, kPatience));
    }
    void TearDown() override
    {
        if (log.isEmpty())
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    HelpTextView& textView() { return *window->findChild<HelpTextView*>("Picture1"); }
};

// As a screen reader reads it, after another activation too (golden/help-text.txt).
TEST_F(HelpWindowTest, ShowsTheHelpTextOnceAfterEveryActivationAsAScreenReaderReadsIt)
{
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window, &activate);
    QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&textView())->textInterface();
    ASSERT_TRUE(text) << "a screen reader can read the box as text";
    expectGolden(text->text(0, text->characterCount()) + '\n', "help-text");
}

// Every line whole, black on white, also on a dark theme: the longest are
// condensed to the box's width rather than cut off (golden/help-box.png).
TEST_F(HelpWindowTest, DrawsEveryLineWholeAndReadableInItsBox)
{
    textView().setPalette(themes()[0]);
    expectGoldenImage(textView().grab().toImage(), "help-box");
}

// 9255 × 7440 twips, 15 to a pixel: 閉じる at (8400, 0, 735, 375) with the focus, the rule
// from (120, 360) to (9120, 360), the text at (120, 480, 9015, 6855) (golden/help-window.txt).
TEST_F(HelpWindowTest, StandsAsLaidOutWithTheFocusOnClose)
{
    expectGolden(heard(window), "help-window");
}

// Minimising hides the window too, but only a close leads back.
TEST_F(HelpWindowTest, EscClosesTheWindowWhichThenLeadsBackButMinimisingDoesNot)
{
    window->showMinimized();
    window->showNormal();
    EXPECT_EQ(log, QStringList()) << "minimised and back";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(log, QStringList({"closed", "destroyed"}));
}

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

// Read in pieces, a character, a word, a sentence or a line at a time, on from the start or back
// from the end, as a screen reader reads, the pieces make up the whole text.
TEST_F(HelpWindowTest, AScreenReaderReadingInPiecesReadsTheWholeText)
{
    QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&textView())->textInterface();
    const int size = text->characterCount();
    const QString whole = text->text(0, size);
    for (const auto piece : {QAccessible::CharBoundary, QAccessible::WordBoundary,
                             QAccessible::SentenceBoundary, QAccessible::LineBoundary}) {
        // Each piece as given, and as read again from its offsets.
        QString on, onAgain, back, backAgain;
        int start = 0, end = 0;
        const auto read = [&](QString& pieces, QString& again, const QString& given, bool after) {
            after ? pieces.append(given) : pieces.prepend(given);
            after ? again.append(text->text(start, end)) : again.prepend(text->text(start, end));
        };
        read(on, onAgain, text->textAtOffset(0, piece, &start, &end), true);
        for (int n = 0; n < size && end < size; ++n)
            read(on, onAgain, text->textAfterOffset(start, piece, &start, &end), true);
        read(back, backAgain, text->textAtOffset(size - 1, piece, &start, &end), false);
        for (int n = 0; n < size && start > 0; ++n)
            read(back, backAgain, text->textBeforeOffset(start, piece, &start, &end), false);
        for (const QString& reading : {on, onAgain, back, backAgain})
            EXPECT_EQ(reading, whole) << "by boundary " << piece;
    }
}

// Every line whole, black on white, also on a dark theme: the longest are
// condensed to the box's width rather than cut off (golden/help-box.png).
TEST_F(HelpWindowTest, DrawsEveryLineWholeAndReadableInItsBox)
{
    textView().setPalette(themes()[0]);
    expectGoldenImage(textView().grab().toImage(), "help-box");
}

// 閉じる at the top right with the focus, a rule under it, the text below (golden/help-window.txt).
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

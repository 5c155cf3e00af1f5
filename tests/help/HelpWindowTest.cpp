// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// The help window alone. 閉じる and its close box leading back to a new main
// window are the program windows' test; a screen reader reading the text over
// AT-SPI, the journey's.

#include "HelpTextView.h"
#include "HelpWindow.h"
#include "Screen.h"

#include <QAccessible>
#include <QTest>

#include <gtest/gtest.h>

#include <QFile>

namespace {

// The help text as the lesson has it, kept apart from the program's copy.
QStringList expectedLines()
{
    QFile file(TORUMINA_HELP_TEXT_FILE);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    lines.removeLast(); // after the final line break
    return lines;
}

} // namespace

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
        QApplication::setPalette(themes()[1]);
    }
    HelpTextView& textView() { return *window->findChild<HelpTextView*>("Picture1"); }
};

TEST_F(HelpWindowTest, ShowsTheHelpTextOnceAfterEveryActivationAsAScreenReaderReadsIt)
{
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window, &activate);
    QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&textView())->textInterface();
    ASSERT_TRUE(text) << "a screen reader can read the box as text";
    EXPECT_EQ(text->text(0, text->characterCount()).split('\n'), expectedLines());
}

// Every line whole, black on white, also on a dark theme: the longest are
// condensed to the box's width rather than cut off (golden/help-text.png).
TEST_F(HelpWindowTest, DrawsEveryLineWholeAndReadableInItsBox)
{
    QApplication::setPalette(themes()[0]);
    expectGoldenImage(textView().grab().toImage(), "help-text");
}

// Laid out in twips, 15 to a pixel: 9255 × 7440, 閉じる at (8400, 0, 735, 375)
// with the focus, the rule from (120, 360) to (9120, 360), the text at (120,
// 480, 9015, 6855) (golden/help-window.txt).
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

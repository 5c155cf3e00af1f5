// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "HelpTextView.h"
#include "HelpWindow.h"
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <QAccessible>
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

QRect placeOf(const QWidget& window, const char* name)
{
    return window.findChild<QWidget*>(name)->geometry();
}

// A line's ink (darker than 4.5 : 1 on white) squeezed into a row of 48
// shades: the same row however the line was fitted, unless part of it is
// missing.
QImage shades(const QImage& image, const QRect& band)
{
    int left = band.right(), right = band.left();
    for (int x = band.left(); x <= band.right(); ++x)
        for (int y = band.top(); y <= band.bottom(); ++y)
            if (qGray(image.pixel(x, y)) < 118)
                std::tie(left, right) = std::pair(std::min(left, x), std::max(right, x));
    return left > right ? QImage()
                        : image.copy(left, band.top(), right - left + 1, band.height())
                                  .scaled(48, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

class HelpWindowTest : public testing::Test
{
protected:
    HelpWindow* window = new HelpWindow; // deletes itself once closed
    QStringList log;

    void SetUp() override
    {
        QObject::connect(window, &HelpWindow::closed,
                         [this] { log << (window->isVisible() ? "closed, shown" : "closed"); });
        QObject::connect(window, &QObject::destroyed, [this] { log << "destroyed"; });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window, 60000));
    }
    void TearDown() override
    {
        if (log.isEmpty())
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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

TEST_F(HelpWindowTest, DrawsEveryLineWholeInItsBox)
{
    const QImage shown = textView().grab().toImage();
    const QRect area = textView().contentsRect();
    const int step = textView().fontMetrics().lineSpacing();
    EXPECT_EQ(textView().font().pixelSize(), 15);
    textView().resize(2 * textView().width(), textView().height()); // all the room lines need
    const QImage roomy = textView().grab().toImage();
    const QStringList lines = expectedLines();
    for (int i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "line " << i + 1);
        const QRect band(area.left(), area.top() + i * step, area.width(), step);
        const QImage ink = shades(shown, band);
        const QImage whole = shades(roomy, band.adjusted(0, 0, area.width(), 0));
        EXPECT_EQ(ink.isNull(), lines[i].isEmpty()) << "ink only on the lines with text";
        for (int x = 0; x < ink.width(); ++x)
            EXPECT_NEAR(qGray(ink.pixel(x, 0)), qGray(whole.pixel(x, 0)), 16) << "no part cut off";
    }
}

TEST_F(HelpWindowTest, StandsAsLaidOutWithTheRuleUnderTheCloseButton)
{
    EXPECT_EQ(window->size(), QSize(617, 496));
    EXPECT_EQ(placeOf(*window, "Command1"), QRect(560, 0, 49, 25)) << "閉じる";
    EXPECT_EQ(placeOf(*window, "Picture1"), QRect(8, 32, 601, 457)) << "the text box";
    EXPECT_EQ(placeOf(*window, "Line1"), QRect(8, 24, 601, 1)) << "the rule, under 閉じる";
    EXPECT_EQ(QApplication::focusWidget(), window->findChild<QWidget*>("Command1"));
}

TEST_F(HelpWindowTest, MinimisingDoesNotLeadBack)
{
    window->showMinimized();
    window->showNormal();
    EXPECT_EQ(log, QStringList());
}

struct CloseKey
{
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifier modifier;
};

void PrintTo(const CloseKey& key, std::ostream* out)
{
    *out << key.name;
}

class HelpWindowKeys : public HelpWindowTest, public testing::WithParamInterface<CloseKey>
{
};

TEST_P(HelpWindowKeys, CloseTheWindowWhichThenLeadsBack)
{
    QTest::keyClick(QApplication::focusWidget(), GetParam().key, GetParam().modifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(log, QStringList({"closed", "destroyed"}));
}

INSTANTIATE_TEST_SUITE_P(OnTheCloseButton, HelpWindowKeys,
                         testing::Values(CloseKey{"Enter", Qt::Key_Return, Qt::NoModifier},
                                         CloseKey{"Esc", Qt::Key_Escape, Qt::NoModifier}),
                         [](const testing::TestParamInfo<CloseKey>& row) {
                             return row.param.name;
                         });

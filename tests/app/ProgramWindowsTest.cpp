// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "MainWindowFixture.h"
#include "ProgramWindows.h"

#include <QMouseEvent>
#include <QRegularExpression>
#include <QTest>

struct MostWindowsShownAtOnce final : QObject
{
    int most = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            most = std::max(most,
                            int(std::ranges::count_if(QApplication::topLevelWidgets(),
                                                      &QWidget::isVisible)));
        return false;
    }
};

// Clicks can queue up behind a busy window. None may reach a command before both answers, nor
// after HELP, as the window is going: no run with 0 guests, no second help window, no box over it.
TEST_F(MainWindowTest, HelpReplacesTheMainWindowAndClosingItEitherWayBringsANewBlankOne)
{
    ProgramWindows windows{script, script, engine, media()};
    MostWindowsShownAtOnce visible;
    qApp->installEventFilter(&visible);
    const auto queue = [&](const std::vector<int>& buttons) {
        for (const int n : buttons)
            for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                QCoreApplication::postEvent(
                        button(*windows.mainWindow(), n),
                        new QMouseEvent(type, {5, 5}, {5, 5}, Qt::LeftButton, Qt::LeftButton, {}));
    };
    windows.showMain();
    queue({1});
    script.answers = {"100", "1000"};
    const std::vector<int> clicks[] = {{1, 4}, {4, 1}, {4, 2}, {4, 3}, {4, 4}};
    const QRegularExpression heard("^(?!media Command)"); // a cue's file or a box, not its steps
    for (std::size_t n = 0; n <= std::size(clicks); ++n) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return script.answers.empty(); }));
        EXPECT_EQ(journal.size(), 2) << "both questions only, no cue and no run: " << n;
        EXPECT_TRUE(shown(*windows.mainWindow()).join(QString()).isEmpty()
                    && button(*windows.mainWindow(), 1)->isEnabled());
        if (n == std::size(clicks))
            break;
        journal.clear();
        queue(clicks[n]);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !windows.mainWindow() && windows.helpWindow(); }));
        EXPECT_EQ(journal.filter(heard), QStringList("media FileName=pinpon.wav")) << n;
        journal.clear();
        script.answers = {"100", "1000"};
        n % 2 ? void(windows.helpWindow()->close()) : windows.helpWindow()->Command1_Click();
    }
    EXPECT_EQ(visible.most, 1);
}

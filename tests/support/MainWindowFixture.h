// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ExperimentEngine.h"
#include "Fakes.h"
#include "MainWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

// Read before every experiment: a test can act inside a run.
struct WatchedClock final : Clock
{
    std::function<void()> watch = [] {};
    float secondsSinceMidnight() override { return watch(), 43200.5f; }
};

// The caption a pupil reads over class k's count.
inline QString captionOf(int k)
{
    return k == 1 ? "～  -57" : k == 63 ? "3  ～" : QString::number(k - 59);
}

// A main window whose boxes, cues, program end and random source are ours,
// driven as a user drives it.
class MainWindowTest : public ::testing::Test
{
protected:
    Script script;
    QStringList& journal = script.journal;
    WatchedClock clock;
    RandomSource random{clock, 20261206};
    ExperimentEngine engine{random};

    std::function<std::unique_ptr<CuePlayer>()> cuePlayers()
    {
        return [this] { return std::make_unique<RecordingCuePlayer>(journal); };
    }
    std::unique_ptr<MainWindow> newWindow(ExperimentEngine* runs = nullptr)
    {
        return std::make_unique<MainWindow>(
                MainWindow::Services{script, script, runs ? *runs : engine, cuePlayers(), [] {}});
    }
    // Shown, activated and both boxes answered; the journal starts empty then.
    std::unique_ptr<MainWindow> openWindow(const QString& guests, const QString& trials,
                                           ExperimentEngine* runs = nullptr)
    {
        auto window = newWindow(runs);
        script.answers = {guests, trials};
        window->show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return script.answers.empty(); }, kPatience))
                << "the window asked for its parameters";
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get(), kPatience));
        journal.clear();
        return window;
    }
    static QString text(const QWidget& window, const QString& name)
    {
        return window.findChild<QLabel*>(name)->text();
    }
    static QPushButton* button(const QWidget& window, const QString& caption)
    {
        for (auto* button : window.findChildren<QPushButton*>())
            if (button->text() == caption)
                return button;
        ADD_FAILURE() << "no button " << caption;
        return nullptr;
    }
    static void click(const QWidget& window, const QString& caption)
    {
        QTest::mouseClick(button(window, caption), Qt::LeftButton);
    }
    // A key as the keyboard gives it: to whatever holds the focus.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // The focused control as a screen reader names it.
    static QString focused()
    {
        QWidget* focus = QApplication::focusWidget();
        return focus ? QAccessible::queryAccessibleInterface(focus)->text(QAccessible::Name) : "";
    }
    static QString cell(const QWidget& window, int k)
    {
        return text(window, QStringLiteral("dosu(%1)").arg(k));
    }
    static QStringList counts(const QWidget& window)
    {
        QStringList cells;
        for (int k = 1; k <= 63; ++k)
            cells << cell(window, k);
        return cells;
    }
    static int countSum(const QWidget& window)
    {
        int sum = 0;
        for (const QString& count : counts(window))
            sum += count.toInt();
        return sum;
    }
    static QStringList enabledButtons(const QWidget& window)
    {
        QStringList enabled;
        for (const char* caption : {"実験開始", "終了", "初期化", "HELP"})
            if (button(window, caption)->isEnabled())
                enabled << caption;
        return enabled;
    }
};

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ExperimentEngine.h"
#include "Fakes.h"
#include "MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include <cmath>
#include <numeric>

// How long a widget test waits for the program: room for a loaded machine.
constexpr int kPatience = 60000;

// Read before every experiment: a test can look at the window inside a run.
struct WatchedClock final : Clock
{
    std::function<void()> watch = [] {};
    float secondsSinceMidnight() override { return watch(), 43200.5f; }
};

// A dark desktop scheme, then the style's own light one, which stays set.
inline std::vector<QPalette> themes()
{
    return {QPalette(QColor(53, 53, 53)), QApplication::style()->standardPalette()};
}

// The WCAG 2 contrast ratio.
inline double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const auto [darker, lighter] = std::minmax({luminance(a), luminance(b)});
    return (lighter + 0.05) / (darker + 0.05);
}

// A main window whose boxes, cues, program end and random source are ours.
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
    std::unique_ptr<MainWindow> newWindow()
    {
        return std::make_unique<MainWindow>(
                MainWindow::Services{script, script, engine, cuePlayers(), [] {}});
    }
    // A window shown, activated and answered as the user would; the journal
    // starts empty after the two questions.
    std::unique_ptr<MainWindow> openWindow(const QString& guests, const QString& trials)
    {
        auto window = newWindow();
        script.answers = {guests, trials};
        window->show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return script.answers.empty(); }, kPatience))
                << "the window asked for its parameters";
        QCoreApplication::processEvents();
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
        ADD_FAILURE() << "no button " << caption.toStdString();
        return nullptr;
    }
    static void click(const QWidget& window, const QString& caption)
    {
        QTest::mouseClick(button(window, caption), Qt::LeftButton);
    }
    static QStringList counts(const QWidget& window)
    {
        QStringList cells;
        for (int k = 1; k <= 63; ++k)
            cells << text(window, QStringLiteral("dosu(%1)").arg(k));
        return cells;
    }
    static int countSum(const QWidget& window)
    {
        const QStringList cells = counts(window);
        return std::accumulate(cells.begin(), cells.end(), 0,
                               [](int sum, const QString& cell) { return sum + cell.toInt(); });
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

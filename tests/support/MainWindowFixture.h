// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ExperimentEngine.h"
#include "Fakes.h"
#include "Form1.h"

#include <QRegularExpression>
#include <QStyle>
#include <QTest>

#include <numeric>

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

// A main window whose boxes, cue, program end and random source are ours.
class MainWindowTest : public ::testing::Test
{
protected:
    Script script;
    QStringList& journal = script.journal;
    WatchedClock clock;
    RandomSource random{clock, 20261206};
    ExperimentEngine engine{random};

    auto media()
    {
        return [this] { return std::make_unique<RecordingMedia>(journal); };
    }
    auto window()
    {
        return std::make_unique<Form1>(Form1Services{script, script, engine, media(), [] {}});
    }
    std::unique_ptr<Form1> enteredWindow(const QString& guests, const QString& trials)
    {
        auto form = window();
        script.answers = {guests, trials};
        form->EnterParameters();
        journal.clear();
        return form;
    }
    static QString text(const QWidget& w, const QString& name)
    {
        return w.findChild<QLabel*>(name)->text();
    }
    static QPushButton* button(const QWidget& w, int n)
    {
        return w.findChild<QPushButton*>(QStringLiteral("Command%1").arg(n));
    }
    // The pointer's shape, then + or - for each button enabled or not.
    static QString state(const QWidget& form)
    {
        QString flags = QString::number(form.cursor().shape());
        for (int n = 1; n <= 4; ++n)
            flags += button(form, n)->isEnabled() ? '+' : '-';
        return flags;
    }
    // The 63 cells, then the mean, as shown.
    static QStringList shown(const QWidget& form)
    {
        QStringList cells;
        for (int k = 1; k <= 63; ++k)
            cells << text(form, QStringLiteral("dosu(%1)").arg(k));
        return cells << text(form, QStringLiteral("Label3"));
    }
    static int tableSum(const QWidget& form)
    {
        const QStringList cells = shown(form).mid(0, 63);
        return std::accumulate(cells.begin(), cells.end(), 0,
                               [](int sum, const QString& cell) { return sum + cell.toInt(); });
    }
};

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "DistributionChart.h"
#include "ExactDistribution.h"
#include "RunText.h"

#include <QWidget>

class Dialogs;
class QHBoxLayout;
class QTabWidget;
class QVBoxLayout;
class TwipLayout;

// 「理論と比べる」: a run beside the exact distribution for its guests. The
// answer to the lesson's question in words (the coins that sufficed on 90,
// 95 and 99 % of the run's evenings, and what the theory gives), the two
// means, the chart torumina-sim draws, and the 63 classes' counts and
// expected counts as a table. The figures can be copied for a spreadsheet
// and the chart saved as the PNG torumina-sim would write. Opens beside the
// window it belongs to, its parent; closed by Esc, by its button and by its
// close box.
class TheoryWindow final : public QWidget
{
    Q_OBJECT

public:
    TheoryWindow(const ExperimentResult& run, Dialogs& dialogs, QWidget* parent = nullptr);

public slots:
    // 「数値をコピー」: theoryText() on the clipboard.
    void copyFigures();
    // 「グラフを保存」: asks where, asks before replacing a file, and tells
    // why a save failed; an earlier file is replaced only by a complete one.
    void saveChart();

private:
    // The window's parts from the top: the answer in words (spoken is what
    // a screen reader hears of it), the chart and figures, the buttons.
    QVBoxLayout* buildAnswers(const TwipLayout& at, QString& spoken);
    QTabWidget* buildPages(const QString& spoken);
    QHBoxLayout* buildButtons();

    ExperimentResult run_;
    ExactDistribution exact_;
    CoverageRows coverage_;
    DistributionChart chart_;
    Dialogs& dialogs_;
};

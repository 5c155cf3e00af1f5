// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ExperimentEngine.h"

#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class TwipLayout;

// The frequency table: seven bands, each a header row naming nine classes
// of lowest balance over a row of their counts, 63 classes in all, read
// band by band from the top and left to right.
//
// It takes the focus as one control: the arrow keys move a marked cell
// through the counts, and Enter and Space do nothing, so that a key pressed
// once too often after a run throws nothing away. Screen readers meet it as
// a table of 7 rows and 9 columns whose cells are the counts, each headed
// by its class's caption.
class FrequencyTable final : public QWidget
{
    Q_OBJECT
public:
    FrequencyTable(const TwipLayout& layout, QWidget* parent);

    // Every class's count, zeros included.
    void showCounts(const ExperimentResult& result);
    // Every count cell blank and unmarked, as when the window opened.
    void clear();
    // Marks the class k = 1..63 an evening landed in, as red as the
    // evening's lowest point, and makes it the current cell; 0 marks none.
    void markLanded(int k);

    // Class k = 1..63: its count cell and the caption above it.
    QLabel* countCell(int k) const { return countCells_[static_cast<std::size_t>(k - 1)]; }
    QLabel* captionCell(int k) const { return captionCells_[static_cast<std::size_t>(k - 1)]; }
    // The class whose cell the arrow keys have reached.
    int currentClass() const { return current_; }
    // The class marked by markLanded(), 0 for none.
    int landedClass() const { return landed_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QFrame* makeMark(const QString& name, int width, const QColor& colour);
    void moveTo(int k);

    std::array<QLabel*, kClassCount> countCells_{};
    std::array<QLabel*, kClassCount> captionCells_{};
    QFrame* focusMark_ = nullptr;
    QFrame* landedMark_ = nullptr;
    int current_ = 1;
    int landed_ = 0;
};

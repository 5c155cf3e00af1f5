// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "Evening.h"

#include <QWidget>

#include <deque>

// The lowest point's red, readable on a ground of base, light or dark: the
// chart's mark, and the main window's table's mark of the class an evening
// landed in.
QColor lowestPointColour(const QColor& base);

// The coin stock against the guests so far, as a step line: the evening
// being watched up to the guests served, the earlier ones whole and
// fainter, the line of 0 coins marked, and the lowest point once the
// evening is over. Drawn in the palette's colours, light or dark. It takes
// the focus, where the evening window's keys play the evening.
class EveningChart final : public QWidget
{
public:
    explicit EveningChart(QWidget* parent = nullptr);

    // The last of evenings is the one being watched, the number-th of its window.
    void showEvenings(const std::deque<Evening>& evenings, int served, int number);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::deque<Evening> evenings_;
    int served_ = 0;
};

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "Evening.h"

#include <QWidget>

#include <deque>

// A count of coins with the minus sign U+2212, which a screen reader reads
// as "minus" where it may skip a hyphen.
QString signedCount(int count);

// The coin stock against the guests so far, as a step line: the evening
// being watched up to the guests served, the earlier ones whole and
// fainter, the line of 0 coins marked, and the lowest point once the
// evening is over. Drawn in the palette's colours, light or dark.
class EveningChart final : public QWidget
{
public:
    explicit EveningChart(QWidget* parent = nullptr);

    // The last of evenings is the one being watched.
    void showEvenings(const std::deque<Evening>& evenings, int served);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::deque<Evening> evenings_;
    int served_ = 0;
};

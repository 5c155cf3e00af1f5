// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ExperimentEngine.h"

#include <QWidget>

#include <array>

class QLabel;

// The frequency table: seven bands, each a header row naming nine classes
// of lowest balance over a row of their counts, 63 classes in all, read
// band by band from the top and left to right.
class FrequencyTable final : public QWidget
{
    Q_OBJECT
public:
    explicit FrequencyTable(QWidget* parent);

    // Every class's count, zeros included.
    void showCounts(const ExperimentResult& result);
    // Every count cell blank, as when the window opened.
    void clear();

private:
    std::array<QLabel*, kClassCount> frequencyCells_{};
};

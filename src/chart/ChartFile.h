// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "DistributionChart.h"

#include <QSaveFile>
#include <QString>

#include <optional>

// Why a chart was not saved. The caller words the first two in its user's
// language; the system's reason comes in the system's words.
struct ChartFileError
{
    enum class Kind {
        // A folder, a device, a pipe: never replaced by a PNG, even by root.
        NotARegularFile,
        // The PNG encoder gave nothing.
        NotEncoded,
        // Qt or the system refused; reason says why.
        NotWritten,
    };
    Kind kind;
    QString reason;
};

// The chart as a PNG file at path, written to a temporary file that replaces
// the file there only once it is complete, so that a failure never costs
// the user an earlier chart.
class ChartFile
{
public:
    explicit ChartFile(const QString& path) : file_(path) { }

    // Makes the temporary file. A caller with a long computation ahead opens
    // first, so that a bad path costs no time.
    std::optional<ChartFileError> open();
    // Writes the chart, opening first if need be, and puts it in place.
    std::optional<ChartFileError> save(const DistributionChart& chart);

private:
    QSaveFile file_;
};

// Both steps at once, for a chart already at hand.
std::optional<ChartFileError> saveDistributionChartPng(const QString& path,
                                                       const DistributionChart& chart);

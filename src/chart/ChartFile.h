// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "DistributionChart.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QString>

#include <optional>

// Why a chart was not saved.
struct ChartFileError
{
    enum class Kind {
        // A folder, a device, a pipe: never replaced by a PNG, even by root.
        NotARegularFile,
        // The PNG encoder gave nothing.
        NotEncoded,
        // Qt or the system refused: systemError is the system's error number
        // when there is one.
        NotWritten,
    };
    Kind kind;
    int systemError = 0;
};

// The chart as a PNG file at path, written to a temporary file that replaces
// the file there only once it is complete, so that a failure never costs
// the user an earlier chart.
class ChartFile
{
    Q_DECLARE_TR_FUNCTIONS(ChartFile)

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

// Why a file could not be written, as a sentence in the user's language
// (translated through Qt): the common causes from the system's error
// number, any other number as itself, 0 as a write that failed. The
// system's own words would be English under a Japanese locale.
QString fileFailureReason(int systemError);

// The one wording of a chart not saved, for the window and the command
// line: where on the first line, why on the second.
QString chartSaveFailure(const QString& path, const ChartFileError& error);

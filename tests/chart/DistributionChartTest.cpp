// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// What the chart shows (a rare deep evening's bar, the expected counts over
// every balance, the coverage lines at their coins) is held by the golden
// chart of torumina-sim (tests/sim/golden/chart.png); this holds that a
// window paints the same chart where it is given room, and nothing outside.

#include "ChartFile.h"
#include "DistributionChart.h"

#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(DistributionChart, AWindowShowsWhatThePngShows)
{
    ExperimentResult result{.guests = 5, .trials = 20};
    for (const auto& [m, count] : {std::pair{-4, 1}, {-1, 1}, {0, 8}, {1, 10}})
        for (int n = 0; n < count; ++n)
            result.record(m);
    const ExactDistribution exact = exactDistribution(5);
    const DistributionChart chart = distributionChart(result, exact, coverageRows(result, exact));
    QImage window(1200, 800, QImage::Format_RGB32);
    window.fill(Qt::black);
    {
        QPainter painter(&window);
        paintDistributionChart(painter, QRectF(100, 150, 1000, 600), chart);
    }
    EXPECT_EQ(window.copy(100, 150, 1000, 600), QImage::fromData(distributionChartPng(chart)));
    EXPECT_EQ(window.pixel(99, 149), QColor(Qt::black).rgb()) << "painted outside its area";
    EXPECT_EQ(window.pixel(1100, 750), QColor(Qt::black).rgb()) << "painted outside its area";
}

// Every reason a sentence of its own in Japanese, Qt's and the system's English words never.
TEST(ChartFile, AFailedSaveSaysWhyInJapanese)
{
    for (int error = 0; error <= 133; ++error) { // every errno of Linux
        const QString reason = fileFailureReason(error);
        EXPECT_TRUE(reason.endsWith("。") && !reason.contains(QRegularExpression("[A-Za-z]")))
                << error << ": " << reason.toStdString();
    }
    const QTemporaryDir folder; // the reason of the failing call, not of a call after it
    const auto error = saveDistributionChartPng(
            folder.filePath(QString(300, 'c') + ".png"),
            distributionChart({.guests = 5, .trials = 20}, exactDistribution(5), {}));
    ASSERT_TRUE(error);
    EXPECT_EQ(chartSaveFailure("c.png", *error),
              "グラフを「c.png」に保存できませんでした。\nファイル名が長すぎます。");
}

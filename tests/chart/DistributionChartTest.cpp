// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "DistributionChart.h"

#include <QGuiApplication>
#include <QPainter>
#include <gtest/gtest.h>

#include <map>

// The chart read back from its pixels. A run of 20 evenings with 5 guests, whose exact law puts
// 6, 4, 10, 5, 5, 1, 1 of 32 paths at the lowest balances 1 down to -5.
class DistributionChartTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ExperimentResult result;
        for (const auto& [m, count] : counts)
            result.lowestBalanceCounts[std::size_t(m + kMaxCustomers)] = count;
        chart = distributionChart(5, 20, result, exactDistribution(5));
        image = distributionChartImage(chart);
        // The bars' colour is the one that reaches lowest; the legend shows it above the plot.
        for (int y = image.height() - 1; baseline < 0 && y >= 0; --y) {
            for (int x = 0; x < image.width() && baseline < 0; ++x) {
                if (isBlue(image.pixel(x, y)))
                    baseline = y, bar = image.pixel(x, y);
            }
        }
        for (int x = 0; x < image.width(); ++x) {
            const bool inBar = image.pixel(x, baseline) == bar;
            if (inBar && (x == 0 || image.pixel(x - 1, baseline) != bar))
                barStarts.push_back(x);
            if (!inBar && x > 0 && image.pixel(x - 1, baseline) == bar)
                centres.push_back((barStarts.back() + x - 1) / 2);
        }
    }

    static bool isBlue(QRgb p) { return qBlue(p) > 150 && qRed(p) < 100; }
    static bool isRed(QRgb p) { return qRed(p) > 150 && qGreen(p) < 100 && qBlue(p) < 100; }

    // Pixels from the baseline up to the top of the bar in column x.
    static int barHeight(int x)
    {
        int top = baseline;
        for (int y = baseline; y >= 0; --y) {
            if (image.pixel(x, y) == bar)
                top = y;
        }
        return baseline - top + 1;
    }

    static inline const std::map<int, int> counts{{-4, 1}, {-1, 1}, {0, 8}, {1, 10}};
    static inline DistributionChart chart;
    static inline QImage image;
    static inline QRgb bar = 0;
    static inline int baseline = -1;
    static inline std::vector<int> barStarts;
    static inline std::vector<int> centres;
};

TEST_F(DistributionChartTest, BarsStandOnlyWhereEveningsEnded)
{
    ASSERT_EQ(centres.size(), counts.size()) << "one bar for each lowest balance that occurred";
    // -4, then -3 and -2 empty, then -1, 0 and 1 side by side.
    const int slot = centres[3] - centres[2];
    EXPECT_NEAR(centres[1] - centres[0], 3 * slot, 2);
    EXPECT_NEAR(centres[2] - centres[1], slot, 2);
    EXPECT_NEAR(barHeight(centres[3]) * 8.0 / 10.0, barHeight(centres[2]), 2);
    EXPECT_NEAR(barHeight(centres[3]) * 1.0 / 10.0, barHeight(centres[1]), 2);
}

// Over the bar of 10 evenings at 1, the theory expects 20 * 6/32 = 3.75; over the bar of one
// evening at -1, 20 * 10/32 = 6.25.
TEST_F(DistributionChartTest, TheoryLineStandsAtTheExpectedCount)
{
    ASSERT_EQ(centres.size(), counts.size());
    const double unit = barHeight(centres[3]) / 10.0; // pixels per evening
    for (const auto& [column, expected] : {std::pair{centres[3], 3.75}, {centres[1], 6.25}}) {
        SCOPED_TRACE(testing::Message() << "expected count " << expected);
        int sum = 0, n = 0;
        for (int y = image.height() / 5; y < baseline; ++y) { // below the legend's red line
            if (isRed(image.pixel(column, y)))
                sum += y, ++n;
        }
        ASSERT_GT(n, 0) << "no line over the bar";
        const double lineHeight = baseline - double(sum) / n;
        EXPECT_NEAR(lineHeight, expected * unit, 3);
    }
}

// A window that paints the chart into part of itself shows there what the PNG holds.
TEST_F(DistributionChartTest, WindowShowsWhatThePngShows)
{
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

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "DistributionChart.h"

#include <QGuiApplication>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// 20 evenings of 5 guests: 1 ended at a lowest balance of -4, 1 at -1, 8 at 0 and 10 at 1. Of the
// 32 paths of 5 tosses the exact law puts 10 at -1 and 6 at 1: 6.25 and 3.75 evenings expected.
DistributionChart fiveGuests()
{
    ExperimentResult result;
    for (const auto& [m, count] : {std::pair{-4, 1}, {-1, 1}, {0, 8}, {1, 10}})
        result.lowestBalanceCounts[std::size_t(m + kMaxCustomers)] = count;
    return distributionChart(5, 20, result, exactDistribution(5));
}

const QImage& image()
{
    static const QImage chart = distributionChartImage(fiveGuests());
    return chart;
}

// The bars' blue and the theory line's red, antialiased edges left out.
bool isBar(int x, int y)
{
    return qBlue(image().pixel(x, y)) > 150 && qRed(image().pixel(x, y)) < 100;
}

bool isRed(int x, int y)
{
    return qRed(image().pixel(x, y)) > 150 && qGreen(image().pixel(x, y)) < 100;
}

// The lowest row of bar colour: the bars' foot.
int foot()
{
    static const int row = [] {
        for (int y = image().height() - 1;; --y) {
            for (int x = 0; x < image().width(); ++x) {
                if (isBar(x, y))
                    return y;
            }
        }
    }();
    return row;
}

// The middle column of each bar, left to right.
std::vector<int> bars()
{
    std::vector<int> middles;
    for (int x = 1, start = 0; x < image().width(); ++x) {
        if (isBar(x, foot()) && !isBar(x - 1, foot()))
            start = x;
        if (!isBar(x, foot()) && isBar(x - 1, foot()))
            middles.push_back((start + x - 1) / 2);
    }
    return middles;
}

// The height above the foot of the topmost pixel of bar colour in column x.
int height(int x)
{
    int top = foot();
    for (int y = foot(); y > image().height() / 5; --y) // below the legend
        top = isBar(x, y) ? y : top;
    return foot() - top + 1;
}

} // namespace

TEST(DistributionChart, BarsStandWhereEveningsEnded)
{
    const std::vector<int> x = bars();
    ASSERT_EQ(x.size(), 4u) << "one bar for each lowest balance that occurred";
    // -4, then -3 and -2 empty, then -1, 0 and 1 side by side.
    EXPECT_NEAR(x[1] - x[0], 3 * (x[3] - x[2]), 2);
    EXPECT_NEAR(x[2] - x[1], x[3] - x[2], 2);
    EXPECT_NEAR(height(x[2]), height(x[3]) * 8 / 10, 2);
    EXPECT_NEAR(height(x[1]), height(x[3]) * 1 / 10, 2);
}

TEST(DistributionChart, TheoryLineStandsAtTheExpectedCount)
{
    const std::vector<int> x = bars();
    ASSERT_EQ(x.size(), 4u) << "one bar for each lowest balance that occurred";
    const double evening = height(x[3]) / 10.0; // pixels
    for (const auto& [column, expected] : {std::pair{x[3], 3.75}, {x[1], 6.25}}) {
        int sum = 0, n = 0;
        for (int y = image().height() / 5; y < foot(); ++y) {
            if (isRed(column, y))
                sum += y, ++n;
        }
        ASSERT_GT(n, 0) << "no line over the bar of column " << column;
        const double lineHeight = foot() - double(sum) / n;
        EXPECT_NEAR(lineHeight, expected * evening, 3) << expected << " evenings expected";
    }
}

TEST(DistributionChart, WindowShowsWhatThePngShows)
{
    QImage window(1200, 800, QImage::Format_RGB32);
    window.fill(Qt::black);
    {
        QPainter painter(&window);
        paintDistributionChart(painter, QRectF(100, 150, 1000, 600), fiveGuests());
    }
    EXPECT_EQ(window.copy(100, 150, 1000, 600),
              QImage::fromData(distributionChartPng(fiveGuests())));
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

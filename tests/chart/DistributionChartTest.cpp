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

// The bars read back from the pixels: the row they stand on, the middle column of each, left to
// right, and its height. Their blue is told from the antialiased edges, and from the legend
// above the plot, which also shows it.
struct Bars
{
    QImage image = distributionChartImage(fiveGuests());
    int foot = image.height() - 1;
    std::vector<int> middles;
    std::vector<int> heights;

    bool blue(int x, int y) const
    {
        return qBlue(image.pixel(x, y)) > 150 && qRed(image.pixel(x, y)) < 100;
    }

    Bars()
    {
        // A plain loop: clang 14 cannot take libstdc++ 12's iota_view into ranges algorithms.
        const auto anyBlue = [&](int y) {
            for (int x = 0; x < image.width(); ++x)
                if (blue(x, y))
                    return true;
            return false;
        };
        while (!anyBlue(foot))
            --foot;
        for (int x = 1, start = 0; x < image.width(); ++x) {
            if (blue(x, foot) && !blue(x - 1, foot))
                start = x;
            if (!blue(x, foot) && blue(x - 1, foot))
                middles.push_back((start + x - 1) / 2);
        }
        for (int middle : middles) {
            int top = foot; // the line over a bar may cross it
            for (int y = foot; y > image.height() / 5; --y)
                top = blue(middle, y) ? y : top;
            heights.push_back(foot - top + 1);
        }
    }
};

} // namespace

TEST(DistributionChart, BarsStandWhereEveningsEnded)
{
    const Bars bars;
    const std::vector<int>& x = bars.middles;
    ASSERT_EQ(x.size(), 4u) << "one bar for each lowest balance that occurred";
    // -4, then -3 and -2 empty, then -1, 0 and 1 side by side.
    EXPECT_NEAR(x[1] - x[0], 3 * (x[3] - x[2]), 2);
    EXPECT_NEAR(x[2] - x[1], x[3] - x[2], 2);
    EXPECT_NEAR(bars.heights[2], bars.heights[3] * 8 / 10, 2);
    EXPECT_NEAR(bars.heights[1], bars.heights[3] * 1 / 10, 2);
}

TEST(DistributionChart, TheoryLineStandsAtTheExpectedCount)
{
    const Bars bars;
    ASSERT_EQ(bars.middles.size(), 4u) << "one bar for each lowest balance that occurred";
    const double evening = bars.heights[3] / 10.0; // pixels
    for (const auto& [bar, expected] : {std::pair{3, 3.75}, {1, 6.25}}) {
        int sum = 0, n = 0;
        for (int y = bars.image.height() / 5; y < bars.foot; ++y) {
            const QRgb pixel = bars.image.pixel(bars.middles[std::size_t(bar)], y);
            if (qRed(pixel) > 150 && qGreen(pixel) < 100)
                sum += y, ++n;
        }
        ASSERT_GT(n, 0) << "no line over bar " << bar;
        const double lineHeight = bars.foot - double(sum) / n;
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

#include "RunCli.h"

#include "ExactDistribution.h"
#include "NumberFormat.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

std::vector<std::string> split(const std::string& line, char separator) {
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, separator);) out.push_back(field);
    return out;
}

QJsonObject runJson(std::vector<std::string> args) {
    args.insert(args.end(), {"--format", "json"});
    const CliOutcome run = runCli(args);
    EXPECT_EQ(run.status, 0) << run.err;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

std::vector<int> toInts(const QJsonArray& array) {
    std::vector<int> out;
    for (const auto& value : array) out.push_back(value.toInt(-1));
    return out;
}

// One bad value per row: each must leave standard output empty and explain
// itself on exactly one line of standard error.
TEST(SimCli, RejectsInvalidOptionsWithStatus2) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> mentions;
    };
    const std::vector<Case> cases = {
        {{"--guests", "abc"}, {"--guests", "\"abc\"", "1 to 1000"}},
        {{"--guests", "0"}, {"--guests", "\"0\"", "1 to 1000"}},
        {{"--guests", "1001"}, {"--guests", "\"1001\"", "1 to 1000"}},
        {{"--guests", "-5"}, {"--guests", "\"-5\""}},
        {{"--guests", "+5"}, {"--guests", "\"+5\""}},
        {{"--guests", "5.0"}, {"--guests", "\"5.0\""}},
        {{"--guests", " 5"}, {"--guests", "\" 5\""}},
        {{"--guests="}, {"--guests", "\"\""}},
        {{"--guests", "99999999999999999999"}, {"--guests", "99999999999999999999"}},
        {{"--trials", "0"}, {"--trials", "\"0\"", "1 to 10000"}},
        {{"--trials=10001"}, {"--trials", "\"10001\"", "1 to 10000"}},
        {{"--trials", "1e3"}, {"--trials", "\"1e3\""}},
        {{"--seed", "-1"}, {"--seed", "\"-1\"", "0 to 18446744073709551615"}},
        {{"--seed", "18446744073709551616"}, {"--seed", "18446744073709551616", "0 to 18446744073709551615"}},
        {{"--seed", "0x10"}, {"--seed", "\"0x10\""}},
        {{"--format", "xml"}, {"--format", "\"xml\"", "text, csv or json"}},
        {{"--guests"}, {"--guests"}},
        {{"--bogus"}, {"--bogus"}},
        {{"100"}, {"100"}},
        {{"--guests", "10", "--trials", "x"}, {"--trials", "\"x\""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "args: " << testing::PrintToString(c.args));
        const CliOutcome run = runCli(c.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(lines(run.err).size(), 1u) << run.err;
        for (const auto& word : c.mentions) EXPECT_NE(run.err.find(word), std::string::npos) << run.err;
    }
}

TEST(SimCli, AcceptsTheEndsOfEveryRange) {
    const std::vector<std::vector<std::string>> cases = {
        {"--guests", "1", "--trials", "1", "--seed", "0"},
        {"--guests=1000", "--trials=10000", "--seed=18446744073709551615"},
        {"--guests", "3", "--guests", "7"},  // the last value counts
        {},
    };
    const int expectedGuests[] = {1, 1000, 7, 100};
    const int expectedTrials[] = {1, 10000, 1000, 1000};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(testing::PrintToString(cases[i]));
        const QJsonObject json = runJson(cases[i]);
        EXPECT_EQ(json["guests"].toInt(), expectedGuests[i]);
        EXPECT_EQ(json["trials"].toInt(), expectedTrials[i]);
        const auto counts = toInts(json["counts"].toArray());
        EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), 0), expectedTrials[i]);
    }
    EXPECT_TRUE(runJson({}).value("seed").isNull());
}

TEST(SimCli, HelpIsBilingual) {
    const CliOutcome run = runCli({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* word : {"使い方", "Usage", "--guests", "--trials", "--seed", "--format", "--exact", "--chart"})
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
}

TEST(SimCli, SeedFixesEveryFormat) {
    for (const char* format : {"text", "csv", "json"}) {
        const std::vector<std::string> args{"--guests", "50", "--trials", "300", "--seed", "42", "--exact",
                                            "--format", format};
        const CliOutcome first = runCli(args);
        EXPECT_EQ(first.status, 0);
        EXPECT_EQ(first.out, runCli(args).out) << format;
    }
    const auto a = runJson({"--guests", "50", "--trials", "300", "--seed", "1"})["counts"].toArray();
    const auto b = runJson({"--guests", "50", "--trials", "300", "--seed", "2"})["counts"].toArray();
    EXPECT_NE(a, b);
}

TEST(SimCli, CsvHasOneLinePerClass) {
    for (bool exact : {false, true}) {
        std::vector<std::string> args{"--guests", "200", "--trials", "777", "--seed", "3", "--format", "csv"};
        if (exact) args.push_back("--exact");
        const auto rows = lines(runCli(args).out);
        ASSERT_EQ(rows.size(), 64u);
        EXPECT_EQ(rows[0], exact ? "class,label,count,probability,expected" : "class,label,count");
        int sum = 0;
        for (int k = 1; k <= kClassCount; ++k) {
            const auto fields = split(rows[static_cast<std::size_t>(k)], ',');
            ASSERT_EQ(fields.size(), exact ? 5u : 3u);
            EXPECT_EQ(fields[0], std::to_string(k));
            sum += std::stoi(fields[2]);
        }
        EXPECT_EQ(sum, 777);
        EXPECT_EQ(split(rows[1], ',')[1], "～  -57");
        EXPECT_EQ(split(rows[59], ',')[1], "0");
        EXPECT_EQ(split(rows[63], ',')[1], "3  ～");
    }
}

// Below 58 guests every class holds one lowest balance, so the mean and the
// simulated coins can be worked out again from the counts alone.
TEST(SimCli, JsonFiguresAgreeWithCountsAndTheory) {
    const int guests = 40;
    const int trials = 2500;
    const QJsonObject json =
        runJson({"--guests", "40", "--trials", "2500", "--seed", "9", "--exact"});
    const auto counts = toInts(json["counts"].toArray());
    ASSERT_EQ(counts.size(), static_cast<std::size_t>(kClassCount));
    long long sum = 0;
    for (int k = 1; k <= kClassCount; ++k) sum += static_cast<long long>(k - 59) * counts[static_cast<std::size_t>(k - 1)];
    // Printed as the shortest text of the float, so it reads back to that float.
    EXPECT_EQ(static_cast<float>(json["mean"].toDouble()), static_cast<float>(static_cast<double>(sum) / trials));

    const QJsonObject coins = json["coins"].toObject();
    for (int percent : {90, 95, 99}) {
        int covered = counts[59] + counts[58];  // lowest balances 1 and 0
        int k = 0;
        while (100 * covered < percent * trials) covered += counts[static_cast<std::size_t>(57 - k++)];
        EXPECT_EQ(coins[QString::number(percent)].toInt(-1), k) << percent;
    }

    const ExactDistribution theory = exactDistribution(guests);
    const QJsonObject exact = json["exact"].toObject();
    const QJsonArray probabilities = exact["probabilities"].toArray();
    ASSERT_EQ(probabilities.size(), kClassCount);
    for (int k = 1; k <= kClassCount; ++k)
        EXPECT_DOUBLE_EQ(probabilities[k - 1].toDouble(), theory.classProbabilities[static_cast<std::size_t>(k)]);
    EXPECT_DOUBLE_EQ(exact["mean"].toDouble(), theory.mean);
    EXPECT_DOUBLE_EQ(exact["variance"].toDouble(), theory.variance);
    for (int percent : {90, 95, 99})
        EXPECT_EQ(exact["coins"].toObject()[QString::number(percent)].toInt(-1), theory.coinsToPrepare(percent / 100.0));
}

TEST(SimCli, TextShowsTheWindowsTable) {
    const std::vector<std::string> args{"--guests", "120", "--trials", "640", "--seed", "5"};
    const auto text = lines(runCli(args).out);
    const QJsonObject json = runJson(args);
    int headers = 0;
    int counted = 0;
    for (const auto& line : text) {
        if (line.starts_with("不足枚数 ")) ++headers;
        if (!line.starts_with("度　　数")) continue;
        std::istringstream cells(line.substr(std::string("度　　数").size()));
        int cellCount = 0;
        for (int value; cells >> value; ++cellCount) counted += value;
        EXPECT_EQ(cellCount, 9) << line;
    }
    EXPECT_EQ(headers, 7);
    EXPECT_EQ(counted, 640);
    EXPECT_NE(text[0].find("～  -57"), std::string::npos);
    EXPECT_NE(text[18].find("3  ～"), std::string::npos);
    const std::string meanLine = "不足枚数の平均 " + formatMean(static_cast<float>(json["mean"].toDouble()));
    EXPECT_NE(std::find(text.begin(), text.end(), meanLine), text.end()) << meanLine;

    const std::string withExact = runCli({"--guests", "120", "--trials", "640", "--seed", "5", "--exact"}).out;
    const ExactDistribution theory = exactDistribution(120);
    std::string theoryRow = "  理論上の分布から";
    std::ostringstream expectedCoins;
    for (int percent : {90, 95, 99}) expectedCoins << ' ' << theory.coinsToPrepare(percent / 100.0);
    const auto exactLines = lines(withExact);
    const auto row = std::find_if(exactLines.begin(), exactLines.end(),
                                  [&](const std::string& l) { return l.starts_with(theoryRow); });
    ASSERT_NE(row, exactLines.end());
    std::istringstream numbers(row->substr(theoryRow.size()));
    std::ostringstream found;
    for (int value; numbers >> value;) found << ' ' << value;
    EXPECT_EQ(found.str(), expectedCoins.str());
}

TEST(SimCli, ChartIsAPngOfTheChartsSize) {
    const std::string path = testing::TempDir() + "torumina-sim-chart.png";
    const CliOutcome run = runCli({"--guests", "100", "--trials", "500", "--seed", "4", "--chart", path});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(path), "PNG"));
    EXPECT_EQ(image.size(), QSize(1000, 600));
    std::remove(path.c_str());
}

TEST(SimCli, UnwritableChartExitsWithStatus1) {
    for (const std::string& path : {testing::TempDir() + "no-such-folder/chart.png", testing::TempDir()}) {
        const CliOutcome run = runCli({"--guests", "10", "--trials", "5", "--chart", path});
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(": ", run.err.find(path)), std::string::npos) << run.err;
    }
}

} // namespace

#include "ChiSquare.h"
#include "ExactDistribution.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

struct CliRun
{
    int status;
    std::string out, err;
};

CliRun runCli(std::vector<std::string> args, const std::vector<std::string>& more = {})
{
    args.insert(args.end(), more.begin(), more.end());
    const std::string base =
            testing::TempDir() + testing::UnitTest::GetInstance()->current_test_info()->name();
    std::string command = TORUMINA_SIM_PATH;
    for (const auto& arg : args)
        command += " '" + arg + "'";
    const int status = std::system((command + " >" + base + ".out 2>" + base + ".err").c_str());
    auto slurp = [](const std::string& path) {
        return (std::ostringstream() << std::ifstream(path).rdbuf()).str();
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(base + ".out"),
            slurp(base + ".err")};
}

QJsonObject runJson(const std::vector<std::string>& args)
{
    return QJsonDocument::fromJson(
                   QByteArray::fromStdString(runCli(args, {"--format", "json"}).out))
            .object();
}

// Nothing on standard output; one line on standard error naming option, value and range.
void expectRefused(const std::vector<std::string>& args, int status,
                   const std::vector<std::string>& mentions)
{
    const CliRun run = runCli(args);
    EXPECT_EQ(run.status, status) << run.err;
    EXPECT_EQ(run.out, "") << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    for (const auto& word : mentions)
        EXPECT_NE(run.err.find(word), std::string::npos) << run.err;
}

TEST(SimCli, RefusesBadArguments)
{
    const std::vector<std::vector<std::string>> badValues = {
            // option, range, values
            {"--guests", "1 to 1000", "abc", "0", "1001", " +5", "", "99999999999999999999"},
            {"--trials", "1 to 10000", "0", "10001", "1e3"},
            {"--seed", "0 to 18446744073709551615", "-1", "18446744073709551616", "0x10"},
            {"--format", "text, csv or json", "xml"}};
    for (const auto& row : badValues)
        for (std::size_t i = 2; i < row.size(); ++i)
            expectRefused({row[0], row[i]}, 2, {row[0], '"' + row[i] + '"', row[1]});
    expectRefused({"--guests"}, 2, {"--guests"});
    expectRefused({"--bogus"}, 2, {"--bogus"});
    for (const std::string& path :
         {testing::TempDir() + "no-such-folder/chart.png", testing::TempDir()})
        expectRefused({"--chart", path}, 1, {'"' + path + "\": "});
}

// The ends of the ranges, a repeated option (the last counts) and the defaults; --exact as in the
// theory.
TEST(SimCli, AcceptedRunsAddUpAndMatchTheTheory)
{
    const struct
    {
        std::vector<std::string> args;
        int guests, trials;
    } cases[] = {{{"--guests", "1", "--trials", "1", "--seed", "0"}, 1, 1},
                 {{"--guests=1000", "--trials=10000", "--seed=18446744073709551615"}, 1000, 10000},
                 {{"--guests", "3", "--guests", "200", "--trials", "777", "--exact"}, 200, 777},
                 {{}, 100, 1000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const QJsonObject json = runJson(c.args);
        EXPECT_EQ(json["guests"].toInt(), c.guests);
        EXPECT_EQ(json["trials"].toInt(), c.trials);
        int jsonSum = 0, csvSum = 0, rows = 0;
        for (const auto& count : json["counts"].toArray())
            jsonSum += count.toInt();
        std::istringstream csv(runCli(c.args, {"--format", "csv"}).out);
        std::string line;
        for (std::getline(csv, line); std::getline(csv, line); ++rows)
            csvSum += std::stoi(
                    line.substr(line.find(',', line.find(',') + 1) + 1)); // the third field
        EXPECT_EQ(jsonSum, c.trials);
        EXPECT_EQ(csvSum, c.trials);
        EXPECT_EQ(rows, kClassCount);
        if (!json.contains("exact"))
            continue;
        const QJsonObject exact = json["exact"].toObject();
        const ExactDistribution theory = exactDistribution(c.guests);
        for (std::size_t k = 1; k <= kClassCount; ++k)
            EXPECT_DOUBLE_EQ(exact["probabilities"][qsizetype(k) - 1].toDouble(),
                             theory.classProbabilities[k])
                    << k;
        EXPECT_DOUBLE_EQ(exact["mean"].toDouble(), theory.mean);
        EXPECT_DOUBLE_EQ(exact["variance"].toDouble(), theory.variance);
        for (int percent : {90, 95, 99})
            EXPECT_EQ(exact["coins"][QString::number(percent)].toInt(),
                      theory.coinsToPrepare(percent / 100.0));
    }
}

TEST(SimCli, SeedFixesTheOutput)
{
    for (const char* format : {"text", "csv", "json"}) {
        const std::vector<std::string> args{"--guests", "50",      "--trials", "300", "--seed",
                                            "42",       "--exact", "--format", format};
        const std::string out = runCli(args).out;
        EXPECT_TRUE(!out.empty() && out == runCli(args).out) << format;
    }
    EXPECT_NE(runJson({"--seed", "1"}).value("counts"), runJson({"--seed", "2"}).value("counts"));
}

TEST(SimCli, ChartIsAPngOfTheChartsSize)
{
    const std::string path = testing::TempDir() + "torumina-sim-chart.png";
    std::remove(path.c_str());
    const CliRun run = runCli({"--trials", "500", "--chart", path});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(QImage(QString::fromStdString(path), "PNG").size(), QSize(1000, 600));
}

// Fixed seeds; each check fails by chance with probability 1e-5.
TEST(SimCli, CountsFollowTheExactDistribution)
{
    for (const auto& [guests, trials] :
         {std::pair{10, 10000}, {57, 5000}, {100, 10000}, {300, 2000}, {1000, 10000}}) {
        const std::string g = std::to_string(guests), t = std::to_string(trials);
        const QJsonArray counts =
                runJson({"--guests", g, "--trials", t, "--seed", g})["counts"].toArray();
        const ExactDistribution exact = exactDistribution(guests);
        auto observed = [&](std::size_t k) { return counts[qsizetype(k) - 1].toDouble(); };
        auto expected = [&exact, n = double(trials)](std::size_t k) {
            return n * exact.classProbabilities[k];
        };
        EXPECT_GT(pooledChiSquarePValue(1, kClassCount, observed, expected), 1e-5)
                << guests << " guests";
    }
}

} // namespace

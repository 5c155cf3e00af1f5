#include "SimApp.h"
#include "SimChart.h"

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct CliRun
{
    int status;
    std::string out, err;
};

CliRun runCli(std::vector<std::string> args, const std::vector<std::string>& more = {})
{
    args.insert(args.end(), more.begin(), more.end());
    std::vector<const char*> argv;
    for (const auto& arg : args)
        argv.push_back(arg.c_str());
    CliRun run{};
    run.status = runSim(argv, run.out, run.err);
    return run;
}

QJsonObject json(const std::string& text)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

std::string slurp(const fs::path& path)
{
    return (std::ostringstream() << std::ifstream(path).rdbuf()).str();
}

TEST(SimCli, RefusesBadUsageNamingTheOption)
{
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--guests", "abc"},
                                               {"--guests", "0"},
                                               {"--guests", "1001"},
                                               {"--guests", " +5"},
                                               {"--guests", "99999999999999999999"},
                                               {"--trials", "0"},
                                               {"--trials", "10001"},
                                               {"--trials", "1e3"},
                                               {"--seed", "-1"},
                                               {"--seed", "18446744073709551616"},
                                               {"--seed", "0x10"},
                                               {"--format", "xml"},
                                               {"--chart", ""},
                                               {"--guests"},
                                               {"--bogus"},
                                               {"--exact=1"},
                                               {"stray"}}) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        for (std::string_view arg : args)
            EXPECT_NE(run.err.find(arg.substr(0, arg.find('='))), std::string::npos) << run.err;
    }
}

// The ends of the ranges, a repeated option (the last counts) and the defaults.
TEST(SimCli, ReportsAddUpAndFollowTheTheory)
{
    for (const auto& [args, guests, trials] :
         {std::tuple<std::vector<std::string>, int, int>{
                  {"--guests", "1", "--trials", "1", "--seed", "0"}, 1, 1},
          {{"--guests=1000", "--trials=10000", "--seed=18446744073709551615"}, 1000, 10000},
          {{"--guests", "3", "--guests", "200", "--trials", "777"}, 200, 777},
          {{}, 100, 1000}}) {
        const QJsonObject report = json(runCli(args, {"--format", "json"}).out);
        EXPECT_EQ(report["guests"].toInt(), guests);
        EXPECT_EQ(report["trials"].toInt(), trials);
        const std::string text = runCli(args, {"--format", "csv", "--exact"}).out;
        EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF")); // or spreadsheets misread the UTF-8
        std::istringstream csv(text);
        const ExactDistribution exact = exactDistribution(guests);
        int rows = 0, sum = 0;
        for (std::string line; std::getline(csv, line);) {
            int k = 0, count = 0;
            double p = 0, expected = 0;
            if (std::sscanf(line.c_str(), "%d,%*[^,],%d,%lf,%lf", &k, &count, &p, &expected) != 4)
                continue;
            ++rows;
            sum += count;
            EXPECT_EQ(k, rows);
            EXPECT_NEAR(p, exact.classProbabilities[std::size_t(rows)], 6e-6) << line;
            EXPECT_NEAR(expected, trials * exact.classProbabilities[std::size_t(rows)], 0.051);
        }
        EXPECT_EQ(rows, kClassCount);
        EXPECT_EQ(sum, trials);
    }
}

// An evening is covered by k coins when its lowest balance is -k or more; the boundary counts.
TEST(SimCli, CoinsAndChartFollowFromTheCounts)
{
    SimRun run;
    run.guests = 10;
    run.trials = 20;
    for (const auto& [m, count] : {std::pair{1, 10}, {0, 8}, {-1, 1}, {-4, 1}})
        run.result.lowestBalanceCounts[std::size_t(m + kMaxCustomers)] = count;
    const QJsonObject coins = json(formatReport(run, OutputFormat::Json))["coins"].toObject();
    EXPECT_EQ(coins["90"].toInt(), 0);
    EXPECT_EQ(coins["95"].toInt(), 1);
    EXPECT_EQ(coins["99"].toInt(), 4);
    const ChartData chart = chartData(run, exactDistribution(run.guests));
    EXPECT_NEAR(std::accumulate(chart.expected.begin(), chart.expected.end(), 0.0), 20, 1e-9);
}

// A seed beyond 2^53 too, which a JSON number would round.
TEST(SimCli, EveryRunNamesTheSeedThatRepeatsIt)
{
    auto report = [](const std::vector<std::string>& args) {
        return json(runCli(args, {"--format", "json"}).out);
    };
    const QJsonObject unseeded = report({});
    const std::string seed = unseeded["seed"].toString().toStdString();
    EXPECT_EQ(report({"--seed", seed}).value("counts"), unseeded["counts"]) << seed;
    EXPECT_NE(report({"--seed", "1"}).value("counts"), report({"--seed", "2"}).value("counts"));
    const std::string big = "18446744073709551615";
    EXPECT_EQ(report({"--seed", big})["seed"].toString().toStdString(), big);
    for (const char* format : {"text", "csv"})
        EXPECT_NE(runCli({"--seed", big, "--format", format}).out.find(big), std::string::npos);
}

TEST(SimCli, ChartIsWrittenWholeOrNotAtAll)
{
    const fs::path dir = fs::path(testing::TempDir()) / "torumina-sim-charts";
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const fs::path& path : {dir / "missing" / "chart.png", dir}) {
        const CliRun run = runCli({"--trials", "10", "--chart", path.string()});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(path.string()), std::string::npos) << run.err;
    }
    const fs::path chart = dir / "chart.png";
    EXPECT_EQ(runCli({"--trials", "10", "--chart", chart.string()}).status, 0);
    EXPECT_EQ(QImage(QString::fromStdString(chart.string()), "PNG").size(), QSize(1000, 600));
}

// The one run of the built command, for its exit statuses.
TEST(SimCli, ExitStatuses)
{
    const std::string base = testing::TempDir() + "torumina-sim-e2e";
    for (const auto& [shell, status, out] :
         {std::tuple<std::string, int, std::string>{"--version", 0, " " TORUMINA_VERSION "\n"},
          {"--guests 0", 2, ""},
          {"--chart " + base + "/missing/chart.png", 1, ""}}) {
        const std::string command =
                "(" TORUMINA_SIM_PATH " " + shell + ") >" + base + ".out 2>" + base + ".err";
        const int wait = std::system(command.c_str());
        EXPECT_EQ(WIFEXITED(wait) ? WEXITSTATUS(wait) : -1, status) << shell;
        EXPECT_NE(slurp(base + ".out").find(out), std::string::npos) << shell;
        EXPECT_EQ(slurp(base + ".err").empty(), status == 0) << shell;
    }
}

} // namespace

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "SimApp.h"
#include "SimReport.h"

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

static std::tuple<int, std::string, std::string> runCli(const std::string& line)
{
    std::istringstream words(line);
    std::deque<std::string> args; // keeps each c_str() in place as it grows
    std::vector<const char*> argv;
    for (std::string word; words >> word;)
        argv.push_back(args.emplace_back(word).c_str());
    std::string out, err;
    const int status = runSim(argv, out, err);
    return {status, out, err};
}

TEST(SimCli, RefusesBadUsageNamingTheOption)
{
    for (const char* line :
         {"--guests abc", "--guests 0", "--guests 1001", "--guests=+5",
          "--guests 99999999999999999999", "--trials 0", "--trials 10001", "--trials 1e3",
          "--seed -1", "--seed 18446744073709551616", "--seed 0x10", "--format xml",
          "--chart=", "--guests", "--bogus", "--exact=1", "stray"}) {
        const auto [status, out, err] = runCli(line);
        EXPECT_EQ(std::make_pair(status, out), std::make_pair(2, std::string())) << line;
        EXPECT_NE(err.find(std::string(line, std::strcspn(line, " ="))), std::string::npos) << err;
    }
}

// Range ends (a seed above 2^53, which a JSON number would round), a repeated option, defaults.
TEST(SimCli, EveryRunNamesItsSeedAndFollowsTheTheory)
{
    for (const auto& [args, guests, trials] :
         {std::tuple{"--guests 1 --trials 1", 1, 1},
          {"--guests=1000 --trials=10000 --seed=18446744073709551615", 1000, 10000},
          {"--guests 3 --guests 200 --trials 777", 200, 777},
          {"", 100, 1000}}) {
        const std::string text = std::get<1>(runCli(std::string(args) + " --format json"));
        const QJsonObject report = QJsonDocument::fromJson(text.c_str()).object();
        const std::string seed = report["seed"].toString().toStdString(), again = " --seed " + seed;
        const std::string csv = std::get<1>(runCli(args + again + " --format csv --exact"));
        EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF")); // or spreadsheets misread the UTF-8
        EXPECT_NE(std::get<1>(runCli(args + again)).find(seed), std::string::npos);
        const ExactDistribution exact = exactDistribution(guests);
        std::istringstream lines(csv.substr(csv.find(seed)));
        int rows = 0;
        for (std::string line; std::getline(lines, line);) {
            double k = 0, count = 0, p = 0, expected = 0;
            if (std::sscanf(line.c_str(), "%lf,%*[^,],%lf,%lf,%lf", &k, &count, &p, &expected) != 4)
                continue;
            EXPECT_EQ(count, report["counts"][rows++].toInt()) << line;
            EXPECT_NEAR(p, exact.classProbabilities[std::size_t(k)], 6e-6) << line;
            EXPECT_NEAR(expected, trials * exact.classProbabilities[std::size_t(k)], 0.051);
        }
        EXPECT_EQ(rows, kClassCount);
    }
}

// k coins cover an evening whose lowest balance is -k or more; the boundary counts.
TEST(SimCli, CoinsAndChartFollowFromTheCounts)
{
    SimRun run{5, 20, 0, {}, {}}; // few guests: few bars, each its own x label
    for (const auto& [m, count] : {std::pair{1, 10}, {0, 8}, {-1, 1}, {-4, 1}})
        run.result.lowestBalanceCounts[std::size_t(m + kMaxCustomers)] = count;
    const auto json = QJsonDocument::fromJson(formatReport(run, OutputFormat::Json).c_str());
    EXPECT_EQ(json["coins"], (QJsonObject{{"90", 0}, {"95", 1}, {"99", 4}}));
}

// The one run of the built command: exit statuses ("status args") and what failed charts leave.
TEST(SimCli, ExitStatusesAndWhatFailuresLeave)
{
    const std::string d = testing::TempDir() + "sim-e2e/", png = " --seed 1 --chart " + d + "c.png";
    auto sim = [io = ") >" + d + "out 2>" + d + "err"](const std::string& args,
                                                       const std::string& before = "") {
        return WEXITSTATUS(std::system(("(" + before + TORUMINA_SIM_PATH " " + args + io).c_str()));
    };
    std::system(("chmod -Rf u+w " + d + "; rm -rf " + d).c_str()); // read-only unless root
    fs::create_directories(d + "ro");
    ASSERT_EQ(std::system(("mkfifo " + d + "fifo").c_str()), 0);
    std::ofstream(d + "ro/kept.png") << "earlier chart";
    fs::permissions(d + "ro", fs::perms::owner_read | fs::perms::owner_exec);
    const char* readOnly = access((d + "ro").c_str(), W_OK) ? "ro/kept.png" : "fifo";
    for (const std::string& row : std::vector<std::string>{
                 "0 --version | grep -qx 'torumina-sim " TORUMINA_VERSION "'", "0" + png,
                 "2 --guests 0", "1 --chart " + d + "no/c.png", "1 --chart " + d,
                 "1 --chart " + d + "fifo", "1 --chart " + d + readOnly, "3 --trials 1 >/dev/full",
                 "3 --trials 1 >&-"}) {
        EXPECT_EQ(sim(row.substr(2)), row[0] - '0') << row;
        EXPECT_EQ(fs::file_size(d + "err") == 0, row[0] == '0') << row;
    }
    // A file size limit just below the chart's size fails it near the end, as a full disk would.
    const auto blocks = std::to_string(fs::file_size(d + "c.png") / 512 - 1); // as POSIX counts
    std::ofstream(d + "c.png") << "earlier chart";
    EXPECT_EQ(sim(png, "trap '' XFSZ; ulimit -f " + blocks + "; exec "), 1);
    for (const char* kept : {"c.png", "ro/kept.png"})
        EXPECT_EQ((std::ostringstream() << std::ifstream(d + kept).rdbuf()).str(), "earlier chart")
                << kept;
}

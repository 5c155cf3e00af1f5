// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// The command run inside the test: its options and its reports.

#include "SimApp.h"
#include "SimReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gmock/gmock.h>

#include <sstream>

using testing::ElementsAre;
using testing::HasSubstr;

namespace {

struct SimOutput
{
    int status = 0;
    std::string out;
    std::string err;
};

SimOutput sim(const std::vector<std::string>& args)
{
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    SimOutput output;
    output.status = runSim(argv, output.out, output.err);
    return output;
}

// 32 evenings of 5 guests: 16 ended at a lowest balance of +1, 12 at 0, 2 at -1, 2 at -4. Of the
// 32 paths of 5 tosses the exact law puts 6, 4, 10, 5, 5, 1, 1 at 1 down to -5: so many
// evenings are expected, with a mean of -1.1875 and a variance of 2.40234375. 1 coin sufficed on
// 90 % of these evenings, 4 on 95 and 99 %; in theory 3, 4 and 5 do.
std::string fiveGuests(OutputFormat format, bool exact = true)
{
    SimRun run{5, 32, 42, {}, exact ? std::optional(exactDistribution(5)) : std::nullopt};
    for (const auto& [m, count] : {std::pair{1, 16}, {0, 12}, {-1, 2}, {-4, 2}}) {
        run.result.lowestBalanceCounts[std::size_t(m + kMaxCustomers)] = count;
        run.result.frequencyCounts[std::size_t(classIndex(m))] = std::int16_t(count);
    }
    run.result.meanLowestBalance = 0.1875f;
    return formatReport(run, format);
}

QJsonValue json(const QString& key)
{
    return QJsonDocument::fromJson(fiveGuests(OutputFormat::Json).c_str())[key];
}

// The words after caption on the line of the text report it starts.
std::vector<std::string> wordsAfter(const std::string& caption)
{
    const std::string text = fiveGuests(OutputFormat::Text);
    const auto start = text.find("\n" + caption) + 1 + caption.size();
    std::istringstream line(text.substr(start, text.find('\n', start) - start));
    return {std::istream_iterator<std::string>(line), {}};
}

// The count in the text report that ends where a class's caption ends, on the line below. Below
// -57 no caption holds a fullwidth tilde, so bytes line up as the terminal's columns do.
std::string countUnder(const std::string& caption)
{
    std::istringstream text(fiveGuests(OutputFormat::Text));
    for (std::string captions, counts; std::getline(text, captions);) {
        const auto at = (captions += ' ').find(' ' + caption + ' ');
        if (!captions.starts_with("不足枚数 ") || at == std::string::npos)
            continue;
        std::getline(text, counts);
        const auto end = at + 1 + caption.size();
        const auto start = counts.rfind(' ', end - 1) + 1;
        return counts.substr(start, end - start);
    }
    return "no caption " + caption;
}

} // namespace

TEST(SimOptions, RefusedOptionExitsWith2NamingIt)
{
    for (const auto& [name, arg] : std::vector<std::pair<const char*, std::string>>{
                 {"guests not a number", "--guests=abc"},
                 {"no guests", "--guests=0"},
                 {"guests above 1000", "--guests=1001"},
                 {"guests with a plus sign", "--guests=+5"},
                 {"guests beyond 64 bits", "--guests=99999999999999999999"},
                 {"guests without a value", "--guests"},
                 {"no trials", "--trials=0"},
                 {"trials above 10000", "--trials=10001"},
                 {"trials in exponent form", "--trials=1e3"},
                 {"negative seed", "--seed=-1"},
                 {"seed above 64 bits", "--seed=18446744073709551616"},
                 {"hexadecimal seed", "--seed=0x10"},
                 {"unknown format", "--format=xml"},
                 {"chart without a file name", "--chart="},
                 {"unknown option", "--bogus"},
                 {"exact with a value", "--exact=1"},
                 {"stray argument", "stray"}}) {
        SCOPED_TRACE(name);
        const SimOutput run = sim({arg});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "") << "nothing on standard output";
        EXPECT_THAT(run.err, HasSubstr(arg.substr(0, arg.find('='))));
    }
}

TEST(SimOptions, RunAsManyExperimentsAsAsked)
{
    struct Row
    {
        const char* name;
        std::vector<std::string> args;
        int guests;
        int trials;
    };
    for (Row row :
         {Row{"defaults", {}, 100, 1000}, Row{"fewest", {"--guests", "1", "--trials", "1"}, 1, 1},
          Row{"most", {"--guests=1000", "--trials=10000"}, 1000, 10000},
          Row{"repeated", {"--guests=3", "--guests=200", "--trials=7"}, 200, 7}}) {
        SCOPED_TRACE(row.name);
        row.args.push_back("--format=json");
        const QJsonObject report = QJsonDocument::fromJson(sim(row.args).out.c_str()).object();
        EXPECT_EQ(report["guests"].toInt(), row.guests);
        int evenings = 0;
        for (const auto count : report["counts"].toArray())
            evenings += count.toInt();
        EXPECT_EQ(evenings, row.trials) << "each experiment counted once";
    }
}

// A seed above 2^53 would lose digits as a JSON number.
TEST(SimSeed, LargestSeedKeepsEveryDigit)
{
    const SimOutput run = sim({"--seed=18446744073709551615", "--format=json"});
    EXPECT_EQ(QJsonDocument::fromJson(run.out.c_str())["seed"], "18446744073709551615");
}

TEST(SimSeed, PrintedSeedRepeatsTheRun)
{
    const SimOutput first = sim({"--exact"});
    const auto start = first.out.find("乱数の種 ") + std::string("乱数の種 ").size();
    const std::string seed = first.out.substr(start, first.out.find('\n', start) - start);
    EXPECT_EQ(sim({"--exact", "--seed", seed}).out, first.out);
}

TEST(SimTextReport, CountsStandUnderTheirClasses)
{
    for (const auto& [caption, count] :
         {std::pair{"1", "16"}, {"0", "12"}, {"-1", "2"}, {"-2", "0"}, {"-4", "2"}})
        EXPECT_EQ(countUnder(caption), count) << "under " << caption;
}

// Below the table: the run's mean as the window shows it, the coins from the run and from the
// theory, and the theory's mean and variance.
TEST(SimTextReport, GivesTheAnswerBelowTheTable)
{
    EXPECT_THAT(wordsAfter("不足枚数の平均"), ElementsAre(".2"));
    EXPECT_THAT(wordsAfter("  実験から"), ElementsAre("1", "4", "4"));
    EXPECT_THAT(wordsAfter("  理論上の分布から"), ElementsAre("3", "4", "5"));
    EXPECT_THAT(wordsAfter("理論上の不足枚数の平均"), ElementsAre("-1.1875"));
    EXPECT_THAT(wordsAfter("理論上の不足枚数の分散"), ElementsAre("2.4023"));
}

TEST(SimJsonReport, ExpectedCountsFollowTheTheory)
{
    const QJsonArray expected = json("exact")["expected"].toArray();
    for (const auto& [m, count] : {std::pair{2, 0.0}, {1, 6.0}, {-1, 10.0}, {-5, 1.0}, {-6, 0.0}})
        EXPECT_EQ(expected[classIndex(m) - 1].toDouble(), count) << "at lowest balance " << m;
}

TEST(SimJsonReport, GivesTheFiguresOfTheRunBesideTheTheory)
{
    EXPECT_EQ(json("mean").toDouble(), 0.1875);
    EXPECT_EQ(json("coins"), (QJsonObject{{"90", 1}, {"95", 4}, {"99", 4}}));
    EXPECT_EQ(json("exact")["mean"].toDouble(), -1.1875);
    EXPECT_DOUBLE_EQ(json("exact")["variance"].toDouble(), 2.40234375);
    EXPECT_EQ(json("exact")["coins"], (QJsonObject{{"90", 3}, {"95", 4}, {"99", 5}}));
}

TEST(SimCsvReport, RowsGiveTheTheoryBesideTheCounts)
{
    const std::string csv = fiveGuests(OutputFormat::Csv);
    EXPECT_THAT(csv, testing::StartsWith("\xEF\xBB\xBF")) << "spreadsheets misread UTF-8 without";
    EXPECT_THAT(csv, HasSubstr("\nclass,label,count,probability,expected\n"));
    EXPECT_THAT(csv, HasSubstr("\n1,～  -57,0,0.00000,0.0\n"));
    EXPECT_THAT(csv, HasSubstr("\n58,-1,2,0.31250,10.0\n"));
    EXPECT_THAT(csv, HasSubstr("\n60,1,16,0.18750,6.0\n"));
}

TEST(SimCsvReport, PreambleGivesTheAnswer)
{
    EXPECT_THAT(fiveGuests(OutputFormat::Csv),
                HasSubstr("\n不足枚数の平均,0.1875\n"
                          "理論上の不足枚数の平均,-1.1875\n"
                          "理論上の不足枚数の分散,2.4023\n"
                          "用意する５００円玉の枚数（その割合の夜に足りる数）,90 %,95 %,99 %\n"
                          "実験から,1,4,4\n"
                          "理論上の分布から,3,4,5\n\n"
                          "class,"));
}

TEST(SimCsvReport, PreambleWithoutTheoryGivesTheRunsAnswer)
{
    EXPECT_THAT(fiveGuests(OutputFormat::Csv, false),
                HasSubstr("\n不足枚数の平均,0.1875\n"
                          "用意する５００円玉の枚数（その割合の夜に足りる数）,90 %,95 %,99 %\n"
                          "実験から,1,4,4\n\n"
                          "class,label,count\n"));
}

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// The page's window on the core: what the desktop program computes, for the
// page to show. Answers come as the text typed, read by the same reader;
// figures go back as the texts the desktop program shows.

#include "ChartPlan.h"
#include "Evening.h"
#include "ExperimentEngine.h"
#include "HelpText.h"
#include "NumberFormat.h"
#include "NumberReader.h"
#include "RunText.h"

#include <emscripten/bind.h>

#include <optional>
#include <random>
#include <string>

namespace {

// The parameter an answer gives within lower..upper, or -1 where the
// question must be asked again.
int readParameter(const std::u16string& answer, int lower, int upper)
{
    const auto value = acceptParameter(answer, static_cast<std::int16_t>(lower),
                                       static_cast<std::int16_t>(upper));
    return value ? *value : -1;
}

struct Run
{
    std::string mean;
    std::vector<int> counts; // class 1 first
};

// The run the table shows, which the theory view and the copy tell.
std::optional<ExperimentResult> shownRun;

Run shown(const ExperimentResult& result)
{
    shownRun = result;
    Run run{formatMean(result.meanLowestBalance), {}};
    for (int k = 1; k <= kClassCount; ++k)
        run.counts.push_back(result.countInClass(k));
    return run;
}

// A run reseeded from the time of day before every experiment, as the
// desktop program runs.
Run runNow(int guests, int trials)
{
    static ExperimentEngine engine(processRandomSource());
    return shown(engine.run(guests, trials));
}

// torumina-sim's run of the seed written, read as the evening window reads
// one (every 64-bit seed, which a JavaScript number cannot hold); a run
// now where the text is no seed.
Run runSeeded(int guests, int trials, const std::u16string& seed)
{
    const std::optional<std::uint64_t> read = readSeed(seed);
    return read ? shown(SeededRun(*read).run(guests, trials)) : runNow(guests, trials);
}

// 表をコピー: the table as the desktop program copies it, with the run
// shown or, after a reset, without one.
std::string copiedTable(int guests, int trials, bool ran)
{
    return tableText(guests, trials, ran ? shownRun : std::nullopt);
}

// The theory view of the run shown: its words, its chart's plan and its
// figures, and what 数値をコピー copies.
struct Theory
{
    std::string question;
    std::vector<std::string> answers;
    std::string means;
    std::string copied;
    std::string title;
    std::string fileName;
    std::vector<std::string> words; // the axes' titles, then the legend's
    int lowest = 0;
    double yStep = 0;
    double yMax = 0;
    int xStep = 1;
    std::vector<int> counts; // bar by bar from lowest
    std::vector<double> expected; // likewise
    std::vector<int> coverage; // the coins that sufficed, share by share
    std::vector<std::string> labels; // their lines' labels
    std::vector<std::string> figureCounts; // class 1 first
    std::vector<std::string> figureExpected; // likewise
};

Theory theory()
{
    const ExperimentResult& run = *shownRun;
    const ExactDistribution exact = exactDistribution(run.guests);
    const CoverageRows coverage = coverageRows(run, exact);
    const DistributionChart chart = distributionChart(run, exact, coverage);
    const ChartScale scale = chartScale(chart);
    Theory view;
    view.question = theoryQuestion(run);
    view.means = meansText(run, exact);
    view.copied = theoryText(run, exact, coverage);
    view.title = chartTitle(run);
    view.fileName = chartFileName(run);
    view.words = {kChartXAxisTitle, kChartYAxisTitle, kChartBarsLegend, kChartExpectedLegend,
                  kChartCoverageLegend};
    view.lowest = chart.lowest;
    view.yStep = scale.yStep;
    view.yMax = scale.yMax;
    view.xStep = scale.xStep;
    for (const CoverageRow& row : coverage) {
        view.answers.push_back(coverageAnswer(row));
        view.coverage.push_back(row.inRun);
        view.labels.push_back(coverageLabel(row));
    }
    for (int m = chart.lowest; m <= kChartHighest; ++m) {
        view.counts.push_back(run.countOf(m));
        view.expected.push_back(chart.expectedCount(m));
    }
    for (int k = 1; k <= kClassCount; ++k) {
        view.figureCounts.push_back(std::to_string(run.countInClass(k)));
        view.figureExpected.push_back(formatExpectedCount(expectedCount(run, exact, k)));
    }
    return view;
}

// One evening told guest by guest; no seed where the text is none.
struct EveningView
{
    std::string seed;
    std::vector<int> stocks;
    std::vector<std::string> steps;
    std::string answer;
    int tableClass = 0;
    int lowest = 0;
};

EveningView evening(const std::u16string& seedText, int guests)
{
    const std::optional<std::uint64_t> seed = readSeed(seedText);
    if (!seed)
        return {};
    const Evening told = eveningOfSeed(*seed, guests);
    EveningView view;
    view.seed = std::to_string(*seed);
    view.answer = eveningAnswerText(told);
    view.tableClass = told.tableClass();
    view.lowest = told.lowestBalance();
    for (std::size_t i = 0; i < told.steps.size(); ++i) {
        view.stocks.push_back(told.steps[i].stock);
        view.steps.push_back(guestStepText(static_cast<int>(i) + 1, told.steps[i]));
    }
    return view;
}

// The seed of each new evening: 32 bits, as the desktop program draws, few
// enough digits to read out to a class.
std::string drawSeed()
{
    return std::to_string(std::random_device()());
}

// The help text, a line each.
std::vector<std::u16string> helpLines()
{
    return {kHelpText.begin(), kHelpText.end()};
}

} // namespace

EMSCRIPTEN_BINDINGS(torumina)
{
    emscripten::register_vector<int>("Counts");
    emscripten::register_vector<std::u16string>("Lines");
    emscripten::register_vector<std::string>("Texts");
    emscripten::register_vector<double>("Figures");
    emscripten::value_object<Theory>("Theory")
            .field("question", &Theory::question)
            .field("answers", &Theory::answers)
            .field("means", &Theory::means)
            .field("copied", &Theory::copied)
            .field("title", &Theory::title)
            .field("fileName", &Theory::fileName)
            .field("words", &Theory::words)
            .field("lowest", &Theory::lowest)
            .field("yStep", &Theory::yStep)
            .field("yMax", &Theory::yMax)
            .field("xStep", &Theory::xStep)
            .field("counts", &Theory::counts)
            .field("expected", &Theory::expected)
            .field("coverage", &Theory::coverage)
            .field("labels", &Theory::labels)
            .field("figureCounts", &Theory::figureCounts)
            .field("figureExpected", &Theory::figureExpected);
    emscripten::value_object<EveningView>("Evening")
            .field("seed", &EveningView::seed)
            .field("stocks", &EveningView::stocks)
            .field("steps", &EveningView::steps)
            .field("answer", &EveningView::answer)
            .field("tableClass", &EveningView::tableClass)
            .field("lowest", &EveningView::lowest);
    emscripten::function("copiedTable", &copiedTable);
    emscripten::function("theory", &theory);
    emscripten::function("evening", &evening);
    emscripten::function("drawSeed", &drawSeed);
    emscripten::function("eveningStart", &eveningStartText);
    emscripten::function("helpLines", &helpLines);
    emscripten::value_object<Run>("Run").field("mean", &Run::mean).field("counts", &Run::counts);
    emscripten::function("readParameter", &readParameter);
    emscripten::function("runNow", &runNow);
    emscripten::function("runSeeded", &runSeeded);
    emscripten::function("classCaption", &classCaption);
    emscripten::constant("classCount", kClassCount);
    emscripten::constant("tableColumns", kTableColumns);
    emscripten::constant("minGuests", kMinGuestsAsked);
    emscripten::constant("maxGuests", kMaxGuests);
    emscripten::constant("minTrials", kMinTrials);
    emscripten::constant("maxTrials", kMaxTrials);
}

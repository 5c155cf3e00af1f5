// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// The page's window on the core: what the desktop program computes, for the
// page to show. Answers come as the text typed, read by the same reader;
// figures go back as the texts the desktop program shows.

#include "ExperimentEngine.h"
#include "HelpText.h"
#include "NumberFormat.h"
#include "NumberReader.h"

#include <emscripten/bind.h>

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

Run shown(const ExperimentResult& result)
{
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

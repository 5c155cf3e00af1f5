// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// The engine in each instruction set it is built for, against the same run
// with the whole exchange sort of every experiment, which it replaces by a
// running minimum.

#include "ExperimentEngine.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

// Every experiment in full, one at a time: the running balances sorted
// ascending by the exchange sort, the lowest taken from position 1.
ExperimentResult runWithFullSort(RandomSource& random, int customerCount, int trialCount)
{
    ExperimentResult result;
    std::array<std::int16_t, kMaxCustomers + 1> balances{};
    std::int32_t sum = 0;
    for (int t = 0; t < trialCount; ++t) {
        random.reseedFromClock();
        std::int16_t balance = 0;
        for (int i = 1; i <= customerCount; ++i) {
            balance = static_cast<std::int16_t>(balance + (random.next() < 0.5f ? 1 : -1));
            balances[static_cast<std::size_t>(i)] = balance;
        }
        for (std::size_t i = 1; i < static_cast<std::size_t>(customerCount); ++i) {
            for (std::size_t j = i + 1; j <= static_cast<std::size_t>(customerCount); ++j) {
                if (balances[i] > balances[j]) {
                    std::swap(balances[i], balances[j]);
                }
            }
        }
        const std::int16_t lowest = balances[1];
        sum += lowest;
        ++result.frequencyCounts[static_cast<std::size_t>(classIndex(lowest))];
        ++result.lowestBalanceCounts[static_cast<std::size_t>(lowest + kMaxCustomers)];
    }
    result.meanLowestBalance = static_cast<float>(static_cast<double>(sum) / trialCount);
    return result;
}

// Both versions draw from the generator the program uses, over the real
// clock, so the clock's cost is part of the figure.
void BM_Run(benchmark::State& state, InstructionSet set)
{
    if (set > widestInstructionSet()) {
        state.SkipWithError("this processor lacks the instruction set");
        return;
    }
    SystemClock clock;
    RandomSource random(clock, 1);
    ExperimentEngine engine(random, set);
    for (auto _ : state) {
        ExperimentResult result =
                engine.run(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
        benchmark::DoNotOptimize(result);
    }
}

void BM_RunWithFullSort(benchmark::State& state)
{
    SystemClock clock;
    RandomSource random(clock, 1);
    for (auto _ : state) {
        ExperimentResult result = runWithFullSort(random, static_cast<int>(state.range(0)),
                                                  static_cast<int>(state.range(1)));
        benchmark::DoNotOptimize(result);
    }
}

// A shared machine slows some repetitions down, never speeds one up.
double fastest(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

} // namespace

// Arguments: guests per experiment, experiments per run.
BENCHMARK_CAPTURE(BM_Run, avx512, InstructionSet::avx512)
        ->Args({10, 1})
        ->Args({100, 1000})
        ->Args({1000, 10000})
        ->ComputeStatistics("min", fastest)
        ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Run, avx2, InstructionSet::avx2)
        ->Args({1000, 10000})
        ->ComputeStatistics("min", fastest)
        ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Run, baseline, InstructionSet::baseline)
        ->Args({1000, 10000})
        ->ComputeStatistics("min", fastest)
        ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RunWithFullSort)->Args({10, 1})->Args({100, 1000})->Unit(benchmark::kMicrosecond);
// About 5e9 comparisons: seconds per run, so once is enough.
BENCHMARK(BM_RunWithFullSort)->Args({1000, 10000})->Iterations(1)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    // Both versions must compute the same thing from the same draws, or the
    // comparison means nothing.
    StillClock clock(43200.0f);
    RandomSource forEngine(clock, 7), forFullSort(clock, 7);
    ExperimentEngine engine(forEngine);
    const ExperimentResult fast = engine.run(100, 1000);
    const ExperimentResult full = runWithFullSort(forFullSort, 100, 1000);
    if (fast.frequencyCounts != full.frequencyCounts
        || fast.lowestBalanceCounts != full.lowestBalanceCounts
        || fast.meanLowestBalance != full.meanLowestBalance) {
        std::fprintf(stderr, "the engine and the full exchange sort disagree\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// The engine in each instruction set it is built for.

#include "ExperimentEngine.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

// The engine draws from the generator the program uses, over the real
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

BENCHMARK_MAIN();

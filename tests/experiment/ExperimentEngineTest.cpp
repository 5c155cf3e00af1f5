// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ExperimentEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <tuple>

// The experiments one at a time, guest by guest, each toss read on its own.
static ExperimentResult oneAtATime(RandomSource& random, int guests, int trials)
{
    ExperimentResult r;
    std::int32_t sum = 0;
    for (int t = 0; t < trials; ++t) {
        const std::uint64_t key = random.reseedAndSkip(std::uint64_t(guests));
        int balance = 0, lowest = INT_MAX;
        for (std::uint64_t i = 0; i < std::uint64_t(guests); ++i)
            lowest = std::min(lowest, balance += RandomSource::getsChange(key, i) ? -1 : 1);
        sum += lowest;
        ++r.frequencyCounts.at(std::size_t(classIndex(lowest)));
        ++r.lowestBalanceCounts.at(std::size_t(lowest + kMaxGuests));
    }
    r.meanLowestBalance = float(double(sum) / trials);
    return r;
}

TEST(ClassIndex, ClassesHoldOneValueEachButTheOpenEnds)
{
    for (auto [m, expected] :
         {std::pair{-1000, 1}, {-58, 1}, {-57, 2}, {-1, 58}, {0, 59}, {1, 60}, {3, 62}, {4, 63}})
        EXPECT_EQ(classIndex(m), expected) << m;
}

// Sizes off the engine's blocks of 32 experiments and words of 64 draws, run after run on one
// engine (no run adds to the one before), in every instruction set the processor has, and on
// emulated older processors (CMakeLists.txt), where a set they lack would die.
TEST(ExperimentEngine, PlaysTheDrawsAsOneExperimentAtATimeWould)
{
    for (auto set : {InstructionSet::baseline, InstructionSet::avx2, InstructionSet::avx512}) {
        if (set > widestInstructionSet())
            continue;
        StillClock clock(36000.0f);
        RandomSource random(clock, 11), reference(clock, 11);
        ExperimentEngine engine(random, set);
        for (auto [guests, trials] :
             {std::pair{1, 1}, {1, 33}, {17, 31}, {64, 64}, {65, 97}, {1000, 10000}, {1000, 1}}) {
            SCOPED_TRACE(testing::Message() << int(set) << ": " << guests << " x " << trials);
            const ExperimentResult r = engine.run(guests, trials);
            const ExperimentResult e = oneAtATime(reference, guests, trials);
            EXPECT_EQ(std::tie(r.frequencyCounts, r.lowestBalanceCounts, r.meanLowestBalance),
                      std::tie(e.frequencyCounts, e.lowestBalanceCounts, e.meanLowestBalance));
        }
    }
}

// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ExperimentEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <stdexcept>
#include <string>
#include <tuple>

#if defined(__x86_64__)
#include <cpuid.h>
#endif

// The experiments one at a time, guest by guest, through next().
static ExperimentResult oneAtATime(RandomSource& random, int guests, int trials)
{
    ExperimentResult r;
    std::int32_t sum = 0;
    for (int t = 0; t < trials; ++t) {
        random.reseedFromClock();
        int balance = 0, lowest = INT_MAX;
        for (int i = 0; i < guests; ++i)
            lowest = std::min(lowest, balance += random.next() < 0.5f ? 1 : -1);
        sum += lowest;
        ++r.frequencyCounts.at(std::size_t(classIndex(lowest)));
        ++r.lowestBalanceCounts.at(std::size_t(lowest + kMaxCustomers));
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
// engine (a run must not add to the counts before it), in every instruction set the processor has.
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

#if defined(__x86_64__)
// The widest set read from the processor's own feature bits, apart from the compiler's check the
// engine makes: AVX2 and AVX-512BW count only where the system saves their registers (XCR0).
static InstructionSet widestTheProcessorReports()
{
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_OSXSAVE))
        return InstructionSet::baseline;
    unsigned saved = 0, high = 0;
    __asm__("xgetbv" : "=a"(saved), "=d"(high) : "c"(0));
    __get_cpuid_count(7, 0, &a, &b, &c, &d);
    if ((b & bit_AVX512BW) && (saved & 0xe6) == 0xe6)
        return InstructionSet::avx512;
    return (b & bit_AVX2) && (saved & 0x6) == 0x6 ? InstructionSet::avx2 : InstructionSet::baseline;
}

// Also run on emulated processors without AVX-512, without AVX2 and without AVX
// (tests/experiment/CMakeLists.txt): a PC gets neither a set it lacks nor less than it has.
TEST(ExperimentEngine, PlaysInTheWidestInstructionSetTheProcessorHas)
{
    EXPECT_EQ(int(widestInstructionSet()), int(widestTheProcessorReports()))
            << "0 baseline, 1 AVX2, 2 AVX-512";
}
#endif

TEST(ExperimentEngine, RefusesParametersOutsideItsArraysBeforeItDraws)
{
    for (auto [guests, trials] : {std::pair{0, 1}, {1001, 1}, {1, 0}, {1, 10001}}) {
        const std::string name = guests == 1 ? "trialCount" : "customerCount";
        StillClock clock;
        RandomSource random(clock, 1), untouched(clock, 1);
        try {
            ExperimentEngine(random).run(guests, trials);
            ADD_FAILURE() << "accepted " << guests << ", " << trials;
        } catch (const std::invalid_argument& error) {
            EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
        }
        EXPECT_EQ(random.next(), untouched.next()); // no reseed before the checks
    }
}

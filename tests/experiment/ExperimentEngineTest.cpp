#include "ExperimentEngine.h"
#include "TickingClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The experiments one at a time, guest by guest, through next().
ExperimentResult oneAtATime(RandomSource& random, int guests, int trials)
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

} // namespace

TEST(ClassIndex, OpenEndsAndOneValuePerInnerClass)
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
        TickingClock clock(1.0f / 64), referenceClock(1.0f / 64);
        RandomSource random(clock, 11), reference(referenceClock, 11);
        ExperimentEngine engine(random, set);
        for (auto [guests, trials] :
             {std::pair{1, 1}, {1, 33}, {17, 31}, {64, 64}, {65, 97}, {1000, 10000}, {1000, 1}}) {
            SCOPED_TRACE(testing::Message() << int(set) << ": " << guests << " x " << trials);
            const ExperimentResult r = engine.run(guests, trials);
            const ExperimentResult expected = oneAtATime(reference, guests, trials);
            EXPECT_EQ(r.frequencyCounts, expected.frequencyCounts);
            EXPECT_EQ(r.lowestBalanceCounts, expected.lowestBalanceCounts);
            EXPECT_EQ(r.meanLowestBalance, expected.meanLowestBalance);
            EXPECT_EQ(clock.readings, referenceClock.readings);
        }
    }
}

TEST(ExperimentEngine, RefusesParametersOutsideItsArraysBeforeItDraws)
{
    for (auto [guests, trials, name] : {std::tuple{0, 1, "customerCount"},
                                        {1001, 1, "customerCount"},
                                        {1, 0, "trialCount"},
                                        {1, 10001, "trialCount"}}) {
        TickingClock clock;
        RandomSource random(clock, 1);
        try {
            ExperimentEngine(random).run(guests, trials);
            ADD_FAILURE() << "accepted " << guests << ", " << trials;
        } catch (const std::invalid_argument& error) {
            EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
        }
        EXPECT_EQ(clock.readings, 0);
    }
}

// fill() equals successive next() calls, all in [0, 1); a clock that holds still never restarts a
// sequence.
TEST(RandomSource, FillsLikeNextAndAStillClockNeverRepeatsASequence)
{
    StillClock still(45296.25f);
    RandomSource filled(still, 5), drawn(still, 5);
    std::set<std::pair<float, float>> starts;
    for (int k = 0; k < 20000; ++k) {
        filled.reseedFromClock();
        drawn.reseedFromClock();
        std::vector<float> out(k % 2 ? 2 : 130), one(out.size());
        filled.fill(out);
        for (float& r : one)
            r = drawn.next();
        ASSERT_EQ(out, one) << k;
        ASSERT_TRUE(std::all_of(out.begin(), out.end(), [](float r) { return r >= 0 && r < 1; }));
        ASSERT_TRUE(starts.insert({out[0], out[1]}).second) << "repeated at reseed " << k;
    }
}

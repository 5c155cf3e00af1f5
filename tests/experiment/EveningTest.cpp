// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "Evening.h"
#include "ExperimentEngine.h"

#include <gtest/gtest.h>

#include <limits>

// The evening of a seed is the one experiment of a run of one trial with that seed: the engine
// counts its lowest point, in the class the evening names (its guests one by one are golden
// reports of torumina-sim --evening). Guest counts on either side of the engine's words of 64
// draws; seed 3 with 10 guests never runs short, 1234 with 35 does.
TEST(Evening, EndsWhereTheEngineCountsTheFirstExperimentOfItsSeed)
{
    for (auto [seed, guests] : {std::pair<std::uint64_t, int>{3, 10},
                                {1234, 35},
                                {20261207, 64},
                                {99, 65},
                                {std::numeric_limits<std::uint64_t>::max(), 1000}}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", " << guests << " guests");
        const Evening evening = eveningOfSeed(seed, guests);
        const ExperimentResult run = SeededRun(seed).run(guests, 1);
        EXPECT_EQ(run.countOf(evening.lowestBalance()), 1);
        EXPECT_EQ(run.frequencyCounts.at(std::size_t(evening.tableClass())), 1);
    }
}

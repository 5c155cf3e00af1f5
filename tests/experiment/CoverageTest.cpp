// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "Coverage.h"

#include <gtest/gtest.h>

// 20 evenings: 10 ended at a lowest balance of +1, 8 at 0, 1 at -1 and 1 at -4. k coins cover an
// evening whose lowest balance is -k or more.
TEST(Coverage, ExactShareOfEveningsIsEnough)
{
    ExperimentResult result;
    for (const auto& [m, count] : {std::pair{1, 10}, {0, 8}, {-1, 1}, {-4, 1}})
        result.lowestBalanceCounts[std::size_t(m + kMaxCustomers)] = count;
    EXPECT_EQ(coinsThatSufficed(result, 20, 90), 0) << "no coin covers 18 of 20 evenings, 90 %";
    EXPECT_EQ(coinsThatSufficed(result, 20, 95), 1) << "1 coin covers 19 of 20 evenings, 95 %";
    EXPECT_EQ(coinsThatSufficed(result, 20, 99), 4) << "only 4 coins cover more than 19.8 of 20";
}

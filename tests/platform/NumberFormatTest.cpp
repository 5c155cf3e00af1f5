// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "NumberFormat.h"

#include <gtest/gtest.h>

TEST(FormatMean, ShowsOneDecimalWithoutLeadingZero)
{
    // No sign on a zero; ties go away from zero, and -7.45f falls short of one.
    const std::pair<float, const char*> table[] = {
            {-7.46f, "-7.5"},      {-12.0f, "-12.0"},       {1.0f, "1.0"},   {-0.4f, "-.4"},
            {0.0f, ".0"},          {-1000.0f, "-1000.0"},   {-0.04f, ".0"},  {-0.0f, ".0"},
            {-999.95f, "-1000.0"}, {123456.7f, "123456.7"}, {-0.25f, "-.3"}, {0.25f, ".3"},
            {-7.45f, "-7.4"}};
    for (const auto& [mean, text] : table)
        EXPECT_EQ(formatMean(mean), text) << mean;
}

#include "NumberFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatMean, ShowsOneDecimalAndNoLeadingZero)
{
    const struct {
        float mean;
        const char* text;
    } table[] = {
        {-7.46f, "-7.5"}, {-12.0f, "-12.0"}, {1.0f, "1.0"}, {-0.4f, "-.4"}, {0.0f, ".0"},
        {-1000.0f, "-1000.0"}, {1000.0f, "1000.0"}, {0.4f, ".4"}, {-57.0f, "-57.0"},
        {-999.95f, "-1000.0"}, {-9.96f, "-10.0"}, {12345.6f, "12345.6"},
        {123456.7f, "123456.7"}, // the five placeholders do not limit the width
        // A mean that rounds to zero carries no sign.
        {-0.04f, ".0"}, {-0.0f, ".0"}, {0.04f, ".0"},
        // Ties go away from zero; a float just off a tie rounds by its true value.
        {-0.25f, "-.3"}, {0.25f, ".3"}, {-7.45f, "-7.4"}, {0.05f, ".1"}, {0.95f, ".9"},
    };
    for (const auto& row : table)
        EXPECT_EQ(formatMean(row.mean), row.text) << row.mean;
}

} // namespace

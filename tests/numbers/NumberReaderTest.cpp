// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "NumberFormat.h"
#include "NumberReader.h"

#include <gtest/gtest.h>

#include <string>

constexpr std::nullopt_t refused = std::nullopt;

// Each answer as the guests' question (10 to 1000) and the experiments'
// (1 to 10000) take it.
TEST(AcceptParameter, KeepsTheIntegerPartOfAnAnswerWithinRange)
{
    const struct
    {
        const char* why;
        std::u16string answer;
        std::optional<std::int16_t> guests, trials;
    } rows[] = {
            {"both bounds are inclusive", u"10", 10, 10},
            {"the upper guest bound", u"1000", 1000, 1000},
            {"a fraction above the bound", u"1000.5", refused, 1000},
            {"zero", u"0", refused, refused},
            {"a fraction below one", u"0.5", refused, refused},
            {"the lower experiment bound", u"1", refused, 1},
            {"the upper experiment bound", u"10000", refused, 10000},
            {"a negative number", u"-5", refused, refused},
            {"two signs", u"--5", refused, refused},
            {"a unit after the number", u"150人", 150, 150},
            {"a comma ends the number", u"1,000", refused, 1},
            {"a carriage return ends the number", u"1\r00", refused, 1},
            {"a letter that folds to I ends the number", u"1\u0130", refused, 1},
            {"an exponent without digits ends the number", u"1e+", refused, 1},
            {"letters", u"abc", refused, refused},
            {"C's hexadecimal prefix", u"0x10", refused, refused},
            {"the &H prefix", u"&H64", 100, 100},
            {"lower-case hexadecimal", u"&hff", 255, 255},
            {"the &O prefix", u"&o144", 100, 100},
            {"a full-width &H", u"＆Ｈ６４", 100, 100},
            {"full-width digits", u"１００", 100, 100},
            {"tabs and line feeds between digits", u"\t1\n0\n0", 100, 100},
            {"an ideographic space between digits", u"1　000", 1000, 1000},
            {"blanks only", u" \t\u3000", refused, refused},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(acceptParameter(row.answer, 10, 1000), row.guests) << "as the guests";
        EXPECT_EQ(acceptParameter(row.answer, 1, 10000), row.trials) << "as the experiments";
    }
}

TEST(ReadNumber, RefusesARadixNumberTooLongForSixtyFourBits)
{
    EXPECT_EQ(readNumber(u"&HFFFFFFFFFFFFFFFF"), 0x1p64);
    EXPECT_EQ(readNumber(u"&HFFFFFFFFFFFFFFFFF"), refused);
}

TEST(ReadNumber, APastedMebibyteReadsInLinearTime)
{
    EXPECT_EQ(readNumber(u"1" + std::u16string(1 << 20, u' ') + u"0"), 10);
    EXPECT_EQ(readNumber(u"1e" + std::u16string(1 << 20, u'9')), refused);
}

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

// Figures for a spreadsheet, the same from the desktop's C++ library and the web edition's.
TEST(FormatFixed, RoundsHalvesAwayFromZeroAsPupilsRound)
{
    const std::tuple<double, int, const char*> table[] = {{6.25, 1, "6.3"},
                                                          {-6.25, 1, "-6.3"},
                                                          {6.35, 1, "6.3"},
                                                          {0.125, 2, "0.13"},
                                                          {9.5, 0, "10"},
                                                          {-0.5, 0, "-1"},
                                                          {-0.0, 4, "0.0000"},

                                                          {2.0 / 3, 4, "0.6667"},
                                                          {1e20, 1, "100000000000000000000.0"},
                                                          {0.1, 20, "0.10000000000000000555"}};
    for (const auto& [value, decimals, text] : table)
        EXPECT_EQ(formatFixed(value, decimals), text) << value << " to " << decimals;
}

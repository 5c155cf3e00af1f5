// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "NumberReader.h"

#include <gtest/gtest.h>

#include <string>

constexpr std::nullopt_t no = std::nullopt;

TEST(AcceptParameter, KeepsTheIntegerPartOfAnAnswerWithinRange)
{
    const struct
    {
        std::u16string text;
        std::optional<std::int16_t> guests, trials;
    } table[] = {{u"10", 10, 10},          {u"1000", 1000, 1000},   {u"1000.5", no, 1000},
                 {u"0", no, no},           {u"0.5", no, no},        {u"1", no, 1},
                 {u"10000", no, 10000},    {u"-5", no, no},         {u"--5", no, no},
                 {u"150人", 150, 150},     {u"1,000", no, 1},       {u"1\r00", no, 1},
                 {u"1\u0130", no, 1},      {u"1e+", no, 1},         {u"abc", no, no},
                 {u"0x10", no, no},        {u"&H64", 100, 100},     {u"&hff", 255, 255},
                 {u"&o144", 100, 100},     {u"＆Ｈ６４", 100, 100}, {u"１００", 100, 100},
                 {u"\t1\n0\n0", 100, 100}, {u"1　000", 1000, 1000}, {u" \t\u3000", no, no}};
    for (const auto& row : table) {
        EXPECT_EQ(acceptParameter(row.text, 10, 1000), row.guests)
                << testing::PrintToString(row.text);
        EXPECT_EQ(acceptParameter(row.text, 1, 10000), row.trials)
                << testing::PrintToString(row.text);
    }
}

TEST(ReadNumber, ReadsOnlyNumbersAndRefusesWhatADoubleCannotHold)
{
    const std::pair<std::u16string, std::optional<double>> table[] = {
            {u"inf", 0}, {u"&HFFFFFFFFFFFFFFFF", 0x1p64}, {u"&HFFFFFFFFFFFFFFFFF", no}};
    for (const auto& [text, value] : table)
        EXPECT_EQ(readNumber(text), value) << testing::PrintToString(text);
    // A pasted mebibyte reads in linear time.
    EXPECT_EQ(readNumber(u"1" + std::u16string(1 << 20, u' ') + u"0"), 10);
    EXPECT_EQ(readNumber(u"1e" + std::u16string(1 << 20, u'9')), no);
}

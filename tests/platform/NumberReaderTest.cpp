#include "NumberReader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>

constexpr std::nullopt_t no = std::nullopt;

TEST(AcceptParameter, KeepsTheIntegerPartOfAnAnswerWithinRange)
{
    const struct
    {
        std::u16string text;
        std::optional<std::int16_t> guests, trials;
    } table[] = {
            {u"10.9", 10, 10},       {u"150人", 150, 150},     {u"1,000", no, 1},
            {u"&H64", 100, 100},     {u"&o144", 100, 100},     {u"1e3", 1000, 1000},
            {u" 1 000", 1000, 1000}, {u"\t1\n0\n0", 100, 100}, {u"１００", 100, 100},
            {u"＆Ｈ６４", 100, 100}, {u" \t\u3000", no, no},   {u"abc", no, no},
            {u"-5", no, no},         {u"0x10", no, no},        {u"&H10000000000000064", no, no},
            {u"9.99", no, 9},        {u"10", 10, 10},          {u"1000", 1000, 1000},
            {u"1000.5", no, 1000},   {u"0", no, no},           {u"0.5", no, no},
            {u"1", no, 1},           {u"10000", no, 10000},    {u"10000.5", no, no}};
    for (const auto& row : table) {
        EXPECT_EQ(acceptParameter(row.text, 10, 1000), row.guests)
                << testing::PrintToString(row.text);
        EXPECT_EQ(acceptParameter(row.text, 1, 10000), row.trials)
                << testing::PrintToString(row.text);
    }
}

// (2^53 + 1) * 2^-1075 lies halfway between the smallest normal double and the next: all its 768
// significant digits count (it rounds to even), and so does a 1 a thousand digits beyond (it rounds
// up).
TEST(ReadNumber, ReadsOnlyNumbersAndRefusesWhatADoubleCannotHold)
{
    std::u16string halfway = u"9007199254740993";
    for (int k = 0; k < 1075; ++k) { // times 5^1075
        int carry = 0;
        for (auto d = halfway.rbegin(); d != halfway.rend(); ++d, carry /= 10)
            *d = static_cast<char16_t>(u'0' + (carry += (*d - u'0') * 5) % 10);
        if (carry > 0)
            halfway.insert(halfway.begin(), static_cast<char16_t>(u'0' + carry));
    }
    const double smallest = std::numeric_limits<double>::min();
    const std::u16string zeros(1000, u'0');
    const std::pair<std::u16string, std::optional<double>> table[] = {
            {u"inf", 0},
            {u"nan", 0},
            {u"0x10", 0},
            {u"1E-3", 0.001},
            {u"1e400", no},
            {u"-1e400", no},
            {u"1.7976931348623157e308", std::numeric_limits<double>::max()},
            {u"1" + zeros, no},
            {u"1e-400", 0},
            {u"&HFFFFFFFFFFFFFFFF", 18446744073709551615.0},
            {u"&HFFFFFFFFFFFFFFFFF", no},
            {u"&O2000000000000000000000", no},
            {halfway + u"e-1075", smallest},
            {halfway + zeros + u"1e-2076", std::nextafter(smallest, 1.0)}};
    for (const auto& [text, value] : table)
        EXPECT_EQ(readNumber(text), value) << testing::PrintToString(text);
}

TEST(ReadNumber, ReadsAMebibyteAnswerQuickly)
{
    const auto many = [](char16_t c) { return std::u16string(std::size_t{1} << 20, c); };
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(readNumber(u"1" + many(u'7')), no);
    EXPECT_EQ(readNumber(u"1" + many(u' ') + u"0"), 10);
    EXPECT_EQ(readNumber(u"0." + many(u'0') + u"1"), 0);
    EXPECT_EQ(readNumber(u"1e" + many(u'9')), no);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

#include "NumberReader.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace {

constexpr std::optional<double> kRefused = std::nullopt;

// Failure messages show the answer with every non-ASCII code unit escaped.
std::string shown(std::u16string_view text)
{
    std::string out;
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
            out += escape;
        }
    }
    return '"' + out + '"';
}

struct Reading {
    std::u16string_view text;
    std::optional<double> value;
};

void expectReadings(std::initializer_list<Reading> table)
{
    for (const Reading& row : table) {
        const std::optional<double> got = readNumber(row.text);
        EXPECT_EQ(got, row.value) << shown(row.text);
    }
}

TEST(ReadNumber, ReadsTheLeadingDecimalNumber)
{
    expectReadings({
        {u"", 0}, {u"   ", 0}, {u"abc", 0}, {u"150人", 150}, {u"-5", -5}, {u"+20", 20},
        {u"10.9", 10.9}, {u".5e1", 5}, {u"5.", 5}, {u".", 0}, {u"-.", 0}, {u"+", 0},
        {u"--5", 0}, {u"+-5", 0}, {u"1,000", 1}, {u"1..5", 1}, {u"1.5.3", 1.5},
        {u"1e3", 1000}, {u"1E-3", 0.001}, {u"1e+2", 100}, {u"1e", 1}, {u"1e+", 1},
        {u"1e-x", 1}, {u"e5", 0}, {u".e5", 0}, {u"007", 7}, {u"0.1", 0.1},
        // What a C library would also accept must not leak through.
        {u"inf", 0}, {u"nan", 0}, {u"0x10", 0}, {u"1d2", 1},
    });
}

TEST(ReadNumber, IgnoresBlanksWhereverTheyStand)
{
    expectReadings({
        {u" 1 000", 1000}, {u"\t1\n0\n0", 100}, {u"\r\n12", 12}, {u"- 1 . 5 e 1", -15},
        {u"1\u30000", 10}, {u"& H 6 4", 100}, {u"1\v0", 1}, {u"1\u00A00", 1},
    });
}

TEST(ReadNumber, ReadsFullWidthFormsLikeAscii)
{
    expectReadings({
        {u"１００", 100}, {u"－５", -5}, {u"＋１．５ｅ１", 15}, {u"１Ｅ２", 100},
        {u"＆Ｈ６４", 100}, {u"＆ｈＦＦ", 255}, {u"＆Ｏ１４４", 100}, {u"１，０００", 1},
        {u"\u3000１\u3000０", 10},
    });
}

TEST(ReadNumber, ReadsHexadecimalAndOctalIntegers)
{
    expectReadings({
        {u"&H64", 100}, {u"&h64", 100}, {u"&O144", 100}, {u"&o144", 100},
        {u"&HFFFF", 65535}, {u"&Hff.5", 255}, {u"&H1G", 1}, {u"&O78", 7}, {u"&O8", 0},
        {u"&H", 0}, {u"&", 0}, {u"&X1", 0}, {u"&12", 0}, {u"-&H10", 0},
        {u"&HFFFFFFFFFFFFFFFF", 18446744073709551615.0},
        {u"&H0000000000000000000000000001", 1},
        {u"&O1777777777777777777777", 18446744073709551615.0},
        {u"&HFFFFFFFFFFFFFFFFF", kRefused}, {u"&H10000000000000000", kRefused},
        {u"&O2000000000000000000000", kRefused},
    });
}

TEST(ReadNumber, RefusesWhatLiesBeyondTheRangeOfADouble)
{
    const double largest = std::numeric_limits<double>::max();
    expectReadings({
        {u"1e400", kRefused}, {u"-1e400", kRefused}, {u"1.8e308", kRefused},
        {u"1e99999999999999999999999", kRefused}, {u"1.7976931348623157e308", largest},
        {u"1e-400", 0}, {u"1e-99999999999999999999999", 0}, {u"0e400", 0},
        {u"0.0000e99999999999", 0},
    });
}

TEST(ReadNumber, SurvivesAnyCodeUnits)
{
    const char16_t withNul[] = {u'1', u'\0', u'2'};
    expectReadings({
        {u"1\xD800" u"5", 1}, {u"\xDC00" u"5", 0}, {u"\xFFFF", 0}, {u"\uFF00" u"1", 0},
        {std::u16string_view(withNul, 3), 1},
    });
}

// The decimal digits of n * 5^power, for exact halfway points between doubles.
std::u16string timesPowerOfFive(std::u16string n, int power)
{
    for (; power > 0; --power) {
        int carry = 0;
        for (auto digit = n.rbegin(); digit != n.rend(); ++digit) {
            const int product = (*digit - u'0') * 5 + carry;
            *digit = static_cast<char16_t>(u'0' + product % 10);
            carry = product / 10;
        }
        if (carry > 0)
            n.insert(n.begin(), static_cast<char16_t>(u'0' + carry));
    }
    return n;
}

TEST(ReadNumber, RoundsLongDigitStringsCorrectly)
{
    // (2^53 + 1) * 2^-1075 lies halfway between the smallest normal double
    // and the next: 768 significant digits decide that it rounds to even,
    // and a non-zero digit far beyond them that it rounds up.
    const std::u16string halfway = timesPowerOfFive(u"9007199254740993", 1075);
    const double smallest = std::numeric_limits<double>::min();
    const std::u16string zeros(1000, u'0');
    expectReadings({
        {halfway + u"e-1075", smallest},
        {halfway + zeros + u"1e-2076", std::nextafter(smallest, 1.0)},
        {u"9007199254740993." + zeros + u"1", 9007199254740994.0},
        {u"1" + zeros + u"e-1000", 1}, {u"0." + zeros + u"1e1001", 1},
        {u"1" + zeros, kRefused}, {u"1e-325", 0},
    });
}

TEST(ReadNumber, ReadsAMegabyteAnswerInLinearTime)
{
    const std::size_t mebibyte = std::size_t{1} << 20;
    const std::u16string answers[] = {
        u"1" + std::u16string(mebibyte, u'7'), u"1" + std::u16string(mebibyte, u' ') + u"0",
        u"0." + std::u16string(mebibyte, u'0') + u"1", u"1." + std::u16string(mebibyte, u'9'),
        u"1e" + std::u16string(mebibyte, u'9'),
    };
    const std::optional<double> values[] = {kRefused, 10, 0, 2, kRefused};

    const auto start = std::chrono::steady_clock::now();
    std::optional<double> readings[std::size(answers)];
    for (std::size_t i = 0; i < std::size(answers); ++i)
        readings[i] = readNumber(answers[i]);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

    for (std::size_t i = 0; i < std::size(answers); ++i)
        EXPECT_EQ(readings[i], values[i]) << i;
}

struct Answer {
    std::u16string_view text;
    std::optional<std::int16_t> guests;
    std::optional<std::int16_t> trials;
};

TEST(AcceptParameter, KeepsTheIntegerPartOfAnAnswerWithinRange)
{
    const std::optional<std::int16_t> no = std::nullopt;
    const Answer table[] = {
        {u"100", 100, 100}, {u"10.9", 10, 10}, {u"150人", 150, 150}, {u"1,000", no, 1},
        {u"&H64", 100, 100}, {u"&h64", 100, 100}, {u"&O144", 100, 100}, {u"1e3", 1000, 1000},
        {u" 1 000", 1000, 1000}, {u"\t1\n0\n0", 100, 100}, {u"１００", 100, 100},
        {u".5e1", no, 5}, {u"+20", 20, 20}, {u"1e", no, 1}, {u"1e+", no, 1}, {u"1..5", no, 1},
        {u"   ", no, no}, {u"abc", no, no}, {u"-5", no, no}, {u"1e400", no, no},
        {u"&HFFFFFFFFFFFFFFFFF", no, no}, {u"1e-400", no, no}, {u"-0", no, no},
        // The bounds are inclusive, and only the integer part is stored.
        {u"0", no, no}, {u"0.5", no, no}, {u"0.99999", no, no}, {u"1", no, 1},
        {u"9.99", no, 9}, {u"10", 10, 10}, {u"1000", 1000, 1000}, {u"1000.5", no, 1000},
        {u"1001", no, 1001}, {u"10000", no, 10000}, {u"10000.5", no, no}, {u"10000.0000000001", no, no},
    };
    for (const Answer& row : table) {
        EXPECT_EQ(acceptParameter(row.text, 10, 1000), row.guests) << shown(row.text);
        EXPECT_EQ(acceptParameter(row.text, 1, 10000), row.trials) << shown(row.text);
    }
}

} // namespace

#include "NumberReader.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>
#include <system_error>

namespace {

// Enough significant digits to round any decimal text to the nearest double:
// the longest exact decimal expansion that can matter has 767 digits. Beyond
// them only whether some digit is non-zero counts, kept as one sticky digit.
// This is also what keeps a pasted megabyte of digits cheap to convert.
constexpr std::size_t kSignificantDigits = 800;

// Past these decimal positions of the leading digit a double overflows or
// underflows for certain, whatever digits follow; between them the
// conversion itself decides.
constexpr long long kOverflowPosition = 310;
constexpr long long kUnderflowPosition = -330;

// Explicit exponents are counted up to here and no further, so that an
// answer with thousands of exponent digits cannot overflow the count. Any
// exponent this large is already far outside the range of a double.
constexpr long long kExponentCeiling = 1'000'000'000;

// An input method may deliver the full-width forms of digits, signs and
// letters; they read like their ASCII counterparts.
constexpr char16_t kFullWidthFirst = u'\uFF01';
constexpr char16_t kFullWidthLast = u'\uFF5E';
constexpr char16_t kFullWidthOffset = 0xFEE0;

bool isIgnored(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\u3000';
}

// Walks the answer one significant character at a time: ignored characters
// are skipped wherever they stand and full-width forms arrive as ASCII. Any
// other non-ASCII code unit, a lone surrogate included, arrives as '\0',
// which continues no number.
class Cursor
{
public:
    explicit Cursor(std::u16string_view text) : text_(text) { skipIgnored(); }

    char peek() const { return pos_ < text_.size() ? fold(text_[pos_]) : '\0'; }

    void advance()
    {
        ++pos_;
        skipIgnored();
    }

    bool take(char wanted)
    {
        if (peek() != wanted)
            return false;
        advance();
        return true;
    }

private:
    static char fold(char16_t c)
    {
        if (c >= kFullWidthFirst && c <= kFullWidthLast)
            c = static_cast<char16_t>(c - kFullWidthOffset);
        return c < 0x80 ? static_cast<char>(c) : '\0';
    }

    void skipIgnored()
    {
        while (pos_ < text_.size() && isIgnored(text_[pos_]))
            ++pos_;
    }

    std::u16string_view text_;
    std::size_t pos_ = 0;
};

bool isDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

int radixDigit(char c, int radix)
{
    int value = radix;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    return value < radix ? value : -1;
}

// Hexadecimal or octal digits after "&H" / "&O". The value is unsigned: an
// answer "&HFFFF" means 65535, not a 16-bit -1.
std::optional<double> readRadix(Cursor& in, int bitsPerDigit)
{
    const int radix = 1 << bitsPerDigit;
    const int spareBits = 64 - bitsPerDigit;
    std::uint64_t value = 0;
    for (int digit; (digit = radixDigit(in.peek(), radix)) >= 0; in.advance()) {
        if ((value >> spareBits) != 0)
            return std::nullopt;
        value = value << bitsPerDigit | static_cast<std::uint64_t>(digit);
    }
    return static_cast<double>(value);
}

std::optional<double> readDecimal(Cursor& in)
{
    const bool negative = in.take('-');
    if (!negative)
        in.take('+');
    const double zero = negative ? -0.0 : 0.0;

    // The kept digits, leading zeros dropped, read as an integer times
    // 10^scale.
    std::string digits;
    digits.reserve(kSignificantDigits + 1);
    long long scale = 0;
    bool anyDigit = false;
    bool droppedNonZero = false;
    bool afterPoint = false;
    for (char c = in.peek();; c = in.peek()) {
        if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else if (isDecimalDigit(c)) {
            anyDigit = true;
            if (digits.size() < kSignificantDigits) {
                if (!digits.empty() || c != '0')
                    digits.push_back(c);
                if (afterPoint)
                    --scale;
            } else {
                droppedNonZero = droppedNonZero || c != '0';
                if (!afterPoint)
                    ++scale;
            }
        } else {
            break;
        }
        in.advance();
    }
    if (!anyDigit)
        return 0.0;

    // An exponent marker without digits after it is not part of the number.
    long long exponent = 0;
    if (in.take('E') || in.take('e')) {
        const bool negativeExponent = in.take('-');
        if (!negativeExponent)
            in.take('+');
        for (char c = in.peek(); isDecimalDigit(c); in.advance(), c = in.peek()) {
            if (exponent < kExponentCeiling)
                exponent = exponent * 10 + (c - '0');
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    if (digits.empty())
        return zero;
    if (droppedNonZero)
        digits.push_back('1');

    // The value is 0.<digits> times 10^position.
    const long long position =
            scale + exponent + static_cast<long long>(digits.size()) - (droppedNonZero ? 1 : 0);
    if (position > kOverflowPosition)
        return std::nullopt;
    if (position < kUnderflowPosition)
        return zero;

    digits.insert(0, "0.");
    digits += 'e';
    digits += std::to_string(position);
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range)
        return position > 0 ? std::nullopt : std::optional<double>(zero);
    if (error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace

std::optional<double> readNumber(std::u16string_view text)
{
    Cursor in(text);
    if (in.take('&')) {
        if (in.take('H') || in.take('h'))
            return readRadix(in, 4);
        if (in.take('O') || in.take('o'))
            return readRadix(in, 3);
        return 0.0;
    }
    return readDecimal(in);
}

std::optional<std::int16_t> acceptParameter(std::u16string_view answer, std::int16_t lower,
                                            std::int16_t upper)
{
    const std::optional<double> value = readNumber(answer);
    if (!value || *value < lower || *value > upper)
        return std::nullopt;
    return static_cast<std::int16_t>(std::floor(*value));
}

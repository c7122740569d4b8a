#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

// The shortest digits that read back as the same double (Dragonbox), through fmt's public
// formatting, used header-only: every compiler the program is built with writes numbers through
// this one copy.
#include <fmt/compile.h>
#include <fmt/format.h>

#include "decimal_digits.h"

namespace quadrell {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int OctalDigitValue(char c)
{
    return c >= '0' && c <= '7' ? c - '0' : -1;
}

// Walks a text for the lenient reading, stepping over blanks, tabs and line feeds wherever they
// stand, so the reader only ever sees the characters that can matter.
class LenientCursor {
public:
    explicit LenientCursor(std::string_view text) : text_(text) {}

    // The next meaningful character, or '\0' at the end.
    char peek()
    {
        while (at_ < text_.size() && IsSkipped(text_[at_]))
            ++at_;
        return at_ < text_.size() ? text_[at_] : '\0';
    }
    void advance() { ++at_; }
    std::size_t position() const { return at_; }
    void rewind(std::size_t position) { at_ = position; }

private:
    static bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

    std::string_view text_;
    std::size_t at_ = 0;
};

double ReadRadix(LenientCursor& cursor, int radix)
{
    const auto digitValue = radix == 16 ? HexDigitValue : OctalDigitValue;
    double value = 0.0;
    for (int digit = digitValue(cursor.peek()); digit >= 0; digit = digitValue(cursor.peek())) {
        value = value * radix + digit;
        cursor.advance();
    }
    return value;
}

double ReadRadixNumber(LenientCursor& cursor)
{
    cursor.advance();  // the '&'
    const char letter = cursor.peek();
    if (letter == 'H' || letter == 'h') {
        cursor.advance();
        return ReadRadix(cursor, 16);
    }
    if (letter == 'O' || letter == 'o') {
        cursor.advance();
        return ReadRadix(cursor, 8);
    }
    return 0.0;
}

bool IsExponentLetter(char c)
{
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// An exponent only counts when digits follow it: in "1e" or "1e+" the number ends before the "e".
void ReadLenientExponent(LenientCursor& cursor, DecimalDigits& digits)
{
    const std::size_t before = cursor.position();
    cursor.advance();
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        digits.setExponentNegative(cursor.peek() == '-');
        cursor.advance();
    }
    if (!IsDigit(cursor.peek())) {
        digits.setExponentNegative(false);
        cursor.rewind(before);
        return;
    }
    for (; IsDigit(cursor.peek()); cursor.advance())
        digits.addExponentDigit(cursor.peek());
}

double ReadDecimalNumber(LenientCursor& cursor)
{
    DecimalDigits digits;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        digits.setNegative(cursor.peek() == '-');
        cursor.advance();
    }
    for (; IsDigit(cursor.peek()); cursor.advance())
        digits.addIntegerDigit(cursor.peek());
    if (cursor.peek() == '.') {
        cursor.advance();
        for (; IsDigit(cursor.peek()); cursor.advance())
            digits.addFractionDigit(cursor.peek());
    }
    if (!digits.hasDigits())
        return 0.0;
    if (IsExponentLetter(cursor.peek()))
        ReadLenientExponent(cursor, digits);
    return digits.toDouble().value;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Reads a run of digits from the front of `text` into `digits`; returns how many there were.
template <typename AddDigit>
std::size_t TakeDigits(std::string_view& text, AddDigit addDigit)
{
    std::size_t count = 0;
    while (count < text.size() && IsDigit(text[count]))
        addDigit(text[count++]);
    text.remove_prefix(count);
    return count;
}

bool TakeSign(std::string_view& text, bool& negative)
{
    if (text.empty() || (text.front() != '+' && text.front() != '-'))
        return false;
    negative = text.front() == '-';
    text.remove_prefix(1);
    return true;
}

int DigitCount(std::int64_t n)
{
    int count = 1;
    for (n = n < 0 ? -n : n; n >= 10; n /= 10)
        ++count;
    return count;
}

// `digits` times ten to the power `exponent`, at most zero, written out in full: "123", "1.23",
// "0.00123".
std::string FixedText(const std::string& digits, int exponent)
{
    const int count = static_cast<int>(digits.size());
    if (exponent == 0)
        return digits;
    if (count + exponent > 0)
        return digits.substr(0, static_cast<std::size_t>(count + exponent)) + '.' +
               digits.substr(static_cast<std::size_t>(count + exponent));
    return "0." + std::string(static_cast<std::size_t>(-(count + exponent)), '0') + digits;
}

// Every digit of `whole`, a whole double of at least 2^53: its 53-bit significand doubled as often
// as its binary exponent says, in base 10^9 so that a 64-bit product never overflows.
std::string ExactWholeText(double whole)
{
    int binaryExponent = 0;
    const double fraction = std::frexp(whole, &binaryExponent);
    const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    constexpr std::uint64_t Base = 1'000'000'000;
    std::vector<std::uint64_t> limbs{significand % Base, significand / Base % Base, significand / Base / Base};
    for (int doubling = binaryExponent - 53; doubling > 0; doubling -= 29) {
        const int shift = std::min(doubling, 29);
        std::uint64_t carry = 0;
        for (std::uint64_t& limb : limbs) {
            const std::uint64_t product = (limb << shift) + carry;
            limb = product % Base;
            carry = product / Base;
        }
        for (; carry > 0; carry /= Base)
            limbs.push_back(carry % Base);
    }
    while (limbs.size() > 1 && limbs.back() == 0)
        limbs.pop_back();
    std::string text = std::to_string(limbs.back());
    for (auto limb = limbs.rbegin() + 1; limb != limbs.rend(); ++limb) {
        const std::string part = std::to_string(*limb);
        text += std::string(9 - part.size(), '0') + part;
    }
    return text;
}

// The same number with one digit before the point and an exponent of at least two digits:
// "1.23e+04", "5e-324".
std::string ScientificText(const std::string& digits, int exponent)
{
    const int power = exponent + static_cast<int>(digits.size()) - 1;
    std::string text = digits.substr(0, 1);
    if (digits.size() > 1)
        text += '.' + digits.substr(1);
    text += power < 0 ? "e-" : "e+";
    if (power > -10 && power < 10)
        text += '0';
    return text + std::to_string(power < 0 ? -power : power);
}

// A number's digits, with neither leading nor trailing zeros, and the power of ten of the last
// of them: 0.0125 is {"125", -4}, 9.1e15 is {"91", 14}.
struct DecimalForm {
    std::string digits;
    int exponent = 0;
};

// The power of ten after the "e" of fmt's "1.5e+20" or "1e-05": a sign, then digits.
int WrittenPower(std::string_view afterE)
{
    int power = 0;
    std::from_chars(afterE.data() + 1, afterE.data() + afterE.size(), power);
    return afterE.front() == '-' ? -power : power;
}

// Zeros on the right only scale the number ("9100000000000000"), zeros on the left only pad it
// ("0.0125"): neither is a digit of its shortest form.
void DropOuterZeros(DecimalForm& decimal)
{
    std::string& digits = decimal.digits;
    for (; digits.size() > 1 && digits.back() == '0'; ++decimal.exponent)
        digits.pop_back();
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
}

// Reads the digits and their power back from fmt's text for a finite, positive number.
DecimalForm ReadWrittenNumber(std::string_view text)
{
    DecimalForm decimal;
    const std::size_t e = text.find('e');
    if (e != std::string_view::npos)
        decimal.exponent = WrittenPower(text.substr(e + 1));
    const std::string_view mantissa = text.substr(0, e);
    const std::size_t point = mantissa.find('.');
    if (point != std::string_view::npos)
        decimal.exponent -= static_cast<int>(mantissa.size() - point - 1);
    for (char c : mantissa)
        if (c != '.')
            decimal.digits += c;
    DropOuterZeros(decimal);
    return decimal;
}

// The shortest digits that read back as `magnitude`, a finite number of at least zero. fmt's
// "{}" writes exactly those digits, in full or with an exponent as it sees fit ("0.0125",
// "9100000000000000", "1.5e+20"); the digits and their power are read back from its text.
DecimalForm ShortestDecimal(double magnitude)
{
    char buffer[32];  // the longest, "2.2250738585072014e-308", takes 23
    const auto written = fmt::format_to_n(buffer, sizeof buffer, FMT_COMPILE("{}"), magnitude);
    return ReadWrittenNumber(std::string_view(buffer, std::min(written.size, sizeof buffer)));
}

// The shortest text that reads back as `value`, laid out as std::to_chars lays it out without a
// format: in full or in scientific notation, whichever is shorter, in full when they tie.
std::string ShortestText(double value)
{
    const std::string sign = std::signbit(value) ? "-" : "";
    if (!std::isfinite(value))
        return sign + (std::isnan(value) ? "nan" : "inf");
    const DecimalForm decimal = ShortestDecimal(std::fabs(value));
    const std::string& digits = decimal.digits;
    const int count = static_cast<int>(digits.size());
    const int power = decimal.exponent + count - 1;
    const int fixedLength = decimal.exponent >= 0 ? count + decimal.exponent
                            : count + decimal.exponent > 0 ? count + 1
                                                            : 2 - decimal.exponent;
    const int scientificLength = count + (count > 1 ? 1 : 0) + 2 + std::max(2, DigitCount(power));
    if (fixedLength > scientificLength)
        return sign + ScientificText(digits, decimal.exponent);
    // A whole number written in full shows its exact value, every digit, as std::to_chars does:
    // 123456789012345683968, not the shortest digits padded with zeros.
    if (decimal.exponent > 0)
        return sign + ExactWholeText(std::fabs(value));
    return sign + FixedText(digits, decimal.exponent);
}

}  // namespace

double LeadingNumber(std::string_view text)
{
    LenientCursor cursor(text);
    if (cursor.peek() == '&')
        return ReadRadixNumber(cursor);
    return ReadDecimalNumber(cursor);
}

StrictResult StrictNumber(std::string_view text, const NumberFormat& format)
{
    const std::string_view separator = format.separator();
    const ConversionError notANumber{ConversionError::Reason::NotANumber};

    std::string_view rest = TrimBlanks(text);
    DecimalDigits digits;
    bool negative = false;
    TakeSign(rest, negative);
    digits.setNegative(negative);

    std::size_t mantissaDigits = TakeDigits(rest, [&](char d) { digits.addIntegerDigit(d); });
    if (rest.substr(0, separator.size()) == separator) {
        rest.remove_prefix(separator.size());
        mantissaDigits += TakeDigits(rest, [&](char d) { digits.addFractionDigit(d); });
    }
    if (mantissaDigits == 0)
        return notANumber;

    if (!rest.empty() && (rest.front() == 'E' || rest.front() == 'e')) {
        rest.remove_prefix(1);
        bool exponentNegative = false;
        TakeSign(rest, exponentNegative);
        digits.setExponentNegative(exponentNegative);
        if (TakeDigits(rest, [&](char d) { digits.addExponentDigit(d); }) == 0)
            return notANumber;
    }
    if (!rest.empty())
        return notANumber;

    const DecimalDigits::Result result = digits.toDouble();
    if (result.overflowed)
        return ConversionError{ConversionError::Reason::TooLarge};
    return result.value;
}

std::string NumberText(const Accumulator& total, const NumberFormat& format)
{
    if (total.empty())
        return {};

    const double value = total.value();
    char buffer[64];
    // Whole numbers a 64-bit integer holds exactly are written as that integer: same text, faster.
    if (std::trunc(value) == value && std::fabs(value) < 0x1p53) {
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(value));
        return std::string(buffer, written.ptr);
    }

    std::string text;
    for (char c : ShortestText(value)) {
        if (c == '.')
            text += format.separator();
        else
            text.push_back(c);
    }
    return text;
}

}  // namespace quadrell

#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>

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

    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);  // shortest round trip

    std::string text;
    for (const char* c = buffer; c != written.ptr; ++c) {
        if (*c == '.')
            text += format.separator();
        else
            text.push_back(*c);
    }
    return text;
}

}  // namespace quadrell

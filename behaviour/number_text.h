#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "accumulator.h"
#include "number_format.h"

namespace quadrell {

// Why a text is not a number.
struct ConversionError {
    enum class Reason { NotANumber, TooLarge };
    Reason reason = Reason::NotANumber;
};

// A strict reading: the number, or why there is none.
using StrictResult = std::variant<double, ConversionError>;

// Reads the longest leading part of `text` that forms a number and ignores the rest; a text with
// no number in front reads as 0. Blanks, tabs and line feeds are skipped anywhere ("1 2" is 12).
// The decimal point is always ".", whatever the locale. "E" or "D", in either case, starts an
// exponent. "&H" and "&O" start hexadecimal and octal numbers. Numbers beyond the range of a
// double read as plus or minus infinity. Never fails.
double LeadingNumber(std::string_view text);

// Reads the whole of `text` as a number written the way `format` writes numbers: optional
// surrounding blanks, an optional sign, digits with the locale's decimal separator and an
// optional exponent. Anything else, the empty text included, is a ConversionError, and so is a
// number too large for a double.
StrictResult StrictNumber(std::string_view text, const NumberFormat& format);

// The empty text for an empty total, otherwise the number in its shortest form: whole numbers
// without a decimal separator or exponent, a fraction with the locale's separator.
std::string NumberText(const Accumulator& total, const NumberFormat& format);

}  // namespace quadrell

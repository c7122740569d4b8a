#include "decimal_digits.h"

#include <charconv>
#include <cmath>
#include <limits>

// The reader libstdc++'s own from_chars is built on; every compiler the program is built with
// (g++, mingw-w64, emscripten's clang and libc++) reads through this one copy.
#include <fast_float/fast_float.h>

namespace quadrell {

namespace {

// Past this decimal exponent no double is reached; it only keeps the arithmetic in range.
constexpr std::int64_t ExponentCeiling = 1'000'000'000;

// Doubles end near 1.8e308 above and 4.9e-324 below; beyond these bounds the answer is known
// without rounding anything.
constexpr std::int64_t LargestUsefulExponent = 310;
constexpr std::int64_t SmallestUsefulExponent = -400;

}  // namespace

void DecimalDigits::addIntegerDigit(char digit)
{
    sawDigit_ = true;
    if (significant_.empty() && digit == '0')
        return;
    significant_.push_back(digit);
}

void DecimalDigits::addFractionDigit(char digit)
{
    sawDigit_ = true;
    --scale_;
    if (significant_.empty() && digit == '0')
        return;
    significant_.push_back(digit);
}

void DecimalDigits::addExponentDigit(char digit)
{
    exponent_ = exponent_ * 10 + (digit - '0');
    if (exponent_ > ExponentCeiling)
        exponent_ = ExponentCeiling;
}

DecimalDigits::Result DecimalDigits::toDouble() const
{
    const double sign = negative_ ? -1.0 : 1.0;
    if (significant_.empty())
        return {sign * 0.0, false};

    const std::int64_t power = scale_ + (exponentNegative_ ? -exponent_ : exponent_);
    const std::int64_t leadingPower = power + static_cast<std::int64_t>(significant_.size()) - 1;
    const Result overflow{sign * std::numeric_limits<double>::infinity(), true};
    if (leadingPower > LargestUsefulExponent)
        return overflow;
    if (leadingPower < SmallestUsefulExponent)
        return {sign * 0.0, false};

    // Whole numbers of up to 15 digits are exact in a double: no rounding, so no need to parse.
    if (power >= 0 && leadingPower < 15) {
        double whole = 0.0;
        for (char digit : significant_)
            whole = whole * 10 + (digit - '0');
        for (std::int64_t n = 0; n < power; ++n)
            whole *= 10;
        return {sign * whole, false};
    }

    // Short texts fit the string's own buffer, so reading them allocates nothing.
    std::string scientific = significant_;
    scientific.push_back('e');
    char buffer[24];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, power);
    scientific.append(buffer, written.ptr);

    double magnitude = 0.0;
    fast_float::from_chars(scientific.data(), scientific.data() + scientific.size(), magnitude);
    // The reader rounds what is too large to infinity and what is too small to zero.
    if (std::isinf(magnitude))
        return overflow;
    return {sign * magnitude, false};
}

}  // namespace quadrell

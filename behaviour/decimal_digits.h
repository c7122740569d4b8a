#pragma once

#include <cstdint>
#include <string>

namespace quadrell {

// The digits of a decimal number as a reader meets them, turned into the nearest double only at
// the end, so that every reading is correctly rounded whatever the length of the text.
class DecimalDigits {
public:
    struct Result {
        double value = 0.0;
        bool overflowed = false;  // too large for a double; value is then plus or minus infinity
    };

    void setNegative(bool negative) { negative_ = negative; }
    void addIntegerDigit(char digit);
    void addFractionDigit(char digit);
    void setExponentNegative(bool negative) { exponentNegative_ = negative; }
    void addExponentDigit(char digit);

    bool hasDigits() const { return sawDigit_; }
    Result toDouble() const;

private:
    std::string significant_;      // digits without leading zeros
    std::int64_t scale_ = 0;       // value = significant_ * 10^(scale_ + exponent)
    std::int64_t exponent_ = 0;    // saturates far beyond any double's range
    bool negative_ = false;
    bool exponentNegative_ = false;
    bool sawDigit_ = false;
};

}  // namespace quadrell

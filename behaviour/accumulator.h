#pragma once

#include <optional>

namespace quadrell {

// A running total that may still be empty: adding to an empty total gives the number added.
// "Nothing added yet" and "zero" are different things, and the decimal display tells them apart.
class Accumulator {
public:
    bool empty() const { return !total_.has_value(); }
    double value() const { return total_.value_or(0.0); }
    void add(double number) { total_ = total_.value_or(0.0) + number; }

private:
    std::optional<double> total_;
};

}  // namespace quadrell

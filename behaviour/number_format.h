#pragma once

#include <string>
#include <string_view>

namespace quadrell {

// How the user's regional settings write numbers. A front end reads it from the platform once;
// the behaviour only ever receives it as a value, so tests can pick any locale.
struct NumberFormat {
    std::string decimalSeparator = ".";

    // The separator to use: a format that names none falls back to the point.
    std::string_view separator() const
    {
        return decimalSeparator.empty() ? std::string_view(".") : std::string_view(decimalSeparator);
    }
};

}  // namespace quadrell

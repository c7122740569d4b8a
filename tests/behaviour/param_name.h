#pragma once

#include <cctype>
#include <string>

namespace quadrell::testing_support {

// A test name built from the case's text, readable in test listings: letters and digits are kept,
// everything else becomes '_'; the case's index makes it unique.
inline std::string ParamName(const std::string& text, std::size_t index)
{
    std::string name = "case" + std::to_string(index) + "_";
    for (char c : text.substr(0, 24))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

}  // namespace quadrell::testing_support

#pragma once

#include <cstddef>
#include <string_view>

namespace quadrell {

// The first `characters` characters of UTF-8 text, never cutting a character in two.
// Bytes that are not valid UTF-8 count as one character each.
std::string_view Utf8Prefix(std::string_view text, std::size_t characters);

}  // namespace quadrell

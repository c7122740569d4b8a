#include "utf8.h"

namespace quadrell {

namespace {

bool IsContinuationByte(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// How many bytes the character starting at `text[at]` occupies.
std::size_t CharacterLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t expected = 1;
    if ((lead & 0xE0) == 0xC0)
        expected = 2;
    else if ((lead & 0xF0) == 0xE0)
        expected = 3;
    else if ((lead & 0xF8) == 0xF0)
        expected = 4;

    std::size_t length = 1;
    while (length < expected && at + length < text.size()
           && IsContinuationByte(static_cast<unsigned char>(text[at + length])))
        ++length;
    return length == expected ? length : 1;
}

}  // namespace

std::string_view Utf8Prefix(std::string_view text, std::size_t characters)
{
    std::size_t at = 0;
    for (std::size_t counted = 0; counted < characters && at < text.size(); ++counted)
        at += CharacterLength(text, at);
    return text.substr(0, at);
}

}  // namespace quadrell

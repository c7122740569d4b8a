// Reads arbitrary bytes leniently. Besides crashes and undefined behaviour it checks two promises:
// the reading is never NaN, and blanks, tabs and line feeds make no difference wherever they stand.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = quadrell::LeadingNumber(text);
    if (std::isnan(value))
        std::abort();

    std::string squeezed;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            squeezed += c;
    if (quadrell::LeadingNumber(squeezed) != value)
        std::abort();
    return 0;
}

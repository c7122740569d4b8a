// Reads arbitrary bytes strictly, in an English and an Italian format. Every text accepted must
// read as a finite number, the same number the C library reads from it, and the Italian reading
// of the same text with its separator swapped must agree.
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "number_text.h"

namespace {

void CheckAgainstCLibrary(const std::string& text, double value)
{
    char* end = nullptr;
    const double reference = std::strtod(text.c_str(), &end);
    if (reference != value)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const quadrell::NumberFormat english{"."};
    const quadrell::NumberFormat italian{","};

    const quadrell::StrictResult reading = quadrell::StrictNumber(text, english);
    const double* value = std::get_if<double>(&reading);
    if (value == nullptr)
        return 0;
    if (!std::isfinite(*value) || text.find('\0') != std::string::npos)
        std::abort();
    CheckAgainstCLibrary(text, *value);  // the fuzzer runs in the "C" locale, where the point is "."

    std::string swapped = text;
    for (char& c : swapped)
        if (c == '.')
            c = ',';
    const quadrell::StrictResult italianReading = quadrell::StrictNumber(swapped, italian);
    const double* italianValue = std::get_if<double>(&italianReading);
    if (italianValue == nullptr || *italianValue != *value)
        std::abort();
    return 0;
}

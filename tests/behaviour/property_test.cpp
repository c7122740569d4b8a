#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <variant>

#include <gtest/gtest.h>

#include "number_text.h"
#include "state_probe.h"

namespace quadrell {
namespace {

using testing_support::BoxBits;
using testing_support::BoxByte;
using testing_support::BoxColours;
using testing_support::CountingState;

// Short texts drawn mostly from characters that mean something to the readers.
std::string RandomText(std::mt19937& random)
{
    static const std::string alphabet = "0123456789012345678901234567890123456789 .,-+eEdD&HhOoFfx";
    std::uniform_int_distribution<std::size_t> length(0, 5);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string text;
    for (std::size_t n = length(random); n > 0; --n)
        text += alphabet[pick(random)];
    return text;
}

// What the split entry asks for, worked out from the entry alone.
std::string ExpectedColours(const std::string& text2, const NumberFormat& format)
{
    int green = 0;
    if (!text2.empty()) {
        const StrictResult reading = StrictNumber(text2, format);
        if (const double* n = std::get_if<double>(&reading); n && *n > 0)
            green = static_cast<int>(std::min(8.0, std::floor(*n)));
    }
    return std::string(static_cast<std::size_t>(green), 'G') + std::string(static_cast<std::size_t>(8 - green), 'Y');
}

void DoRandomAction(CountingState& s, std::mt19937& random)
{
    switch (std::uniform_int_distribution<int>(0, 6)(random)) {
    case 0:
    case 1: s.state.userClicksBox(std::uniform_int_distribution<int>(0, 7)(random)); break;
    case 2: s.state.userEditsText1(RandomText(random)); break;
    case 3: s.state.userEditsText1(s.state.text1() + RandomText(random).substr(0, 1)); break;
    case 4: s.state.userEditsText2(RandomText(random)); break;
    case 5: s.state.userClicksText1(); break;
    default: s.state.userClicksCommand1(); break;
    }
}

void RunRandomSession(unsigned seed, const NumberFormat& format)
{
    CountingState s(format);
    std::mt19937 random(seed);
    for (int step = 0; step < 5000; ++step) {
        DoRandomAction(s, random);
        SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step) + ", text1 '"
                     + s.state.text1() + "', text2 '" + s.state.text2() + "'");
        const std::string bits = BoxBits(s.state);
        ASSERT_EQ(bits.find('?'), std::string::npos);
        ASSERT_EQ(s.state.label1(), bits);
        const int byte = BoxByte(s.state);
        ASSERT_EQ(s.state.label3(), byte == 0 ? "" : std::to_string(byte));
        ASSERT_LE(s.state.text1().size(), WindowState::Text1MaxLength);
        ASSERT_EQ(BoxColours(s.state), ExpectedColours(s.state.text2(), format));
    }
}

TEST(RandomSessions, DisplaysAgreeWithBoxesAfterEveryAction)
{
    for (unsigned seed : {1u, 2u, 3u, 20261208u})
        RunRandomSession(seed, NumberFormat{"."});
    RunRandomSession(7u, NumberFormat{","});
}

}  // namespace
}  // namespace quadrell

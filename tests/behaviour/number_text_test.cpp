#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "number_text.h"
#include "param_name.h"

namespace quadrell {
namespace {

const NumberFormat English{"."};
const NumberFormat Italian{","};
constexpr double Infinity = std::numeric_limits<double>::infinity();

struct LeadingCase {
    std::string text;
    double expected;
};

std::ostream& operator<<(std::ostream& out, const LeadingCase& c)
{
    return out << '"' << c.text << '"';
}

class LeadingNumberTest : public testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, ReadsTheLeadingNumber)
{
    EXPECT_EQ(LeadingNumber(GetParam().text), GetParam().expected) << "text: '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumberTest, testing::Values(
    LeadingCase{"", 0}, LeadingCase{"7", 7}, LeadingCase{"12a", 12}, LeadingCase{" 42", 42},
    LeadingCase{"-5", -5}, LeadingCase{"+5", 5}, LeadingCase{"1.5", 1.5}, LeadingCase{".5", 0.5},
    LeadingCase{"5.", 5}, LeadingCase{"1e2", 100}, LeadingCase{"1E2", 100}, LeadingCase{"1e+2", 100},
    LeadingCase{"1e-2", 0.01}, LeadingCase{"1d2", 100}, LeadingCase{"1D2", 100},
    LeadingCase{"1e", 1}, LeadingCase{"1e+", 1}, LeadingCase{"2ex", 2},
    LeadingCase{"&HF", 15}, LeadingCase{"&hff", 255}, LeadingCase{"&O7", 7}, LeadingCase{"&o17", 15},
    LeadingCase{"&O8", 0}, LeadingCase{"&H", 0}, LeadingCase{"&", 0}, LeadingCase{"&X1", 0},
    LeadingCase{"-&H5", 0}, LeadingCase{"abc", 0}, LeadingCase{"-", 0}, LeadingCase{".", 0},
    LeadingCase{"1 2", 12}, LeadingCase{"1\t2\n3", 123}, LeadingCase{"- 5", -5}, LeadingCase{"1 . 5", 1.5},
    LeadingCase{"1,5", 1}, LeadingCase{"1.2.3", 1.2}, LeadingCase{"007", 7}, LeadingCase{"0.1", 0.1},
    LeadingCase{"1e999", Infinity}, LeadingCase{"-1e999", -Infinity}, LeadingCase{"1e-999", 0},
    LeadingCase{"1e99999999999999999999999", Infinity}, LeadingCase{"0e999999", 0},
    LeadingCase{"\r5", 0}, LeadingCase{"1.7976931348623157e308", 1.7976931348623157e308},
    LeadingCase{"1.8e308", Infinity}, LeadingCase{"4.9e-324", 4.9e-324}),
    [](const auto& info) { return testing_support::ParamName(info.param.text, info.index); });

TEST(LeadingNumberLongTexts, StayCorrectlyRounded)
{
    // A long run of digits is still read to the nearest double, not accumulated digit by digit.
    EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1e401"), 1.0);
    EXPECT_EQ(LeadingNumber(std::string(400, '9')), Infinity);
    EXPECT_EQ(LeadingNumber("1" + std::string(300, '0')), 1e300);
    EXPECT_EQ(LeadingNumber("&H" + std::string(300, 'F')), Infinity);
}

struct StrictCase {
    std::string text;
    const NumberFormat* format;
    double expected;  // NaN: the text must be refused
};

std::ostream& operator<<(std::ostream& out, const StrictCase& c)
{
    return out << '"' << c.text << "\" with separator \"" << c.format->separator() << '"';
}

class StrictNumberTest : public testing::TestWithParam<StrictCase> {};

TEST_P(StrictNumberTest, ReadsWholeTextOrRefuses)
{
    const StrictCase& c = GetParam();
    const StrictResult result = StrictNumber(c.text, *c.format);
    if (std::isnan(c.expected)) {
        EXPECT_TRUE(std::holds_alternative<ConversionError>(result)) << "text: '" << c.text << "'";
    } else {
        ASSERT_TRUE(std::holds_alternative<double>(result)) << "text: '" << c.text << "'";
        EXPECT_EQ(std::get<double>(result), c.expected) << "text: '" << c.text << "'";
    }
}

constexpr double Refused = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(Texts, StrictNumberTest, testing::Values(
    StrictCase{"3", &English, 3}, StrictCase{" 3 ", &English, 3}, StrictCase{"\t3\t", &English, 3},
    StrictCase{"-1", &English, -1}, StrictCase{"+4", &English, 4}, StrictCase{"1e300", &English, 1e300},
    StrictCase{"2.5", &English, 2.5}, StrictCase{"2,5", &Italian, 2.5}, StrictCase{".5", &English, 0.5},
    StrictCase{"5.", &English, 5}, StrictCase{"1E3", &English, 1000}, StrictCase{"1e-3", &English, 0.001},
    StrictCase{"1e-999", &English, 0}, StrictCase{"007", &English, 7},
    StrictCase{"2,5", &English, Refused}, StrictCase{"2.5", &Italian, Refused},
    StrictCase{"abc", &English, Refused}, StrictCase{"3a", &English, Refused},
    StrictCase{"1e999", &English, Refused}, StrictCase{"-1e999", &English, Refused},
    StrictCase{"", &English, Refused}, StrictCase{"   ", &English, Refused}, StrictCase{"-", &English, Refused},
    StrictCase{"+", &English, Refused}, StrictCase{".", &English, Refused}, StrictCase{"1e", &English, Refused},
    StrictCase{"1e+", &English, Refused}, StrictCase{"e5", &English, Refused}, StrictCase{"nan", &English, Refused},
    StrictCase{"inf", &English, Refused}, StrictCase{"infinity", &English, Refused},
    StrictCase{"0x1p3", &English, Refused}, StrictCase{"&HF", &English, Refused}, StrictCase{"1 2", &English, Refused},
    StrictCase{"1d2", &English, Refused}, StrictCase{"--1", &English, Refused}, StrictCase{"1.000,5", &Italian, Refused},
    StrictCase{"3\n", &English, Refused}, StrictCase{std::string("3\0", 2), &English, Refused}),
    [](const auto& info) { return testing_support::ParamName(info.param.text, info.index); });

TEST(StrictNumberTooLarge, SaysWhy)
{
    const StrictResult result = StrictNumber("1e999", English);
    ASSERT_TRUE(std::holds_alternative<ConversionError>(result));
    EXPECT_EQ(std::get<ConversionError>(result).reason, ConversionError::Reason::TooLarge);
}

TEST(StrictNumberSeparator, MayBeLongerThanOneByte)
{
    const NumberFormat arabic{"\xD9\xAB"};  // the Arabic decimal separator, two bytes in UTF-8
    const StrictResult result = StrictNumber("2\xD9\xAB" "5", arabic);
    ASSERT_TRUE(std::holds_alternative<double>(result));
    EXPECT_EQ(std::get<double>(result), 2.5);
}

Accumulator Total(std::initializer_list<double> numbers)
{
    Accumulator total;
    for (double n : numbers)
        total.add(n);
    return total;
}

TEST(NumberTextTest, EmptyTotalIsEmptyTextNeverZero)
{
    EXPECT_EQ(NumberText(Accumulator{}, English), "");
    EXPECT_EQ(NumberText(Total({0}), English), "0");
}

TEST(NumberTextTest, WritesShortestForms)
{
    EXPECT_EQ(NumberText(Total({128}), English), "128");
    EXPECT_EQ(NumberText(Total({128, 64, 1}), English), "193");
    EXPECT_EQ(NumberText(Total({255}), Italian), "255");
    EXPECT_EQ(NumberText(Total({2.5}), English), "2.5");
    EXPECT_EQ(NumberText(Total({2.5}), Italian), "2,5");
    EXPECT_EQ(NumberText(Total({-3}), English), "-3");
}

// The text the standard library writes for `value`, the separator swapped in: how the program wrote
// every number before it had one writer for every compiler.
std::string StandardText(double value, const NumberFormat& format)
{
    char buffer[64];
    if (std::trunc(value) == value && std::fabs(value) < 0x1p53) {
        const auto whole = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(value));
        return std::string(buffer, whole.ptr);
    }
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text;
    for (const char* c = buffer; c != written.ptr; ++c)
        text += *c == '.' ? std::string(format.separator()) : std::string(1, *c);
    return text;
}

TEST(NumberTextTest, WritesEveryDoubleAsTheStandardLibraryDoes)
{
    // 9.1e15 and 1e-4 are written in full with zeros that are no digits of theirs, in scientific
    // notation by the standard library: "9.1e+15", "1e-04".
    std::vector<double> values{0.1, 1.0 / 3, 1e15, 1e16, 1e21, 1e22, 1e23, 123456789012345680000.0, 0x1p53,
                               0x1p60, -0x1p60, 9.1e15, 1e-5, 1e-4, 0.001, 1.5e-7, 5e-324, 2.2250738585072014e-308,
                               1.7976931348623157e308, -2.5, Infinity, -Infinity};
    std::mt19937_64 random(20240601);  // fixed: a failure names a value that fails again
    for (int n = 0; n < 200000; ++n) {
        const double value = std::bit_cast<double>(random());
        if (!std::isnan(value))
            values.push_back(value);
    }
    for (double value : values) {
        ASSERT_EQ(NumberText(Total({value}), English), StandardText(value, English)) << value;
        ASSERT_EQ(NumberText(Total({value}), Italian), StandardText(value, Italian)) << value;
    }
}

}  // namespace
}  // namespace quadrell

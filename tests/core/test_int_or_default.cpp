#include "project/IntOrDefault.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct IntCase {
    const char* name;
    std::string text;
    std::int32_t expected; // with the fallback -7
};

class IntOrDefaultCase : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntOrDefaultCase, Reads) {
    EXPECT_EQ(kt::IntOrDefault(GetParam().text, -7), GetParam().expected)
        << "text \"" << GetParam().text << "\"";
}

const IntCase kCases[] = {
    {"Zero", "0", 0},
    {"Decimal", "125", 125},
    {"LeadingZeros", "007", 7},
    {"LeadingBlanks", "   42", 42},
    {"PlusSign", "+42", 42},
    {"MinusSign", "-42", -42},
    {"BlanksThenSign", "  -3", -3},
    {"Int32Max", "2147483647", 2147483647},
    {"Int32Min", "-2147483648", INT32_MIN},
    {"DecimalAboveMax", "2147483648", -7},
    {"DecimalBelowMin", "-2147483649", -7},
    {"HugeDecimal", "99999999999999999999", -7},
    {"DollarHex", "$7FF", 2047},
    {"LowerXHex", "x1f", 31},
    {"UpperXHex", "X1F", 31},
    {"ZeroXHex", "0x7FF", 2047},
    {"ZeroUpperXHex", "0X7ff", 2047},
    {"HexMixedCase", "0xaBcD", 0xABCD},
    {"HexWithBlanksAndSign", "  -0x10", -16},
    {"PlusHex", "+$10", 16},
    {"HexLargestPositive", "0x7FFFFFFF", 2147483647},
    {"HexWrapsToNegative", "0x80000000", INT32_MIN},
    {"HexAllOnesIsMinusOne", "0xFFFFFFFF", -1},
    {"HexLeadingZerosKeepValue", "0x000000001", 1},
    {"HexAbove 32Bits", "0x100000000", -7},
    {"NegatedHexWraps", "-0x80000000", INT32_MIN},
    {"NegatedAllOnes", "-$FFFFFFFF", 1},
    {"Empty", "", -7},
    {"OnlyBlanks", "   ", -7},
    {"OnlySign", "-", -7},
    {"PrefixWithoutDigits", "0x", -7},
    {"DollarWithoutDigits", "$", -7},
    {"TrailingBlank", "12 ", -7},
    {"TrailingLetter", "12a", -7},
    {"BlankAfterSign", "- 5", -7},
    {"DoubleSign", "+-5", -7},
    {"LeadingTab", "\t5", -7},
    {"HexDigitInDecimal", "1F", -7},
    {"BadHexDigit", "0x1G", -7},
    {"DoublePrefix", "0x$5", -7},
    {"EmbeddedNul", std::string("5\0", 2), -7},
    {"Letters", "abc", -7},
    {"Fraction", "1.5", -7},
};

INSTANTIATE_TEST_SUITE_P(All, IntOrDefaultCase, ::testing::ValuesIn(kCases), [](const auto& row) {
    std::string n = row.param.name;
    std::erase(n, ' ');
    return n;
});

} // namespace

#include "engine/SystemFileChangeArguments.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void ExpectArguments(std::uint32_t code, std::string_view value, ChangeText text,
                     std::int32_t first, std::int32_t second) {
    const SystemFileChangeArguments arguments = SystemFileChangeArgumentsFor(code, value);
    EXPECT_EQ(arguments.text, text) << "code " << code << " value '" << value << "'";
    EXPECT_EQ(arguments.first, first) << "code " << code << " value '" << value << "'";
    EXPECT_EQ(arguments.second, second) << "code " << code << " value '" << value << "'";
}

} // namespace

TEST(SystemFileChangeArguments, TextCodesPassTheValueWithTheirFlag) {
    for (std::uint32_t code : {1u, 3u, 11u}) {
        ExpectArguments(code, "DEVICE=X.SYS", ChangeText::Value, 0, 0);
        ExpectArguments(code, "", ChangeText::Value, 0, 0);
        // A number in the value is not read for these codes.
        ExpectArguments(code, "42", ChangeText::Value, 0, 0);
    }
    for (std::uint32_t code : {2u, 4u, 10u}) {
        ExpectArguments(code, "X", ChangeText::Value, 1, 0);
        ExpectArguments(code, "42,7", ChangeText::Value, 1, 0);
    }
}

TEST(SystemFileChangeArguments, NumberCodesReadTheValueAsDecimal) {
    for (std::uint32_t code : {5u, 6u, 9u}) {
        ExpectArguments(code, "30", ChangeText::None, 30, 0);
        ExpectArguments(code, " \t-12abc", ChangeText::None, -12, 0);
        ExpectArguments(code, "FILES", ChangeText::None, 0, 0);
        ExpectArguments(code, "", ChangeText::None, 0, 0);
        ExpectArguments(code, "80,25", ChangeText::None, 80, 0);
    }
}

TEST(SystemFileChangeArguments, CharacterCodeTakesTheFirstByteSigned) {
    ExpectArguments(7, "Z", ChangeText::None, 'Z', 0);
    ExpectArguments(7, "zebra", ChangeText::None, 'z', 0);
    ExpectArguments(7, "", ChangeText::None, 0, 0);
    ExpectArguments(7, "\xE9", ChangeText::None, -23, 0);
    ExpectArguments(7, "\x80", ChangeText::None, -128, 0);
    ExpectArguments(7, "\x7F", ChangeText::None, 127, 0);
}

TEST(SystemFileChangeArguments, PairCodeSplitsAtTheFirstFieldsComma) {
    ExpectArguments(8, "80,25", ChangeText::None, 80, 25);
    ExpectArguments(8, "80", ChangeText::None, 80, 0);
    ExpectArguments(8, ",25", ChangeText::None, 25, 0);
    ExpectArguments(8, ",,,25,3", ChangeText::None, 25, 3);
    ExpectArguments(8, "80,,25", ChangeText::None, 80, 0);
    ExpectArguments(8, "80, 25", ChangeText::None, 80, 25);
    ExpectArguments(8, " 9 ,-4", ChangeText::None, 9, -4);
    ExpectArguments(8, "80,", ChangeText::None, 80, 0);
    ExpectArguments(8, ",,,", ChangeText::None, 0, 0);
    ExpectArguments(8, "", ChangeText::None, 0, 0);
    ExpectArguments(8, "x,y", ChangeText::None, 0, 0);
}

TEST(SystemFileChangeArguments, UnknownCodesPassNothing) {
    for (std::uint32_t code : {0u, 12u, 255u, 1701u}) {
        ExpectArguments(code, "80,25", ChangeText::None, 0, 0);
    }
}

TEST(DecimalReader, BlanksSignAndDigits) {
    EXPECT_EQ(ReadDecimal("123"), 123);
    EXPECT_EQ(ReadDecimal("+123"), 123);
    EXPECT_EQ(ReadDecimal("-123"), -123);
    EXPECT_EQ(ReadDecimal(" \t\n\v\f\r7"), 7);
    EXPECT_EQ(ReadDecimal("007x9"), 7);
    // One sign only, and nothing between the sign and the digits.
    EXPECT_EQ(ReadDecimal("--5"), 0);
    EXPECT_EQ(ReadDecimal("+-5"), 0);
    EXPECT_EQ(ReadDecimal("- 5"), 0);
    EXPECT_EQ(ReadDecimal("-"), 0);
    EXPECT_EQ(ReadDecimal(""), 0);
    EXPECT_EQ(ReadDecimal("   "), 0);
    // A blank that is not in the list ends the reading.
    EXPECT_EQ(ReadDecimal("\xA0"
                          "5"),
              0);
}

TEST(DecimalReader, StopsAtTheEndOfItsInput) {
    const std::string text = "12345";
    EXPECT_EQ(ReadDecimal(std::string_view(text).substr(0, 2)), 12);
    EXPECT_EQ(ReadDecimal(std::string_view(text).substr(0, 0)), 0);
}

TEST(DecimalReader, NumbersBeyondThirtyTwoBitsStopAtTheLimits) {
    EXPECT_EQ(ReadDecimal("2147483647"), 2147483647);
    EXPECT_EQ(ReadDecimal("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ReadDecimal("2147483648"), 2147483647);
    EXPECT_EQ(ReadDecimal("-2147483649"), -2147483647 - 1);
    EXPECT_EQ(ReadDecimal(std::string(300, '9')), 2147483647);
    EXPECT_EQ(ReadDecimal("-" + std::string(300, '9')), -2147483647 - 1);
}

#include "ui/ThousandsGrouping.h"

#include <gtest/gtest.h>

TEST(GroupThousands, CommaBetweenGroupsOfThreeFromTheRight) {
    EXPECT_EQ(GroupThousands(0, ","), "0");
    EXPECT_EQ(GroupThousands(7, ","), "7");
    EXPECT_EQ(GroupThousands(999, ","), "999");
    EXPECT_EQ(GroupThousands(1000, ","), "1,000");
    EXPECT_EQ(GroupThousands(12345, ","), "12,345");
    EXPECT_EQ(GroupThousands(123456, ","), "123,456");
    EXPECT_EQ(GroupThousands(1234567, ","), "1,234,567");
    EXPECT_EQ(GroupThousands(100000000, ","), "100,000,000");
}

TEST(GroupThousands, LargestValueKeepsAllTenDigits) {
    EXPECT_EQ(GroupThousands(4294967295u, ","), "4,294,967,295");
}

TEST(GroupThousands, EmptySettingGivesPlainDigits) {
    EXPECT_EQ(GroupThousands(1234567, ""), "1234567");
    EXPECT_EQ(GroupThousands(4294967295u, ""), "4294967295");
    EXPECT_EQ(GroupThousands(999, ""), "999");
}

TEST(GroupThousands, AnySeparatorCharacterIsUsedAsItIs) {
    EXPECT_EQ(GroupThousands(1234567, "."), "1.234.567");
    EXPECT_EQ(GroupThousands(1234567, " "), "1 234 567");
    EXPECT_EQ(GroupThousands(1234567, "'"), "1'234'567");
    EXPECT_EQ(GroupThousands(1000, "\xA0"), "1\xA0"
                                            "000");
}

TEST(GroupThousands, OnlyTheFirstCharacterOfTheSettingCounts) {
    EXPECT_EQ(GroupThousands(1234567, ".,"), "1.234.567");
    EXPECT_EQ(GroupThousands(1234567, std::string_view("\0,", 2)), "1234567");
}

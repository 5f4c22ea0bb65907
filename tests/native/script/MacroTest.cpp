#include "script/PathMacros.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const MacroValues kValues{
    .sourceDirectory = "A:\\",
    .windowsDirectory = "C:\\WINDOWS",
    .systemDirectory = "C:\\WINDOWS\\SYSTEM",
    .destinationDirectory = "C:\\APP",
    .programFilesDirectory = "C:\\Program Files",
};

std::string Expand(std::string_view text, const MacroValues& values = kValues) {
    FixedText field(text);
    ExpandMacros(field, values);
    return field.Str();
}

} // namespace

TEST(ExpandMacros, EachMacroInsertsItsDirectory) {
    EXPECT_EQ(Expand("?W\\KXUN32.EXE"), "C:\\WINDOWS\\KXUN32.EXE");
    EXPECT_EQ(Expand("?Y\\X.DLL"), "C:\\WINDOWS\\SYSTEM\\X.DLL");
    EXPECT_EQ(Expand("?D\\README.TXT"), "C:\\APP\\README.TXT");
    EXPECT_EQ(Expand("?F\\App"), "C:\\Program Files\\App");
    EXPECT_EQ(Expand("a?Pb"), "ab");
    EXPECT_EQ(Expand("?P"), "");
}

TEST(ExpandMacros, SourceDropsItsTrailingBackslash) {
    EXPECT_EQ(Expand("?S"), "A:");
    EXPECT_EQ(Expand("?S\\SETUP.INF"), "A:\\SETUP.INF");
    MacroValues deeper = kValues;
    deeper.sourceDirectory = "Z:\\disks\\disk2\\";
    EXPECT_EQ(Expand("?S\\X", deeper), "Z:\\disks\\disk2\\X");
}

TEST(ExpandMacros, UnknownLettersAndLoneMarksStay) {
    EXPECT_EQ(Expand("?x"), "?x");
    EXPECT_EQ(Expand("?Q"), "?Q");
    EXPECT_EQ(Expand("?w\\a"), "?w\\a") << "letters are case-sensitive";
    EXPECT_EQ(Expand("end?"), "end?");
    EXPECT_EQ(Expand("?"), "?");
    EXPECT_EQ(Expand("??D"), "?C:\\APP");
    EXPECT_EQ(Expand("??W"), "?C:\\WINDOWS");
}

TEST(ExpandMacros, TextsWithoutMacrosAreUntouched) {
    EXPECT_EQ(Expand(""), "");
    EXPECT_EQ(Expand("C:\\PLAIN\\PATH"), "C:\\PLAIN\\PATH");
}

TEST(ExpandMacros, SeveralMacrosInOneText) {
    EXPECT_EQ(Expand("?D;?W;?S;?Y"), "C:\\APP;C:\\WINDOWS;A:;C:\\WINDOWS\\SYSTEM");
}

TEST(ExpandMacros, ReplacementsAreNotExpandedAgain) {
    MacroValues tricky = kValues;
    tricky.destinationDirectory = "C:\\?W";
    EXPECT_EQ(Expand("?D", tricky), "C:\\?W");
}

TEST(ExpandMacros, OverlongExpansionIsCutToTheField) {
    MacroValues wide = kValues;
    const std::string longDirectory(200, 'd');
    wide.destinationDirectory = longDirectory;
    FixedText field("?D\\?D\\?D\\?D\\?D\\?D");
    EXPECT_FALSE(ExpandMacros(field, wide));
    EXPECT_EQ(field.View().size(), FixedText::kMaxLength);
    EXPECT_EQ(field.View(), (longDirectory + "\\" + longDirectory).substr(0, 255));
    EXPECT_EQ(field.CStr()[FixedText::kMaxLength], '\0');

    // Far beyond any fixed work buffer: 127 macros of 255 characters each.
    const std::string widest(255, 'e');
    wide.destinationDirectory = widest;
    std::string many;
    while (many.size() + 2 <= FixedText::kMaxLength) {
        many += "?D";
    }
    FixedText crowded(many);
    EXPECT_FALSE(ExpandMacros(crowded, wide));
    EXPECT_EQ(crowded.View(), std::string(255, 'e'));
}

TEST(ExpandMacros, ExactlyFullExpansionIsKept) {
    MacroValues wide = kValues;
    const std::string nearlyFull(253, 'f');
    wide.destinationDirectory = nearlyFull;
    FixedText field("?D\\g");
    EXPECT_TRUE(ExpandMacros(field, wide));
    EXPECT_EQ(field.View().size(), 255u);
}

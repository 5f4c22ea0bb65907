#include "integration/RegistryPath.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

// The root names in the order of the string table, as SETUP.EXE loads them.
const std::array<std::string, 6> kRootNames = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE",
    "HKEY_USERS",        "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA",
};

void ExpectSplit(std::string_view keyPath, std::string_view root, std::string_view subKey) {
    const std::optional<RegistryPathParts> parts = SplitRegistryPath(keyPath);
    ASSERT_TRUE(parts.has_value()) << keyPath;
    EXPECT_EQ(parts->rootName, root) << keyPath;
    EXPECT_EQ(parts->subKey, subKey) << keyPath;
}

} // namespace

TEST(RegistryPath, RootAndSubKey) {
    ExpectSplit("[HKEY_LOCAL_MACHINE\\Software\\Example\\1.0]", "HKEY_LOCAL_MACHINE",
                "Software\\Example\\1.0");
    ExpectSplit("[HKEY_CURRENT_CONFIG\\System]", "HKEY_CURRENT_CONFIG", "System");
    // Without the closing bracket the sub-key runs to the end.
    ExpectSplit("[HKEY_USERS\\.DEFAULT\\X", "HKEY_USERS", ".DEFAULT\\X");
    // The sub-key is cut at its first closing bracket.
    ExpectSplit("[HKEY_USERS\\A]B]", "HKEY_USERS", "A");
}

TEST(RegistryPath, RootAloneHasAnEmptySubKey) {
    ExpectSplit("[HKEY_CLASSES_ROOT]", "HKEY_CLASSES_ROOT", "");
    ExpectSplit("[HKEY_CLASSES_ROOT", "HKEY_CLASSES_ROOT", "");
    ExpectSplit("[HKEY_CLASSES_ROOT\\]", "HKEY_CLASSES_ROOT", "");
    ExpectSplit("[HKEY_CLASSES_ROOT\\", "HKEY_CLASSES_ROOT", "");
}

TEST(RegistryPath, FirstCharacterIsSkippedUnread) {
    ExpectSplit("(HKEY_CLASSES_ROOT]", "HKEY_CLASSES_ROOT", "");
    ExpectSplit("xHKEY_LOCAL_MACHINE\\Software]", "HKEY_LOCAL_MACHINE", "Software");
    // Without its bracket the path loses the root name's first letter.
    ExpectSplit("HKEY_USERS\\.DEFAULT", "KEY_USERS", ".DEFAULT");
    // A backslash in first place is skipped too: the rest has none, so the name ends at "]".
    ExpectSplit("\\HKEY_USERS]", "HKEY_USERS", "");
}

TEST(RegistryPath, SeparatorsBeforeTheNameArePassedOver) {
    ExpectSplit("[\\\\HKEY_CURRENT_USER\\Software]", "HKEY_CURRENT_USER", "Software");
    ExpectSplit("[]]HKEY_DYN_DATA]", "HKEY_DYN_DATA", "");
    // Only the separator that ended the name is dropped from the sub-key.
    ExpectSplit("[HKEY_CURRENT_USER\\\\Software]", "HKEY_CURRENT_USER", "\\Software");
}

TEST(RegistryPath, WithABackslashTheNameEndsOnlyAtIt) {
    ExpectSplit("[HKEY_CLASSES_ROOT]\\x]", "HKEY_CLASSES_ROOT]", "x");
}

TEST(RegistryPath, NoNameFails) {
    EXPECT_FALSE(SplitRegistryPath(""));
    EXPECT_FALSE(SplitRegistryPath("["));
    EXPECT_FALSE(SplitRegistryPath("[]"));
    EXPECT_FALSE(SplitRegistryPath("[]]]"));
    EXPECT_FALSE(SplitRegistryPath("[\\"));
    EXPECT_FALSE(SplitRegistryPath("[\\\\\\"));
}

TEST(RegistryRoot, NamesMatchWithoutRegardToCase) {
    for (std::size_t i = 0; i < kRootNames.size(); ++i) {
        EXPECT_EQ(FindRegistryRoot(kRootNames[i], kRootNames), i);
    }
    EXPECT_EQ(FindRegistryRoot("hkey_local_machine", kRootNames), 2u);
    EXPECT_EQ(FindRegistryRoot("Hkey_Dyn_Data", kRootNames), 5u);
}

TEST(RegistryRoot, UnknownNamesMatchNothing) {
    EXPECT_FALSE(FindRegistryRoot("KEY_USERS", kRootNames));
    EXPECT_FALSE(FindRegistryRoot("HKLM", kRootNames));
    EXPECT_FALSE(FindRegistryRoot("HKEY_USERS ", kRootNames));
    EXPECT_FALSE(FindRegistryRoot("HKEY_CLASSES_ROOT]", kRootNames));
    EXPECT_FALSE(FindRegistryRoot("", kRootNames));
    EXPECT_FALSE(FindRegistryRoot("HKEY_USERS", std::span<const std::string>{}));
}

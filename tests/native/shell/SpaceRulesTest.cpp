#include "shell/SpaceRules.h"

#include <gtest/gtest.h>

namespace {

constexpr char kFormat[] =
    "Drive %s contains %ld KB of free disk space.\nSetup requires a minimum of %ld KB.";

} // namespace

TEST(SpaceCheck, EqualSpaceIsEnough) {
    EXPECT_TRUE(HasEnoughSpace(1000, 1000));
    EXPECT_TRUE(HasEnoughSpace(1001, 1000));
    EXPECT_FALSE(HasEnoughSpace(999, 1000));
    EXPECT_TRUE(HasEnoughSpace(0, 0));
}

TEST(SpaceCheck, FiguresPastFourGigabytesAreNotWrapped) {
    // 80 GB free does not read as 80 GB modulo 4 GB.
    const std::uint64_t free = 80'000'000'000ull;
    EXPECT_TRUE(HasEnoughSpace(free, 5'000'000'000ull));
    EXPECT_FALSE(HasEnoughSpace(4'294'967'296ull, 4'294'967'297ull));
    EXPECT_EQ(FormatSpaceMessage(kFormat, "D:", 4'294'967'296ull, 90'000'000'000ull),
              "Drive D: contains 4294967 KB of free disk space.\n"
              "Setup requires a minimum of 90000000 KB.");
}

TEST(SpaceCheck, MessageCountsKAsAThousandBytes) {
    EXPECT_EQ(FormatSpaceMessage(kFormat, "C:", 1'500'000, 2'000'999),
              "Drive C: contains 1500 KB of free disk space.\n"
              "Setup requires a minimum of 2000 KB.");
    EXPECT_EQ(FormatSpaceMessage(kFormat, "C:", 999, 1000),
              "Drive C: contains 0 KB of free disk space.\nSetup requires a minimum of 1 KB.");
}

TEST(SpaceCheck, DriveRootsGetTheirBackslashForTheQueryOnly) {
    EXPECT_EQ(SpaceQueryRoot("C:"), "C:\\");
    EXPECT_EQ(SpaceQueryRoot("C:\\"), "C:\\");
    // The query fails for a share without its backslash, which would read as no free space.
    EXPECT_EQ(SpaceQueryRoot("\\\\SERVER\\SHARE"), "\\\\SERVER\\SHARE\\");
    EXPECT_EQ(SpaceQueryRoot(""), "");
    EXPECT_EQ(SpaceMessageDrive("C:"), "C:");
    EXPECT_EQ(SpaceMessageDrive("C:\\"), "C:");
    // One backslash only.
    EXPECT_EQ(SpaceMessageDrive("\\\\SERVER\\SHARE\\\\"), "\\\\SERVER\\SHARE\\");
    EXPECT_EQ(FormatSpaceMessage("%s|%ld|%ld", "C:\\", 0, 0), "C:|0|0");
}

TEST(SpaceCheck, FormatTakesArgumentsInOrderAndKeepsTheRest) {
    EXPECT_EQ(FormatWithTexts("%s and %d, %u, %ld, %lu", {"a", "1", "2", "3", "4"}),
              "a and 1, 2, 3, 4");
    EXPECT_EQ(FormatWithTexts("100%% of %s", {"C:"}), "100% of C:");
    // Unknown conversions and a lone percent sign at the end are copied; missing arguments
    // leave nothing.
    EXPECT_EQ(FormatWithTexts("%x %s %s %", {"one"}), "%x one  %");
    EXPECT_EQ(FormatWithTexts("%lx", {"one"}), "%lx");
    EXPECT_EQ(FormatWithTexts("", {"unused"}), "");
}

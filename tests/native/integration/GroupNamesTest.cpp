#include "integration/GroupNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;
using Names = std::vector<std::string>;

TEST(GroupNames, CrLfLinesGiveNamesWithoutCarriageReturns) {
    EXPECT_EQ(SplitGroupNames("Accessories\r\nGames\r\nStartup\r\n"),
              (Names{"Accessories", "Games", "Startup"}));
    // The last line may lack its line end; names keep their inner blanks and commas.
    EXPECT_EQ(SplitGroupNames("Main Group\r\nTools, Old"), (Names{"Main Group", "Tools, Old"}));
    EXPECT_EQ(SplitGroupNames("Unix\nStyle\n"), (Names{"Unix", "Style"}));
}

TEST(GroupNames, EmptyLinesArePassedOver) {
    EXPECT_EQ(SplitGroupNames(""), Names{});
    EXPECT_EQ(SplitGroupNames("\r\n\r\n"), Names{});
    EXPECT_EQ(SplitGroupNames("\n\nA\r\n\r\n\nB\r\n"), (Names{"A", "B"}));
}

TEST(GroupNames, LineIsCutAtItsLastCarriageReturn) {
    EXPECT_EQ(SplitGroupNames("A\rB\r\n"), Names{"A\rB"});
    EXPECT_EQ(SplitGroupNames("A\r\r\n"), Names{"A\r"}); // only the last one goes
    EXPECT_EQ(SplitGroupNames("A\rtail\n"), Names{"A"});
}

TEST(GroupNames, AnswerEndsAtItsNulOrItsSize) {
    // Data handles often carry the terminating NUL and whatever follows it.
    EXPECT_EQ(SplitGroupNames("One\r\nTwo\r\n\0Garbage\r\n"s), (Names{"One", "Two"}));
    EXPECT_EQ(SplitGroupNames("\0One\r\n"s), Names{});
    // Without a NUL the given size is the end: nothing past it is read.
    const char buffer[] = {'A', '\r', '\n', 'B', 'C', 'X'};
    EXPECT_EQ(SplitGroupNames(std::string_view(buffer, 5)), (Names{"A", "BC"}));
}

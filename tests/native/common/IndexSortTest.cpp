#include "common/AsciiCase.h"
#include "common/IndexSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <vector>

TEST(IndexSort, OrdersManyIndicesAsAStableSortOfTheirKeysWould) {
    // More than a handful, so that the sort partitions instead of only inserting.
    std::vector<int> keys;
    for (int i = 0; i < 200; ++i) {
        keys.push_back((i * 37) % 11);
    }
    std::vector<std::size_t> sorted(keys.size());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        sorted[i] = i;
    }
    std::vector<std::size_t> expected = sorted;
    SortIndices(sorted, [&](std::size_t a, std::size_t b) {
        return keys[a] != keys[b] ? keys[a] > keys[b] : a < b;
    });
    std::stable_sort(expected.begin(), expected.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] > keys[b]; });
    EXPECT_EQ(expected, sorted);
}

TEST(AsciiCase, SameTextIgnoresTheCaseOfAsciiLettersOnly) {
    EXPECT_TRUE(SameAsciiText("Program Files\\Sample", "PROGRAM FILES\\sample"));
    EXPECT_TRUE(SameAsciiText("", ""));
    EXPECT_FALSE(SameAsciiText("Setup", "Setup "));
    EXPECT_FALSE(SameAsciiText("[", "{")); // one apart as '[' and '{' are, but not letters
    EXPECT_FALSE(SameAsciiText("\xE9t\xE9", "\xC9T\xC9"));
}

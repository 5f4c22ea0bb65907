#include "common/UniqueHandle.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> g_closed;

void CloseFake(int handle) {
    g_closed.push_back(handle);
}

using FakeHandle = UniqueHandle<int, &CloseFake>;
using FakeLzHandle = UniqueHandle<int, &CloseFake, NegativeIsInvalid>;
using FakeFileHandle = UniqueHandle<int, &CloseFake, AllBitsSetIsInvalid>;

class UniqueHandleTest : public ::testing::Test {
protected:
    void SetUp() override { g_closed.clear(); }
};

} // namespace

TEST_F(UniqueHandleTest, ClosesOnceWhenTheOwnerEnds) {
    {
        FakeHandle handle(7);
        EXPECT_TRUE(handle.valid());
        EXPECT_EQ(handle.get(), 7);
    }
    EXPECT_EQ(g_closed, std::vector<int>{7});
}

TEST_F(UniqueHandleTest, MoveHandsOwnershipOver) {
    {
        FakeHandle first(7);
        FakeHandle second(std::move(first));
        EXPECT_FALSE(first.valid());
        FakeHandle third(9);
        third = std::move(second);
        EXPECT_EQ(g_closed, std::vector<int>{9});
        EXPECT_EQ(third.get(), 7);
    }
    EXPECT_EQ(g_closed, (std::vector<int>{9, 7}));
}

TEST_F(UniqueHandleTest, ReleaseGivesUpWithoutClosing) {
    {
        FakeHandle handle(7);
        EXPECT_EQ(handle.release(), 7);
        EXPECT_FALSE(handle.valid());
    }
    EXPECT_TRUE(g_closed.empty());
}

TEST_F(UniqueHandleTest, ResetClosesTheOldHandle) {
    FakeHandle handle(7);
    handle.reset(8);
    EXPECT_EQ(g_closed, std::vector<int>{7});
    handle.reset();
    EXPECT_EQ(g_closed, (std::vector<int>{7, 8}));
    EXPECT_FALSE(handle.valid());
}

TEST_F(UniqueHandleTest, InvalidValuesAreNeverClosed) {
    {
        FakeHandle null(0);
        FakeLzHandle lzError(-3);
        FakeFileHandle invalidFile(-1);
        EXPECT_FALSE(null.valid());
        EXPECT_FALSE(lzError.valid());
        EXPECT_FALSE(invalidFile.valid());
        FakeLzHandle lzZero(0);
        FakeFileHandle fileZero(0);
        EXPECT_TRUE(lzZero.valid());
        EXPECT_TRUE(fileZero.valid());
    }
    EXPECT_EQ(g_closed, (std::vector<int>{0, 0}));
}

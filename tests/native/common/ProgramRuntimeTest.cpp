// The runtime pieces that SETUP.EXE and KXUN32.EXE define themselves (common/ProgramRuntime.cpp),
// linked into this program of their own as into those two: what the runtime would throw ends
// the program with the library's text and an exit code of the system's.
#include <gtest/gtest.h>

#include <cstddef>
#include <new>
#include <vector>

namespace {

// The system's "not enough memory" and "internal error", as this system's exit status keeps
// them (its low byte).
constexpr int kOutOfMemory = 8;
constexpr int kLibraryFault = 1359 & 0xFF;

} // namespace

TEST(ProgramRuntimeDeathTest, LibraryErrorsEndTheProgramWithTheLibrarysText) {
    EXPECT_EXIT(std::__throw_length_error("vector::reserve"),
                ::testing::ExitedWithCode(kLibraryFault), "vector::reserve");
    EXPECT_EXIT(std::__throw_out_of_range_fmt("%s: out of range", "vector::at"),
                ::testing::ExitedWithCode(kLibraryFault), "out of range");
}

TEST(ProgramRuntimeDeathTest, TheLibrarysOwnChecksEndTheProgram) {
    std::vector<int> numbers;
    EXPECT_EXIT(numbers.reserve(numbers.max_size() + std::size_t{1}),
                ::testing::ExitedWithCode(kLibraryFault), "vector::reserve");
}

TEST(ProgramRuntimeDeathTest, AnAllocationThatFailsEndsTheProgramAsOutOfMemory) {
    EXPECT_EXIT(static_cast<void>(::operator new(static_cast<std::size_t>(-1) / 2)),
                ::testing::ExitedWithCode(kOutOfMemory), "out of memory");
    EXPECT_EXIT(std::__throw_bad_alloc(), ::testing::ExitedWithCode(kOutOfMemory), "bad_alloc");
}

TEST(ProgramRuntimeTest, NoThrowAllocationsGiveNullInstead) {
    void* memory = ::operator new(static_cast<std::size_t>(-1) / 2, std::nothrow);
    EXPECT_EQ(memory, nullptr);
    ::operator delete(memory, std::nothrow);
    int* number = new int(7);
    EXPECT_EQ(*number, 7);
    delete number;
}

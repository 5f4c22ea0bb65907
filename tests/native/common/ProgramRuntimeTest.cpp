// The runtime pieces that SETUP.EXE and KXUN32.EXE define themselves (common/ProgramRuntime.cpp),
// linked into this program of their own as into those two: the library's errors carry the
// library's texts, the allocation errors stay what they were.
#include <gtest/gtest.h>

#include <cstddef>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// what() of the std::exception that action throws; empty when it throws nothing.
template <typename Action> std::string TextThrownBy(Action action) {
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return {};
}

} // namespace

TEST(ProgramRuntimeTest, LibraryErrorsCarryTheLibrarysText) {
    EXPECT_EQ(TextThrownBy([] { std::__throw_length_error("vector::reserve"); }),
              "vector::reserve");
    EXPECT_EQ(TextThrownBy([] { std::__throw_logic_error("basic_string: null"); }),
              "basic_string: null");
    EXPECT_EQ(TextThrownBy([] { std::__throw_runtime_error("runtime"); }), "runtime");
}

TEST(ProgramRuntimeTest, TheLibrarysOwnChecksThrowThem) {
    std::vector<int> numbers;
    EXPECT_EQ(TextThrownBy([&] { numbers.reserve(numbers.max_size() + std::size_t{1}); }),
              "vector::reserve");
}

TEST(ProgramRuntimeTest, OutOfRangeTextsAreFormattedAsTheLibraryDoes) {
    EXPECT_EQ(TextThrownBy([] {
                  std::__throw_out_of_range_fmt(
                      "%s: __pos (which is %zu) > this->size() (which is %zu)",
                      "basic_string::substr", std::size_t{5}, std::size_t{3});
              }),
              "basic_string::substr: __pos (which is 5) > this->size() (which is 3)");
    // Stray marks stand as they are (a format of the library's own never has them).
    static char stray[] = "100%% %q %z %";
    EXPECT_EQ(TextThrownBy([] { std::__throw_out_of_range_fmt(stray); }), "100% %q %z %");
}

TEST(ProgramRuntimeTest, AllocationErrorsKeepTheirTypes) {
    EXPECT_THROW(std::__throw_bad_alloc(), std::bad_alloc);
    EXPECT_THROW(std::__throw_bad_array_new_length(), std::bad_array_new_length);
}

TEST(ProgramRuntimeTest, TheErrorsAreThoseOfThisProgram) {
    // Thrown by the programs' definitions, not the library's: no std::logic_error.
    bool logicError = false;
    try {
        std::__throw_length_error("vector::reserve");
    } catch (const std::logic_error&) {
        logicError = true;
    } catch (const std::exception&) {
    }
    EXPECT_FALSE(logicError);
}

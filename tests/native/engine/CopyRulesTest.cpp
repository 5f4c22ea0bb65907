#include "engine/CopyRules.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr std::uint8_t Mode(OverwriteMode mode) {
    return static_cast<std::uint8_t>(mode);
}

// Runs the decision with a comparison result and a user's answer, counting the calls.
struct Decision {
    int comparison = 0;
    std::uint32_t answer = 0;
    int comparisons = 0;
    int questions = 0;

    bool Run(std::uint8_t mode, RememberedChoice remembered = {}) {
        return Decide(mode, remembered) == ExistingFile::Replace;
    }

    ExistingFile Decide(std::uint8_t mode, RememberedChoice remembered = {}) {
        return ShouldReplaceExisting(
            mode, remembered,
            [this] {
                ++comparisons;
                return comparison;
            },
            [this] {
                ++questions;
                return answer;
            });
    }
};

} // namespace

TEST(OverwriteRules, IfOlderReplacesOnlyAnOlderFile) {
    Decision older{-1};
    EXPECT_TRUE(older.Run(Mode(OverwriteMode::IfOlder)));
    Decision same{0};
    EXPECT_FALSE(same.Run(Mode(OverwriteMode::IfOlder)));
    Decision newer{1};
    EXPECT_FALSE(newer.Run(Mode(OverwriteMode::IfOlder)));
    EXPECT_EQ(older.comparisons + same.comparisons + newer.comparisons, 3);
    EXPECT_EQ(older.questions + same.questions + newer.questions, 0);
}

TEST(OverwriteRules, NeverAlwaysAndUnknownModesDoNotCompareOrAsk) {
    for (int comparison : {-1, 0, 1}) {
        Decision decision{comparison, kChoiceReplace};
        EXPECT_FALSE(decision.Run(Mode(OverwriteMode::Never)));
        EXPECT_TRUE(decision.Run(Mode(OverwriteMode::Always)));
        for (std::uint8_t unknown : {0, 5, 200, 255}) {
            EXPECT_FALSE(decision.Run(unknown)) << int(unknown);
        }
        EXPECT_EQ(decision.comparisons, 0);
        EXPECT_EQ(decision.questions, 0);
    }
}

TEST(OverwriteRules, AskReplacesOnlyOnReplace) {
    Decision replace{0, kChoiceReplace};
    EXPECT_TRUE(replace.Run(Mode(OverwriteMode::Ask)));
    Decision keep{0, 5};
    EXPECT_FALSE(keep.Run(Mode(OverwriteMode::Ask)));
    // A dialog closed without a decision keeps the file.
    Decision undecided{0, 0};
    EXPECT_FALSE(undecided.Run(Mode(OverwriteMode::Ask)));
    EXPECT_EQ(replace.questions + keep.questions + undecided.questions, 3);
    EXPECT_EQ(replace.comparisons, 0);
}

TEST(OverwriteRules, AskAbortCancels) {
    Decision abort{0, kChoiceAbort};
    EXPECT_EQ(abort.Decide(Mode(OverwriteMode::Ask)), ExistingFile::Abort);
}

TEST(OverwriteRules, AskUsesTheChoiceRememberedForAllFiles) {
    Decision decision{0, kChoiceReplace};
    EXPECT_FALSE(decision.Run(Mode(OverwriteMode::Ask), {true, 5}));
    EXPECT_TRUE(decision.Run(Mode(OverwriteMode::Ask), {true, kChoiceReplace}));
    EXPECT_EQ(decision.questions, 0);
    EXPECT_EQ(decision.Decide(Mode(OverwriteMode::Ask), {true, kChoiceAbort}), ExistingFile::Abort);
    // A stored choice without the flag is not used: the user is asked again.
    EXPECT_TRUE(decision.Run(Mode(OverwriteMode::Ask), {false, 5}));
    EXPECT_EQ(decision.questions, 1);
}

TEST(VersionInstallResults, EachResultCallsForOneStep) {
    constexpr ReadOnlyCleared kNo = ReadOnlyCleared::No;
    EXPECT_EQ(NextVersionInstallStep(0, kNo), VersionInstallStep::Done);
    // Each in-use bit alone, and as Wine reports a file held open without sharing.
    for (std::uint32_t bit : {0x80u, 0x200u, 0x400u, 0x1000u, 0x2000u, 0x4000u, 0x1400u}) {
        EXPECT_EQ(NextVersionInstallStep(bit, kNo), VersionInstallStep::AskInUse) << bit;
        EXPECT_EQ(NextVersionInstallStep(bit | kVersionTempFile, kNo),
                  VersionInstallStep::AskInUse);
    }
    EXPECT_EQ(NextVersionInstallStep(0x40, kNo), VersionInstallStep::ClearReadOnly);
    EXPECT_EQ(NextVersionInstallStep(0x41, kNo), VersionInstallStep::ClearReadOnly);
    // In use wins over write protection.
    EXPECT_EQ(NextVersionInstallStep(0x40 | 0x400, kNo), VersionInstallStep::AskInUse);
    // Everything else is a failure whose word is the error: a source that cannot be read
    // (VIF_CANNOTREADSRC), an out-of-memory, a lone temporary-file bit, and the neighbours of
    // the in-use mask.
    for (std::uint32_t other :
         {0x1u, 0x2u, 0x100u, 0x800u, 0x8000u, 0x10000u, 0x20000u, 0x40000u, 0x80000000u}) {
        EXPECT_EQ(NextVersionInstallStep(other, kNo), VersionInstallStep::Fail) << other;
    }
}

TEST(VersionInstallResults, WriteProtectionAfterClearingTheAttributeFails) {
    constexpr ReadOnlyCleared kYes = ReadOnlyCleared::Yes;
    EXPECT_EQ(NextVersionInstallStep(0x40, kYes), VersionInstallStep::Fail);
    EXPECT_EQ(NextVersionInstallStep(0x41, kYes), VersionInstallStep::Fail);
    // The other answers do not depend on it.
    EXPECT_EQ(NextVersionInstallStep(0, kYes), VersionInstallStep::Done);
    EXPECT_EQ(NextVersionInstallStep(0x440, kYes), VersionInstallStep::AskInUse);
}

TEST(CompressedHeaders, OnlyAnSzFileWithoutItsWholeHeaderIsDamaged) {
    using namespace std::string_literals;
    const std::string header = "SZDD\x88\xF0\x27\x33"
                               "A\0\x10\0\0\0"s;
    // Whole: the expansion library reads it.
    EXPECT_FALSE(IsDamagedCompressedHeader(header, 14));
    EXPECT_FALSE(IsDamagedCompressedHeader(header, 4000));
    // Cut inside the header, down to its first two bytes.
    for (std::size_t length = 2; length < 14; ++length) {
        EXPECT_TRUE(IsDamagedCompressedHeader(header.substr(0, length), length)) << length;
    }
    // A whole header whose signature was damaged.
    std::string bent = header;
    bent[5] = 'X';
    EXPECT_TRUE(IsDamagedCompressedHeader(bent, 100));
    // Files stored as they are under a compressed name never begin with "SZ": an empty file,
    // one byte (even "S"), ordinary text.
    EXPECT_FALSE(IsDamagedCompressedHeader("", 0));
    EXPECT_FALSE(IsDamagedCompressedHeader("S", 1));
    EXPECT_FALSE(IsDamagedCompressedHeader("Sz and more text", 16));
    EXPECT_FALSE(IsDamagedCompressedHeader("x", 1));
}

TEST(CompressedHeaders, OnlyTheFullSignatureMarksAFileTheExpansionLibraryMayChange) {
    using namespace std::string_literals;
    const std::string header = "SZDD\x88\xF0\x27\x33"
                               "A\0\x10\0\0\0"s;
    EXPECT_TRUE(HasCompressedSignature(header));
    EXPECT_TRUE(HasCompressedSignature(header.substr(0, 8)));
    EXPECT_FALSE(HasCompressedSignature(header.substr(0, 7)));
    std::string bent = header;
    bent[7] = '\x34';
    EXPECT_FALSE(HasCompressedSignature(bent));
    EXPECT_FALSE(HasCompressedSignature(""));
    EXPECT_FALSE(HasCompressedSignature("SZDD plain text"));
}

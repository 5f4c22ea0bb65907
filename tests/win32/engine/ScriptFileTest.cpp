#include "TestFiles.h"
#include "FailureCode.h"
#include "engine/FileOperations.h"
#include "engine/LoadSetupScript.h"
#include "script/ScriptWriter.h"
#include "script/SetupError.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::uint32_t LoadErrorCode(const std::string& path) {
    SetupScript script;
    return FailureCode(LoadSetupScript(path.c_str(), script));
}

} // namespace

TEST(LoadSetupScript, ReadsAScriptThroughTheFileApi) {
    SetupScript script;
    script.productName = FixedText("Sample Product");
    script.directories.resize(1);
    script.directories[0].templatePath = FixedText("C:\\SAMPLE");
    const std::string path = TemporaryPath("loader-test.inf");
    ASSERT_TRUE(WriteFileBytes(path, WriteSetupScript(script)));

    SetupScript loaded;
    ASSERT_FALSE(LoadSetupScript(path.c_str(), loaded));
    EXPECT_EQ(loaded.productName.View(), "Sample Product");
    ASSERT_EQ(loaded.directories.size(), 1u);
    EXPECT_EQ(loaded.directories[0].path.View(), "C:\\SAMPLE");
    DeleteFileA(path.c_str());
}

TEST(LoadSetupScript, MissingFileGivesTheSystemErrorCode) {
    EXPECT_EQ(LoadErrorCode(TemporaryPath("no-such-script.inf")), ERROR_FILE_NOT_FOUND);
}

TEST(LoadSetupScript, DamagedFileGives8000) {
    SetupScript script;
    std::vector<std::uint8_t> bytes = WriteSetupScript(script);
    bytes[10] ^= 0x55;
    const std::string path = TemporaryPath("damaged.inf");
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    EXPECT_EQ(LoadErrorCode(path), static_cast<std::uint32_t>(kErrorBadScript));
    DeleteFileA(path.c_str());
}

TEST(LoadSetupScript, EmptyFileGives8000) {
    const std::string path = TemporaryPath("empty.inf");
    ASSERT_TRUE(WriteFileBytes(path, ""));
    EXPECT_EQ(LoadErrorCode(path), static_cast<std::uint32_t>(kErrorBadScript));
    DeleteFileA(path.c_str());
}

namespace {

UniqueFile* g_lockHolder = nullptr;
int g_promptCalls = 0;

// Answers the locked-file question with Retry after releasing the lock, as a user would
// after closing the other program.
int ReleaseAndRetry(const char*) {
    ++g_promptCalls;
    g_lockHolder->reset();
    return IDRETRY;
}

int AnswerIgnore(const char*) {
    ++g_promptCalls;
    return IDIGNORE;
}

} // namespace

TEST(LoadSetupScript, LockedFileIsOfferedForRetry) {
    const std::string path = TemporaryPath("locked.inf");
    ASSERT_TRUE(WriteFileBytes(path, WriteSetupScript(SetupScript{})));
    UniqueFile holder = HoldFile(path);
    ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
    g_lockHolder = &holder;

    g_promptCalls = 0;
    const auto previous = SetFileInUsePrompt(ReleaseAndRetry);
    EXPECT_EQ(LoadErrorCode(path), 0u);
    EXPECT_EQ(g_promptCalls, 1);

    holder = HoldFile(path);
    SetFileInUsePrompt(AnswerIgnore);
    EXPECT_EQ(LoadErrorCode(path), static_cast<std::uint32_t>(IDIGNORE));
    holder.reset();
    g_lockHolder = nullptr;
    SetFileInUsePrompt(previous);
    DeleteFileA(path.c_str());
}

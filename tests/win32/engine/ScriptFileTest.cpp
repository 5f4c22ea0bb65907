#include "engine/FileOperations.h"
#include "engine/LoadSetupScript.h"
#include "script/ScriptWriter.h"
#include "script/SetupError.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string TempPath(const char* name) {
    char directory[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, directory);
    return std::string(directory) + name;
}

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    CloseHandle(file);
}

std::uint32_t LoadErrorCode(const std::string& path) {
    try {
        LoadSetupScript(path.c_str());
    } catch (const SetupError& error) {
        return error.code();
    }
    return 0;
}

} // namespace

TEST(LoadSetupScript, ReadsAScriptThroughTheFileApi) {
    SetupScript script;
    script.productName = FixedText("Sample Product");
    script.directories.resize(1);
    script.directories[0].templatePath = FixedText("C:\\SAMPLE");
    const std::string path = TempPath("loader-test.inf");
    WriteFileBytes(path, WriteSetupScript(script));

    const SetupScript loaded = LoadSetupScript(path.c_str());
    EXPECT_EQ(loaded.productName.View(), "Sample Product");
    ASSERT_EQ(loaded.directories.size(), 1u);
    EXPECT_EQ(loaded.directories[0].path.View(), "C:\\SAMPLE");
    DeleteFileA(path.c_str());
}

TEST(LoadSetupScript, MissingFileGivesTheSystemErrorCode) {
    EXPECT_EQ(LoadErrorCode(TempPath("no-such-script.inf")), ERROR_FILE_NOT_FOUND);
}

TEST(LoadSetupScript, DamagedFileGives8000) {
    SetupScript script;
    std::vector<std::uint8_t> bytes = WriteSetupScript(script);
    bytes[10] ^= 0x55;
    const std::string path = TempPath("damaged.inf");
    WriteFileBytes(path, bytes);
    EXPECT_EQ(LoadErrorCode(path), static_cast<std::uint32_t>(kErrorBadScript));
    DeleteFileA(path.c_str());
}

TEST(LoadSetupScript, EmptyFileGives8000) {
    const std::string path = TempPath("empty.inf");
    WriteFileBytes(path, {});
    EXPECT_EQ(LoadErrorCode(path), static_cast<std::uint32_t>(kErrorBadScript));
    DeleteFileA(path.c_str());
}

namespace {

HANDLE g_lockHolder = INVALID_HANDLE_VALUE;
int g_promptCalls = 0;

// Answers the locked-file question with Retry after releasing the lock, as a user would
// after closing the other program.
int ReleaseAndRetry(const char*) {
    ++g_promptCalls;
    CloseHandle(g_lockHolder);
    g_lockHolder = INVALID_HANDLE_VALUE;
    return IDRETRY;
}

int AnswerIgnore(const char*) {
    ++g_promptCalls;
    return IDIGNORE;
}

} // namespace

TEST(LoadSetupScript, LockedFileIsOfferedForRetry) {
    const std::string path = TempPath("locked.inf");
    WriteFileBytes(path, WriteSetupScript(SetupScript{}));
    g_lockHolder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(g_lockHolder, INVALID_HANDLE_VALUE);

    g_promptCalls = 0;
    const auto previous = SetFileInUsePrompt(ReleaseAndRetry);
    EXPECT_EQ(LoadErrorCode(path), 0u);
    EXPECT_EQ(g_promptCalls, 1);

    g_lockHolder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    SetFileInUsePrompt(AnswerIgnore);
    EXPECT_EQ(LoadErrorCode(path), static_cast<std::uint32_t>(IDIGNORE));
    CloseHandle(g_lockHolder);
    SetFileInUsePrompt(previous);
    DeleteFileA(path.c_str());
}

#pragma once

#include "TestFiles.h"
#include "TestRegistry.h"
#include "engine/StandardDirectories.h"
#include "integration/InstallLog.h"
#include "integration/RemovalRecord.h"
#include "integration/RemovalRecordStore.h"
#include "script/PathMacros.h"
#include "script/ScriptModel.h"

#include <windows.h>

#include <ddeml.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

// The state the completion steps meet at the end of an installation: the program's module
// with its string table, the standard directories, a loaded script whose destination is a
// fresh scratch directory, a main window, and an install log open in the destination.
class CompletionTest : public ::testing::Test {
public:
    static constexpr const char* kProductName = "Completion Product";
    static constexpr const char* kSourceDirectory = "C:\\SOURCE\\";
    static constexpr const char* kScriptPath = "C:\\SOURCE\\SETUP.INF";

protected:
    void SetUp() override;
    void TearDown() override;

    // The values the path macros insert: the standard directories, the source directory and
    // the script's destination as it stands.
    MacroValues Macros() const;

    StandardDirectories directories;
    SetupScript script;
    InstallLog log;
    RemovalRecord record; // what the completion steps note for the removal

    // The lines written to the install log so far, without their CR LF.
    std::vector<std::string> LogLines() const;
    // The log's bytes as they are in the file.
    std::string LogBytes() const;

    std::string destination; // no trailing backslash
    std::string logPath;
    HWND mainWindow = nullptr;
};

// The same state as the program's own (g_setup), for the completion steps of the shell: the
// script, directories, main window and log move there.
class ShellCompletionTest : public CompletionTest {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Splits text at CR LF (a last line without one counts too).
std::vector<std::string> SplitCrLfLines(const std::string& text);

bool FileIsThere(const std::string& path);

// A registry value as it is stored.
struct StoredValue {
    DWORD type = REG_NONE;
    std::string bytes;
};

std::optional<StoredValue> QueryValue(HKEY root, const std::string& key, const std::string& name);

// The stored bytes of a REG_SZ text (with its NUL) and of a REG_DWORD or 4-byte number.
std::string TextBytes(const std::string& text);
std::string NumberBytes(std::uint32_t number);

// Deletes key and everything below it; nothing when it does not exist.
void DeleteKeyTree(HKEY root, const std::string& key);

// Every DDE execute transaction that the code under test sends while a recorder lives, taken
// from the program's import of DdeClientTransaction and passed on to the real one, so the
// shell still acts on it. refuseConnection makes DdeConnect find no server.
struct DdeExecute {
    std::string command; // the bytes sent, up to their first NUL
    DWORD size = 0;      // the byte count sent, its NUL included
    UINT format = 0;
    DWORD timeoutMs = 0;
    bool withoutItem = false;
};

class DdeRecorder {
public:
    DdeRecorder();
    ~DdeRecorder();
    DdeRecorder(const DdeRecorder&) = delete;
    DdeRecorder& operator=(const DdeRecorder&) = delete;

    std::vector<DdeExecute> executes;
    int connects = 0;
    bool refuseConnection = false;
};

// The program manager's folder of groups: Start Menu\Programs of the user.
std::string ProgramsFolder();

// ShowGroup opens a window of Wine's explorer on each group's folder: closes those windows
// (waiting up to five seconds for each to appear).
void CloseGroupWindows(const std::vector<std::string>& groups);

// Removes a group folder of the Start Menu with the files in it.
void RemoveGroupFolder(const std::string& group);

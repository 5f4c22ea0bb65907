#include "CompletionTestSupport.h"

#include "TestWindows.h"

#include "ImportHook.h"
#include "engine/StandardDirectories.h"
#include "shell/SetupState.h"

#include <shlobj.h>

namespace {

// Wine's desktop process, which also answers the program manager's DDE, closes itself once
// the desktop has no users but its own threads. A program that was running before the desktop
// started (this one, when it is the first to open a window in a new prefix) does not count,
// so the desktop would close as soon as the last program started from it ended (the folder
// windows that ShowGroup opens, the final programs), taking the DDE server with it. A helper
// started after the desktop exists counts, and keeps it open until this program ends.
void KeepTheDesktopOpen() {
    GetDesktopWindow();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION keeper{};
    std::string command = "\"" + ProgramDirectory() + "completion_probe.exe\" --keep " +
                          std::to_string(GetCurrentProcessId());
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &keeper)) {
        // Started and left to itself: its handles are closed at once.
        const UniqueKernelObject thread(keeper.hThread);
        const UniqueKernelObject process(keeper.hProcess);
    }
}

// Before the completion tests, once the program's windows are left unmanaged (the one test
// main does that first).
class DesktopKeeper : public ::testing::Environment {
public:
    void SetUp() override { KeepTheDesktopOpen(); }
};
const ::testing::Environment* const kDesktopKeeper =
    ::testing::AddGlobalTestEnvironment(new DesktopKeeper);

// Empties directory of files and sub-directories, creating it when missing.
void EmptyDirectory(const std::string& directory) {
    CreateDirectoryA(directory.c_str(), nullptr);
    for (const WIN32_FIND_DATAA& found : EntriesIn(directory)) {
        const std::string path = directory + "\\" + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            EmptyDirectory(path);
            RemoveDirectoryA(path.c_str());
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    }
}

DdeRecorder* g_recorder = nullptr;

using TransactionFunction = HDDEDATA(WINAPI*)(LPBYTE, DWORD, HCONV, HSZ, UINT, UINT, DWORD,
                                              LPDWORD);
using ConnectFunction = HCONV(WINAPI*)(DWORD, HSZ, HSZ, PCONVCONTEXT);
TransactionFunction g_realTransaction = nullptr;
ConnectFunction g_realConnect = nullptr;

HDDEDATA WINAPI RecordingTransaction(LPBYTE data, DWORD size, HCONV conversation, HSZ item,
                                     UINT format, UINT type, DWORD timeout, LPDWORD result) {
    if (g_recorder && type == XTYP_EXECUTE && data) {
        DdeExecute execute;
        execute.command = std::string(reinterpret_cast<const char*>(data),
                                      strnlen(reinterpret_cast<const char*>(data), size));
        execute.size = size;
        execute.format = format;
        execute.timeoutMs = timeout;
        execute.withoutItem = item == nullptr;
        g_recorder->executes.push_back(execute);
    }
    return g_realTransaction(data, size, conversation, item, format, type, timeout, result);
}

HCONV WINAPI RecordingConnect(DWORD instance, HSZ service, HSZ topic, PCONVCONTEXT context) {
    if (g_recorder) {
        ++g_recorder->connects;
        if (g_recorder->refuseConnection) {
            return nullptr;
        }
    }
    return g_realConnect(instance, service, topic, context);
}

struct ExplorerSearch {
    std::string caption;
    std::vector<HWND> found;
};

BOOL CALLBACK FindExplorer(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<ExplorerSearch*>(parameter);
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() && search.caption == caption) {
        search.found.push_back(window);
    }
    return TRUE;
}

} // namespace

void CompletionTest::SetUp() {
    ASSERT_FALSE(ComputeStandardDirectories(directories));

    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    destination = directories.temporary + "completion";
    CreateDirectoryA(destination.c_str(), nullptr);
    destination += std::string("\\") + test->name();
    EmptyDirectory(destination);

    script.productName.Assign(kProductName);
    script.successCaption.Assign("Completion Success");
    script.successText.Assign("Everything is in place.");
    script.failureCaption.Assign("Completion Failure");
    script.failureText.Assign("Something is missing.");
    script.cancelCaption.Assign("Cancel Completion");
    script.cancelText.Assign("Stop the completion?");
    script.askBeforeGroup = 0;
    script.directories.resize(1);
    script.directories[0].path.Assign(destination);

    mainWindow = CreateWindowA(PlainTestWindowClass(), kProductName, WS_OVERLAPPEDWINDOW, 0, 0, 640,
                               480, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(mainWindow, nullptr);
    ShowWindow(mainWindow, SW_SHOWNORMAL);

    // Shared for reading, so that the test reads the lines while the log is open.
    logPath = destination + "\\setuplog.txt";
    UniqueFile file(CreateFileA(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    log = InstallLog(std::move(file));
}

void CompletionTest::TearDown() {
    log.Close();
    if (IsWindow(mainWindow)) {
        DestroyWindow(mainWindow);
    }
}

MacroValues CompletionTest::Macros() const {
    MacroValues values;
    values.sourceDirectory = kSourceDirectory;
    values.windowsDirectory = directories.windows;
    values.systemDirectory = directories.system;
    values.destinationDirectory = script.directories.at(0).path.View();
    values.programFilesDirectory = directories.programFiles;
    return values;
}

void ShellCompletionTest::SetUp() {
    CompletionTest::SetUp();
    g_setup = SetupState{};
    g_setup.instance = GetModuleHandleA(nullptr);
    g_setup.windowsDirectory.Assign(directories.windows);
    g_setup.systemDirectory.Assign(directories.system);
    g_setup.temporaryDirectory.Assign(directories.temporary);
    g_setup.programFilesDirectory.Assign(directories.programFiles);
    g_setup.sourceDirectory.Assign(kSourceDirectory);
    g_setup.scriptPath.Assign(kScriptPath);
    g_setup.script = script;
    g_setup.scriptLoaded = true;
    g_setup.mainWindow = mainWindow;
    g_setup.installLog = std::move(log);
}

void ShellCompletionTest::TearDown() {
    g_setup = SetupState{};
    CompletionTest::TearDown();
}

std::vector<std::string> CompletionTest::LogLines() const {
    return SplitCrLfLines(LogBytes());
}

std::string CompletionTest::LogBytes() const {
    return ReadFileBytes(logPath).value_or("");
}

std::vector<std::string> SplitCrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool FileIsThere(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<StoredValue> QueryValue(HKEY root, const std::string& key, const std::string& name) {
    const UniqueRegKey handle = OpenTestKey(root, key, KEY_READ);
    if (!handle) {
        return std::nullopt;
    }
    StoredValue value;
    DWORD size = 0;
    LONG status =
        RegQueryValueExA(handle.get(), name.c_str(), nullptr, &value.type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        value.bytes.resize(size);
        status = RegQueryValueExA(handle.get(), name.c_str(), nullptr, &value.type,
                                  reinterpret_cast<BYTE*>(value.bytes.data()), &size);
        value.bytes.resize(size);
    }
    if (status != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

std::string TextBytes(const std::string& text) {
    return text + '\0';
}

std::string NumberBytes(std::uint32_t number) {
    return std::string(reinterpret_cast<const char*>(&number), sizeof number);
}

void DeleteKeyTree(HKEY root, const std::string& key) {
    UniqueRegKey handle = OpenTestKey(root, key, KEY_ALL_ACCESS);
    if (!handle) {
        return;
    }
    char child[256];
    for (;;) {
        DWORD length = sizeof child;
        if (RegEnumKeyExA(handle.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        DeleteKeyTree(handle.get(), child);
    }
    handle.reset();
    RegDeleteKeyA(root, key.c_str());
}

DdeRecorder::DdeRecorder() {
    g_recorder = this;
    if (!g_realTransaction) {
        g_realTransaction = reinterpret_cast<TransactionFunction>(ReplaceImport(
            "user32.dll", "DdeClientTransaction", reinterpret_cast<void*>(RecordingTransaction)));
        g_realConnect = reinterpret_cast<ConnectFunction>(
            ReplaceImport("user32.dll", "DdeConnect", reinterpret_cast<void*>(RecordingConnect)));
    }
    EXPECT_NE(g_realTransaction, nullptr) << "the program does not import DdeClientTransaction";
    EXPECT_NE(g_realConnect, nullptr) << "the program does not import DdeConnect";
}

DdeRecorder::~DdeRecorder() {
    g_recorder = nullptr;
}

std::string ProgramsFolder() {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

void RemoveGroupFolder(const std::string& group) {
    const std::string folder = ProgramsFolder() + "\\" + group;
    EmptyDirectory(folder);
    RemoveDirectoryA(folder.c_str());
}

void CloseGroupWindows(const std::vector<std::string>& groups) {
    for (const std::string& group : groups) {
        for (int tries = 0; tries < 50; ++tries) {
            ExplorerSearch search{group, {}};
            EnumWindows(FindExplorer, reinterpret_cast<LPARAM>(&search));
            if (!search.found.empty()) {
                for (HWND window : search.found) {
                    PostMessageA(window, WM_CLOSE, 0, 0);
                }
                break;
            }
            Sleep(100);
        }
    }
}

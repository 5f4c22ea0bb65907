// A helper of the install scenarios: holds files open without sharing, as another program
// holding a library would, from a process of its own.
//
//   FILELOCK RELEASE PATH...   returns 0 once every PATH is held, by a second process that
//                              keeps them until the file RELEASE exists (or for two minutes)
//
// The install list runs it as a program and goes on once it has returned; the scenario
// releases the files by making RELEASE appear (a disk swap that shows a folder holding it).
// Once the files are closed the holder says so in the title of the installer's main window
// (class "SC"), adding " (released)": the scenario waits for that title before it retries, so
// that the retry never races the release.

#include "common/Win32Handles.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kHoldMilliseconds = 120000;
constexpr DWORD kPollMilliseconds = 20;

int Hold(int argc, char** argv) {
    // argv: --hold EVENT RELEASE PATH...
    std::vector<UniqueFile> held;
    for (int i = 4; i < argc; ++i) {
        UniqueFile file(CreateFileA(argv[i], GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            std::fprintf(stderr, "filelock: cannot hold %s (error %lu)\n", argv[i], GetLastError());
            return 2;
        }
        held.push_back(std::move(file));
    }
    const UniqueKernelObject holding(OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]));
    if (!holding || !SetEvent(holding.get())) {
        return 3;
    }
    for (DWORD waited = 0; waited < kHoldMilliseconds; waited += kPollMilliseconds) {
        if (GetFileAttributesA(argv[3]) != INVALID_FILE_ATTRIBUTES) {
            break;
        }
        Sleep(kPollMilliseconds);
    }
    held.clear();
    if (HWND main = FindWindowA("SC", nullptr)) {
        char title[256] = {};
        GetWindowTextA(main, title, sizeof title);
        const std::string released = std::string(title) + " (released)";
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(main, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(released.c_str()),
                            SMTO_ABORTIFHUNG, 5000, &ignored);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "--hold") {
        return Hold(argc, argv);
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: filelock RELEASE PATH...\n");
        return 64;
    }
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string event = "e2e-filelock-" + std::to_string(GetCurrentProcessId());
    const UniqueKernelObject held(CreateEventA(nullptr, TRUE, FALSE, event.c_str()));
    std::string command = std::string("\"") + self + "\" --hold " + event;
    for (int i = 1; i < argc; ++i) {
        command += std::string(" \"") + argv[i] + "\"";
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return 1;
    }
    const UniqueKernelObject thread(info.hThread);
    const UniqueKernelObject process(info.hProcess);
    HANDLE waits[2] = {held.get(), process.get()};
    const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, 20000);
    return woke == WAIT_OBJECT_0 ? 0 : 1;
}

// A helper of the install scenarios: holds files open without sharing, as another program
// holding a library would, from a process of its own.
//
//   FILELOCK RELEASE PATH...   returns 0 once every PATH is held, by a second process that
//                              keeps them until the file RELEASE exists (or for two minutes)
//
// The install list runs it as a program and goes on once it has returned; the scenario
// releases the files by making RELEASE appear (a disk swap that shows a folder holding it).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kHoldMilliseconds = 120000;
constexpr DWORD kPollMilliseconds = 100;

int Hold(int argc, char** argv) {
    // argv: --hold EVENT RELEASE PATH...
    std::string failed;
    for (int i = 4; i < argc; ++i) {
        // Deliberately never closed before the release: the handles are the lock.
        HANDLE file = CreateFileA(argv[i], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            std::fprintf(stderr, "filelock: cannot hold %s (error %lu)\n", argv[i], GetLastError());
            return 2;
        }
    }
    HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (!held || !SetEvent(held)) {
        return 3;
    }
    for (DWORD waited = 0; waited < kHoldMilliseconds; waited += kPollMilliseconds) {
        if (GetFileAttributesA(argv[3]) != INVALID_FILE_ATTRIBUTES) {
            break;
        }
        Sleep(kPollMilliseconds);
    }
    return 0; // the handles close with the process
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
    HANDLE held = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
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
    HANDLE waits[2] = {held, info.hProcess};
    const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, 20000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return woke == WAIT_OBJECT_0 ? 0 : 1;
}

// e2e_progman: makes or removes a group of the shell's program manager over DDE, so that a
// scenario meets a group that already exists, made the way a setup program makes one.
//   e2e_progman.exe create NAME    [CreateGroup(NAME)], then closes the folder window that
//                                  Wine's shell opens for it
//   e2e_progman.exe delete NAME    [DeleteGroup(NAME)]
// Exit code 0 on success, 1 when the program manager does not answer, 64 on bad usage.
#include <windows.h>

#include <ddeml.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

HDDEDATA CALLBACK NoAnswer(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

struct FolderSearch {
    std::string name;
    int closed = 0;
};

BOOL CALLBACK CloseIfFolder(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<FolderSearch*>(parameter);
    char caption[512] = {};
    GetWindowTextA(window, caption, sizeof caption);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() && search.name == caption) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        ++search.closed;
    }
    return TRUE;
}

// Closes the windows of other processes captioned name: the shell shows a group it makes.
// Waits up to five seconds for one to appear.
void CloseFolderWindows(const std::string& name) {
    FolderSearch search{name};
    for (int tries = 0; tries < 50 && search.closed == 0; ++tries) {
        EnumWindows(CloseIfFolder, reinterpret_cast<LPARAM>(&search));
        Sleep(100);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "create") != 0 && std::strcmp(argv[1], "delete") != 0)) {
        std::fprintf(stderr, "usage: e2e_progman create|delete NAME\n");
        return 64;
    }
    const bool create = std::strcmp(argv[1], "create") == 0;
    const std::string name = argv[2];

    DWORD instance = 0;
    if (DdeInitializeA(&instance, NoAnswer, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        std::fprintf(stderr, "DDE cannot be started\n");
        return 1;
    }
    HSZ service = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    // The shell answers a moment after the desktop comes up.
    HCONV conversation = nullptr;
    for (int tries = 0; tries < 100 && !conversation; ++tries) {
        conversation = DdeConnect(instance, service, service, nullptr);
        if (!conversation) {
            Sleep(100);
        }
    }
    int result = 1;
    if (conversation) {
        const std::string command = (create ? "[CreateGroup(" : "[DeleteGroup(") + name + ")]";
        HDDEDATA done =
            DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<char*>(command.c_str())),
                                 static_cast<DWORD>(command.size() + 1), conversation, nullptr,
                                 CF_TEXT, XTYP_EXECUTE, 5000, nullptr);
        result = done ? 0 : 1;
        std::printf("%s: %s\n", command.c_str(), done ? "done" : "refused");
        DdeDisconnect(conversation);
    } else {
        std::fprintf(stderr, "the program manager does not answer\n");
    }
    DdeFreeStringHandle(instance, service);
    DdeUninitialize(instance);
    if (create && result == 0) {
        CloseFolderWindows(name);
    }
    return result;
}

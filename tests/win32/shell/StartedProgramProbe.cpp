// A program that the completion tests start as a final program: it writes down how it was
// started (show command, start-up flags, working directory) into the file named by its first
// argument, waits for the milliseconds of the second, then creates "<file>.done".
// With "--keep PID" it instead waits until that process has ended (see CompletionTestMain).
// With "--window FILE" it shows a window and creates "<FILE>.ready" once it is up and
// "<FILE>.end" when the session's end reaches it (WM_ENDSESSION), then quits.
#include "common/Win32Handles.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string g_markers;

void Touch(const std::string& path) {
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fclose(file);
    }
}

LRESULT CALLBACK SentinelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENDSESSION && wParam) {
        Touch(g_markers + ".end");
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int RunSentinel(const std::string& markers) {
    g_markers = markers;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = SentinelProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "CompletionSentinel";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("CompletionSentinel", "Completion Sentinel", WS_OVERLAPPEDWINDOW, 0,
                                0, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    Touch(markers + ".ready");
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    if (std::string(argv[1]) == "--window") {
        return RunSentinel(argv[2]);
    }
    if (std::string(argv[1]) == "--keep") {
        const UniqueKernelObject process(
            OpenProcess(SYNCHRONIZE, FALSE, std::strtoul(argv[2], nullptr, 10)));
        if (process) {
            WaitForSingleObject(process.get(), INFINITE);
        }
        return 0;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);

    const std::string info = "show=" + std::to_string(startup.wShowWindow) + "\r\n" + "uses-show=" +
                             ((startup.dwFlags & STARTF_USESHOWWINDOW) ? "yes" : "no") + "\r\n" +
                             "directory=" + directory + "\r\n";
    const std::string path = argv[1];
    // Written under a temporary name and renamed, so a reader never sees half of it.
    const std::string partial = path + ".part";
    if (FILE* file = std::fopen(partial.c_str(), "wb")) {
        std::fwrite(info.data(), 1, info.size(), file);
        std::fclose(file);
        MoveFileA(partial.c_str(), path.c_str());
    }
    Sleep(static_cast<DWORD>(std::atoi(argv[2])));
    if (FILE* done = std::fopen((path + ".done").c_str(), "wb")) {
        std::fclose(done);
    }
    return 0;
}

#include "engine/ProcessOperations.h"

#include "FailureCode.h"
#include "EngineTestFiles.h"
#include "engine/FileOperations.h"
#include "engine/MessagePump.h"
#include "script/SetupError.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr UINT kTestMessage = WM_APP + 7;

// The sleeping program, built beside this test program.
std::string SleeperCommand(int milliseconds, const std::string& marker) {
    return "\"" + ProgramDirectory() + "engine_sleeper.exe\" " + std::to_string(milliseconds) +
           " " + marker;
}

bool WaitForFile(const std::string& path, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (!FileExists(path)) {
        if (GetTickCount() - start > milliseconds) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

std::uint32_t RunAndWaitError(const std::string& command) {
    return FailureCode(RunProgramAndWait(command, SW_SHOWNORMAL, ""));
}

// A window of the test whose messages are counted, to see that waiting keeps it served.
struct MessageCounts {
    int timers = 0;
    int paints = 0;
    int posted = 0;
};
MessageCounts g_counts;

LRESULT CALLBACK CountingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        ++g_counts.timers;
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        ++g_counts.paints;
        return 0;
    }
    case kTestMessage:
        ++g_counts.posted;
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

class CountingWindow {
public:
    CountingWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = CountingWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "EngineCountingWindow";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("EngineCountingWindow", "counting", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        g_counts = MessageCounts{};
    }
    ~CountingWindow() { DestroyWindow(window_); }
    CountingWindow(const CountingWindow&) = delete;
    CountingWindow& operator=(const CountingWindow&) = delete;

    HWND get() const { return window_; }

private:
    HWND window_ = nullptr;
};

} // namespace

TEST(RunProgramAndWait, ProgramThatCannotStartFailsWith73) {
    EXPECT_EQ(RunAndWaitError("C:\\no-such-dir\\no-such-program.exe"), kErrorProgramNotStarted);
    EXPECT_EQ(RunAndWaitError(""), kErrorProgramNotStarted);
}

TEST(RunProgramAndWait, ReturnsAfterTheProgramEndedWhileWindowsAreServed) {
    const std::string directory = ScratchDirectory("engine-run-wait");
    const CountingWindow window;
    ASSERT_NE(window.get(), nullptr);
    ShowWindow(window.get(), SW_SHOW);
    ASSERT_NE(SetTimer(window.get(), 1, 20, nullptr), 0u);
    InvalidateRect(window.get(), nullptr, TRUE);
    PostMessageA(window.get(), kTestMessage, 0, 0);

    const DWORD start = GetTickCount();
    EXPECT_FALSE(RunProgramAndWait(SleeperCommand(800, "ended.txt"), SW_SHOWNORMAL, directory));
    const DWORD elapsed = GetTickCount() - start;
    KillTimer(window.get(), 1);

    // The marker is the program's last act, made in the working directory it was given.
    EXPECT_TRUE(FileExists(directory + "ended.txt"));
    EXPECT_GE(elapsed, 700u);
    // A 20 ms timer over 800 ms fires at every 50 ms pump; one pump at the end would see one.
    EXPECT_GE(g_counts.timers, 5) << "elapsed " << elapsed << " ms";
    EXPECT_GE(g_counts.paints, 1);
    EXPECT_EQ(g_counts.posted, 1);
}

TEST(RunProgramAndWait, EmptyWorkingDirectoryMeansOurs) {
    const std::string directory = ScratchDirectory("engine-run-here");
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryA(directory.c_str()));
    EXPECT_FALSE(RunProgramAndWait(SleeperCommand(0, "here.txt"), SW_SHOWNORMAL, ""));
    SetCurrentDirectoryA(saved);
    EXPECT_TRUE(FileExists(directory + "here.txt"));
}

TEST(RunProgram, ReturnsAtOnceAndReportsNothing) {
    const std::string directory = ScratchDirectory("engine-run");
    RunProgram(SleeperCommand(1500, "later.txt"), SW_SHOWNORMAL, directory);
    // The program makes its marker only after sleeping: had the call waited, it would exist.
    EXPECT_FALSE(FileExists(directory + "later.txt"));
    // It did start, and ends on its own.
    EXPECT_TRUE(WaitForFile(directory + "later.txt", 15000));

    RunProgram("C:\\no-such-dir\\no-such-program.exe", SW_SHOWNORMAL, "");
}

TEST(PumpMessages, DispatchesEverythingQueuedButLeavesQuit) {
    const CountingWindow window;
    ASSERT_NE(window.get(), nullptr);
    for (int i = 0; i < 3; ++i) {
        PostMessageA(window.get(), kTestMessage, 0, 0);
    }
    PumpMessages();
    EXPECT_EQ(g_counts.posted, 3);

    PostMessageA(window.get(), kTestMessage, 0, 0);
    PostQuitMessage(7);
    PumpMessages();
    EXPECT_EQ(g_counts.posted, 4);
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
}

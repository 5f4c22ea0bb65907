#include "engine/ProcessOperations.h"

#include "common/Win32Handles.h"
#include "engine/MessagePump.h"
#include "script/SetupError.h"

#include <windows.h>

#include <optional>
#include <string>

namespace {

enum class InheritHandles { No, Yes };

struct StartedProgram {
    UniqueKernelObject process;
    UniqueKernelObject thread;
};

// Starts the program in a new process group; nothing when CreateProcessA fails.
std::optional<StartedProgram> StartProgram(std::string_view commandLine, int showMode,
                                           std::string_view workingDirectory,
                                           InheritHandles inherit) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showMode);
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::string command(commandLine);
    const std::string directory(workingDirectory);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr,
                        inherit == InheritHandles::Yes ? TRUE : FALSE, CREATE_NEW_PROCESS_GROUP,
                        nullptr, directory.empty() ? nullptr : directory.c_str(), &startup,
                        &info)) {
        return std::nullopt;
    }
    return StartedProgram{UniqueKernelObject(info.hProcess), UniqueKernelObject(info.hThread)};
}

} // namespace

Failure RunProgramAndWait(std::string_view commandLine, int showMode,
                          std::string_view workingDirectory) {
    const std::optional<StartedProgram> started =
        StartProgram(commandLine, showMode, workingDirectory, InheritHandles::Yes);
    if (!started) {
        return SetupError(kErrorProgramNotStarted, "the program cannot be started");
    }
    while (WaitForSingleObject(started->process.get(), 50) == WAIT_TIMEOUT) {
        PumpMessages();
    }
    return std::nullopt;
}

void RunProgram(std::string_view commandLine, int showMode, std::string_view workingDirectory) {
    // The handles are closed at once: nobody waits for this program.
    static_cast<void>(StartProgram(commandLine, showMode, workingDirectory, InheritHandles::No));
}

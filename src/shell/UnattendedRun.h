#pragma once

#include "shell/SetupCommandLine.h"
#include "shell/SetupInstallHost.h"

#include <windows.h>

#include <string>

// Runs without a person: no window is shown, the answer file (or the defaults) makes every
// choice, every message goes to the run's log with the answer taken, and the run ends with a
// SilentExitCode. A command line with an error ends with kSilentBadArguments, logged.
[[nodiscard]] int RunSilent(HINSTANCE instance, const SetupCommandLine& commandLine);

// Writes the choices of the wizard's run so far to an answer file at path (a recording run);
// a file that cannot be written is told in a box and the run goes on.
void RecordAnswers(const std::string& path);

// One line of the unattended run's log (nothing outside such a run).
void LogRunLine(const std::string& line);

// The install host of an unattended run: later disks are looked for in the folders of the
// command line and beside disk 1, a newer file at the destination is kept or replaced as the
// answers say, and a failed item stops the run.
class SilentInstallHost final : public SetupInstallHost {
public:
    Failure AskForDisk(std::uint32_t disk, std::string_view relativePath) override;
    bool AskForDiskAgain(std::string_view relativePath) override;
    Failure AskFileExists(const char* existingPath, const char* newPath,
                          RememberedChoice& remembered, std::uint32_t& answer) override;
    bool AskContinueAfterFailure(const std::string& text) override;
    void ShowProgressFiles(const char*, const char*) override {}
    Failure ShowBillboard(const char*) override { return std::nullopt; }
    void HideBillboard() override {}
};

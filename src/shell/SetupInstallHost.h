#pragma once

#include "engine/InstallHost.h"

// The program's side of the install engine: the questions as the install dialogs and message
// boxes over MainWindow, the progress window, the billboard, the SharedDLLs counts and the
// install log of the program's state.
class SetupInstallHost : public InstallHost {
public:
    Failure AskForDisk(std::uint32_t disk, std::string_view relativePath) override;
    bool AskForDiskAgain(std::string_view relativePath) override;
    Failure AskFileExists(const char* existingPath, const char* newPath,
                          RememberedChoice& remembered, std::uint32_t& answer) override;
    bool AskContinueAfterFailure(const std::string& text) override;
    void ShowProgressFiles(const char* source, const char* destination) override;
    Failure ShowBillboard(const char* path) override;
    void HideBillboard() override;
    void RaiseSharedCount(std::string_view path) override;
    void LogItemDone(const InstallItem& item) override;
};

// The context of the program's installation run: its script, directories and flags in the
// program's state, with host as the host.
InstallContext SetupInstallContext(InstallHost& host);

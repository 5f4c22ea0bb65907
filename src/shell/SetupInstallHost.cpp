#include "shell/SetupInstallHost.h"

#include "integration/UninstallRegistration.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceText.h"
#include "shell/InstallRun.h"
#include "shell/SetupState.h"
#include "ui/BitmapControl.h"
#include "ui/FileExistsDialog.h"
#include "ui/MessageBoxes.h"
#include "ui/ProgressDialog.h"

#include <windows.h>

namespace {

constexpr int kCaptionCapacity = 256;

} // namespace

Failure SetupInstallHost::AskForDisk(std::uint32_t disk, std::string_view relativePath) {
    return PromptForDisk(disk, relativePath);
}

bool SetupInstallHost::AskForDiskAgain(std::string_view relativePath) {
    return PromptForCurrentDisk(relativePath);
}

Failure SetupInstallHost::AskFileExists(const char* existingPath, const char* newPath,
                                        RememberedChoice& remembered, std::uint32_t& answer) {
    return ::AskFileExists(g_setup.mainWindow, g_setup.LoadedScript(), existingPath, newPath,
                           remembered, answer);
}

bool SetupInstallHost::AskContinueAfterFailure(const std::string& text) {
    RestoreMainWindow(g_setup.mainWindow);
    const std::string caption = LoadResourceText(IDS_SETUP_CAPTION, kCaptionCapacity);
    return SetupMessageBox(g_setup.mainWindow, text.c_str(), caption.c_str(),
                           MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void SetupInstallHost::ShowProgressFiles(const char* source, const char* destination) {
    NotifyProgressFiles(g_setup.progressWindow, source, destination);
}

Failure SetupInstallHost::ShowBillboard(const char* path) {
    return ::ShowBillboard(g_setup.bitmapControl, path);
}

void SetupInstallHost::HideBillboard() {
    ::HideBillboard(g_setup.bitmapControl);
}

void SetupInstallHost::RaiseSharedCount(std::string_view path) {
    if (IncrementSharedCount(path)) {
        g_setup.removalRecord.sharedCounts.push_back(std::string(path));
    }
}

void SetupInstallHost::LogItemDone(const InstallItem& item) {
    g_setup.installLog.ItemDone(item);
}

InstallContext SetupInstallContext(InstallHost& host) {
    return InstallContext{g_setup.script,
                          g_setup.sourceDirectory,
                          g_setup.temporaryDirectory,
                          g_setup.currentDisk,
                          g_setup.fileExists,
                          g_setup.allFilesInstalled,
                          host};
}

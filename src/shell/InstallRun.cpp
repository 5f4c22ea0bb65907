#include "shell/InstallRun.h"

#include "engine/ActionInterpreter.h"
#include "engine/FileOperations.h"
#include "engine/ItemPaths.h"
#include "engine/MessagePump.h"
#include "engine/PathOperations.h"
#include "integration/InstallRecording.h"
#include "integration/RemovalRecordStore.h"
#include "integration/UninstallRegistration.h"
#include "resources/ResourceIds.h"
#include "script/SetupError.h"
#include "shell/Completion.h"
#include "shell/FlowController.h"
#include "shell/InstallStrings.h"
#include "shell/SetupInstallHost.h"
#include "shell/SetupState.h"
#include "shell/UnattendedRun.h"
#include "ui/DiskPromptDialog.h"
#include "ui/MessageBoxes.h"
#include "ui/ProgressDialog.h"
#include "resources/ResourceText.h"

#include <windows.h>

#include <string>

namespace {

constexpr int kMessageCapacity = 256;

// Clears progressWindow when the pass ends, however it ends, before the record destroys the
// window.
class ProgressWindowScope {
public:
    explicit ProgressWindowScope(HWND window) { g_setup.progressWindow = window; }
    ~ProgressWindowScope() { g_setup.progressWindow = nullptr; }
    ProgressWindowScope(const ProgressWindowScope&) = delete;
    ProgressWindowScope& operator=(const ProgressWindowScope&) = delete;
};

// The label of disk number disk: element disk - 1 of the labels, empty when the script has no
// such label.
std::string DiskLabel(std::uint32_t disk) {
    const auto& labels = g_setup.script.diskLabels;
    return disk >= 1 && disk - 1 < labels.size() ? std::string(TextOf(labels[disk - 1]))
                                                 : std::string();
}

bool IsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// What other installations tell about the files the copy pass finds.
struct InstallationsBefore {
    std::optional<RemovalRecord> earlier; // this product's
    ProductClaims others;
};

// What a Copy item's destination holds before the item runs.
DestinationBefore LookAtDestination(const SetupScript& script, const InstallItem& item,
                                    const InstallationsBefore& installations) {
    if (static_cast<ItemAction>(item.action) != ItemAction::Copy) {
        return {};
    }
    const std::string path = ItemDestinationPath(script, item);
    const std::optional<FileStamp> stamp = path.empty() ? std::nullopt : ReadFileStamp(path);
    const bool countedShared = stamp && item.shared && SharedCount(path).value_or(0) > 0;
    return JudgeFoundFile(path, stamp, countedShared, installations.earlier, installations.others);
}

} // namespace

void RunInstall() {
    ExpandInstallStrings(g_setup.script, g_setup.Macros());
    Failure failure = CreateDirectories();
    if (!failure) {
        g_setup.installLog.Open(g_setup.DestinationDirectory().View(),
                                g_setup.script.productName.CStr());
        g_setup.installLog.CreatedDirectories(g_setup.removalRecord.directories);
        failure = CopyPass();
    }
    if (failure) {
        ReportSetupError(failure->code());
        return;
    }
    FinishSetup(FinishFlag::Complete);
}

Failure CreateDirectories() {
    bool failed = false;
    for (DirectoryEntry& directory : g_setup.script.directories) {
        std::string root;
        if (Failure failure = VolumeRoot(directory.path.View(), root)) {
            return failure;
        }
        if (lstrcmpiA(directory.path.CStr(), root.c_str()) != 0 &&
            !SetCurrentDirectoryA(directory.path.CStr())) {
            if (!EnsureDirectory(directory.path.View(), &g_setup.removalRecord.directories)) {
                failed = true;
                break;
            }
            directory.created = 1;
        }
    }
    SetCurrentDirectoryA(g_setup.DestinationDirectory().CStr());
    if (failed) {
        return SetupError(kErrorDirectoryNotCreated, "a directory could not be created");
    }
    return std::nullopt;
}

Failure CopyPass() {
    if (g_setup.silent) {
        SilentInstallHost host;
        return CopyItems(host, nullptr);
    }
    auto& items = g_setup.script.installItems;
    ProgressRecord progress(g_setup.mainWindow, static_cast<std::uint32_t>(items.size()));
    const ProgressWindowScope scope(progress.Window());
    PumpMessages();
    SetupInstallHost host;
    return CopyItems(host, &progress);
}

Failure CopyItems(InstallHost& host, ProgressRecord* progress) {
    auto& items = g_setup.script.installItems;
    DestinationListings destinations;
    const std::string entry = g_setup.script.productName.Str();
    const InstallationsBefore installations{LoadEarlierRecord(entry), ClaimsOfOtherProducts(entry)};
    InstallContext context = SetupInstallContext(host);
    context.destinations = &destinations;
    for (InstallItem& item : items) {
        if (IsItemSelected(item)) {
            const DestinationBefore before = LookAtDestination(g_setup.script, item, installations);
            if (Failure failure = ProcessInstallItem(context, item)) {
                return failure;
            }
            RecordItemDone(g_setup.removalRecord, item, before);
        }
        // The flag is looked at after the step has dispatched the queue, so that a Cancel
        // clicked while the item was copied stops the pass now, also after the last item.
        if (progress) {
            progress->Step();
            if (progress->Cancelled()) {
                return SetupError(kErrorCancelled, "cancelled in the progress window");
            }
        }
    }
    return std::nullopt;
}

Failure PromptForDisk(std::uint32_t disk, std::string_view relativePath) {
    const std::string label = DiskLabel(disk);
    for (;;) {
        MessageBeep(0);
        RestoreMainWindow(g_setup.mainWindow);
        INT_PTR answer = 0;
        if (Failure failure = DiskPromptDialog(g_setup.mainWindow, g_setup.LoadedScript(),
                                               label.c_str(), g_setup.sourceDirectory, answer)) {
            return failure;
        }
        if (answer == IDCANCEL) {
            return SetupError(kErrorCancelled, "the disk prompt was cancelled");
        }
        const std::string path = JoinPath(g_setup.sourceDirectory.View(), relativePath);
        const bool found =
            relativePath.empty() ? IsDirectory(g_setup.sourceDirectory.Str()) : FileExists(path);
        if (found) {
            g_setup.currentDisk = disk;
            return std::nullopt;
        }
        const std::string text = FormatResourceText(IDS_DISK_FILE_MISSING, kMessageCapacity,
                                                    path.c_str(), label.c_str());
        if (SetupMessageBox(g_setup.mainWindow, text.c_str(), g_setup.script.productName.CStr(),
                            MB_RETRYCANCEL) == IDCANCEL &&
            ConfirmCancel(g_setup.mainWindow, g_setup.LoadedScript()) == IDYES) {
            return SetupError(kErrorCancelled, "the disk was not found");
        }
    }
}

bool PromptForCurrentDisk(std::string_view relativePath) {
    const std::string label = DiskLabel(g_setup.currentDisk);
    for (;;) {
        const std::string path = JoinPath(g_setup.sourceDirectory.View(), relativePath);
        if (FileExists(path)) {
            return true;
        }
        MessageBeep(0);
        RestoreMainWindow(g_setup.mainWindow);
        const std::string text = FormatResourceText(IDS_DISK_FILE_MISSING, kMessageCapacity,
                                                    path.c_str(), label.c_str());
        if (SetupMessageBox(g_setup.mainWindow, text.c_str(), g_setup.script.productName.CStr(),
                            MB_RETRYCANCEL) == IDCANCEL) {
            return false;
        }
    }
}

#include "engine/ActionInterpreter.h"

#include "engine/FileCopy.h"
#include "engine/ItemPaths.h"
#include "engine/PathOperations.h"
#include "engine/ProcessOperations.h"
#include "engine/TempFileGuard.h"
#include "integration/InstallLog.h"
#include "resources/ResourceIds.h"
#include "script/SetupError.h"
#include "shell/InstallRun.h"
#include "shell/SetupState.h"
#include "ui/BitmapControl.h"
#include "ui/MessageBoxes.h"
#include "resources/ResourceText.h"

#include <windows.h>

namespace {

// Capacity of the string-table formats of the failure questions.
constexpr int kQuestionCapacity = 256;

void CopyAction(InstallItem& item, const std::string& sourcePath) {
    if (item.partCount <= 1) {
        CopyItemFile(item, sourcePath);
        return;
    }
    TempFileGuard joined;
    JoinSplitFile(item, joined, sourcePath);
    CopyItemFile(item, joined.Path());
}

// The picture is expanded into the temporary directory, shown from there and the copy deleted
// again, also when showing it fails. A picture that cannot be read simply is not shown.
void ShowBitmapAction(const InstallItem& item, const std::string& sourcePath) {
    const TempFileGuard copy(JoinPath(g_setup.temporaryDirectory.View(), item.name.View()));
    static_cast<void>(LzCopyFile(sourcePath.c_str(), copy.Path().c_str()));
    ShowBillboard(g_setup.bitmapControl, copy.Path().c_str());
}

void DeleteAction(InstallItem& item) {
    if (DeleteFileA(item.name.CStr())) {
        item.done = 1;
    }
}

// A Run item whose directory number names no directory starts in the current directory, which
// is the destination directory during the installation.
void RunAction(const InstallItem& item) {
    const std::string_view directory =
        ItemDirectoryPath(g_setup.script, item).value_or(std::string_view{});
    RunProgramAndWait(item.name.View(), RunShowMode(item.action), directory);
}

} // namespace

void ProcessInstallItem(InstallItem& item) {
    // Outside the failure handling below: giving up the disk cancels the installation.
    if (item.diskNumber != g_setup.currentDisk) {
        PromptForNextDisk(ItemSourcePath(item, {}, PlatformFullPath));
    }
    const std::string sourcePath =
        ItemSourcePath(item, g_setup.sourceDirectory.View(), PlatformFullPath);
    try {
        PerformItemAction(item, sourcePath);
    } catch (const SetupError& error) {
        switch (error.code()) {
        case kErrorSkipLockedFile:
            g_setup.allFilesInstalled = false;
            return;
        case kErrorCancelled:
            throw;
        default:
            ItemFailurePrompt(item, sourcePath);
            return;
        }
    }
}

void PerformItemAction(InstallItem& item, const std::string& sourcePath) {
    switch (static_cast<ItemAction>(item.action)) {
    case ItemAction::Copy:
        CopyAction(item, sourcePath);
        break;
    case ItemAction::ShowBitmap:
        ShowBitmapAction(item, sourcePath);
        break;
    case ItemAction::Delete:
        DeleteAction(item);
        break;
    case ItemAction::RunNormal:
    case ItemAction::RunMaximized:
    case ItemAction::RunMinimized:
        RunAction(item);
        break;
    case ItemAction::HideBitmap:
        HideBillboard(g_setup.bitmapControl);
        break;
    }
    LogItemDone(item);
}

void ItemFailurePrompt(const InstallItem& item, const std::string& sourcePath) {
    std::string text;
    switch (static_cast<ItemAction>(item.action)) {
    case ItemAction::Copy:
        text = FormatResourceText(IDS_INSTALL_FAILED, kQuestionCapacity, sourcePath.c_str(),
                                  ItemDestinationPath(g_setup.script, item).c_str());
        break;
    case ItemAction::RunNormal:
    case ItemAction::RunMaximized:
    case ItemAction::RunMinimized:
        text = FormatResourceText(IDS_EXECUTE_FAILED, kQuestionCapacity, item.name.CStr());
        break;
    default:
        return;
    }
    RestoreMainWindow(g_setup.mainWindow);
    const std::string caption = LoadResourceText(IDS_SETUP_CAPTION, kQuestionCapacity);
    if (MessageBoxA(g_setup.mainWindow, text.c_str(), caption.c_str(),
                    MB_YESNO | MB_ICONQUESTION) == IDYES) {
        g_setup.allFilesInstalled = false;
        return;
    }
    throw SetupError(kErrorCancelled, "the user declined to go on after a failure");
}

#include "engine/ActionInterpreter.h"

#include "engine/FileCopy.h"
#include "engine/FileOperations.h"
#include "engine/ItemPaths.h"
#include "engine/PathOperations.h"
#include "engine/ProcessOperations.h"
#include "engine/TempFileGuard.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceText.h"
#include "script/SetupError.h"

#include <windows.h>

namespace {

// Capacity of the string-table formats of the failure questions.
constexpr int kQuestionCapacity = 256;

Failure CopyAction(const InstallContext& context, InstallItem& item,
                   const std::string& sourcePath) {
    if (item.partCount <= 1) {
        return CopyItemFile(context, item, sourcePath);
    }
    TempFileGuard joined;
    if (Failure failure = JoinSplitFile(context, item, joined, sourcePath)) {
        return failure;
    }
    return CopyItemFile(context, item, joined.Path());
}

// The picture is expanded into the temporary directory, shown from there and the copy deleted
// again, also when showing it fails. A picture that cannot be read simply is not shown.
Failure ShowBitmapAction(const InstallContext& context, const InstallItem& item,
                         const std::string& sourcePath) {
    const TempFileGuard copy(JoinPath(context.temporaryDirectory.View(), item.name.View()));
    static_cast<void>(LzCopyFile(sourcePath.c_str(), copy.Path().c_str()));
    return context.host.ShowBillboard(copy.Path().c_str());
}

void DeleteAction(InstallItem& item) {
    if (DeleteFileA(item.name.CStr())) {
        item.done = 1;
    }
}

// A Run item whose directory number names no directory starts in the current directory, which
// is the destination directory during the installation.
Failure RunAction(const InstallContext& context, const InstallItem& item) {
    const std::string_view directory =
        ItemDirectoryPath(context.script, item).value_or(std::string_view{});
    return RunProgramAndWait(item.name.View(), RunShowMode(item.action), directory);
}

} // namespace

Failure ProcessInstallItem(const InstallContext& context, InstallItem& item) {
    // Outside the failure handling below: giving up the disk cancels the installation. The disk
    // asked for is the one that holds the item, which is not always the next: a Custom
    // installation may leave out components that fill whole disks.
    if (item.diskNumber != context.currentDisk) {
        if (Failure failure = context.host.AskForDisk(item.diskNumber,
                                                      ItemSourcePath(item, {}, PlatformFullPath))) {
            return failure;
        }
    } else if (static_cast<ItemAction>(item.action) == ItemAction::Copy &&
               !PathExists(
                   ItemSourcePath(item, context.sourceDirectory.View(), PlatformFullPath))) {
        // The disk in the drive no longer holds the file: it was taken out or swapped since.
        // Once it is back the item is installed as if nothing had happened; without it the
        // copy fails and asks whether to go on.
        static_cast<void>(context.host.AskForDiskAgain(ItemSourcePath(item, {}, PlatformFullPath)));
    }
    const std::string sourcePath =
        ItemSourcePath(item, context.sourceDirectory.View(), PlatformFullPath);
    Failure failure = PerformItemAction(context, item, sourcePath);
    if (!failure) {
        return std::nullopt;
    }
    switch (failure->code()) {
    case kErrorSkipLockedFile:
        context.allFilesInstalled = false;
        return std::nullopt;
    case kErrorCancelled:
        return failure;
    default:
        return ItemFailurePrompt(context, item, sourcePath);
    }
}

Failure PerformItemAction(const InstallContext& context, InstallItem& item,
                          const std::string& sourcePath) {
    // Deleting a file or running a program may change any directory: the next copy lists its
    // directory anew.
    if (context.destinations && static_cast<ItemAction>(item.action) != ItemAction::Copy) {
        context.destinations->Clear();
    }
    Failure failure;
    switch (static_cast<ItemAction>(item.action)) {
    case ItemAction::Copy:
        failure = CopyAction(context, item, sourcePath);
        break;
    case ItemAction::ShowBitmap:
        failure = ShowBitmapAction(context, item, sourcePath);
        break;
    case ItemAction::Delete:
        DeleteAction(item);
        break;
    case ItemAction::RunNormal:
    case ItemAction::RunMaximized:
    case ItemAction::RunMinimized:
        failure = RunAction(context, item);
        break;
    case ItemAction::HideBitmap:
        context.host.HideBillboard();
        break;
    }
    if (failure) {
        return failure;
    }
    context.host.LogItemDone(item);
    return std::nullopt;
}

Failure ItemFailurePrompt(const InstallContext& context, const InstallItem& item,
                          const std::string& sourcePath) {
    std::string text;
    switch (static_cast<ItemAction>(item.action)) {
    case ItemAction::Copy:
        text = FormatResourceText(IDS_INSTALL_FAILED, kQuestionCapacity, sourcePath.c_str(),
                                  ItemDestinationPath(context.script, item).c_str());
        break;
    case ItemAction::RunNormal:
    case ItemAction::RunMaximized:
    case ItemAction::RunMinimized:
        text = FormatResourceText(IDS_EXECUTE_FAILED, kQuestionCapacity, item.name.CStr());
        break;
    default:
        return std::nullopt;
    }
    if (context.host.AskContinueAfterFailure(text)) {
        context.allFilesInstalled = false;
        return std::nullopt;
    }
    return SetupError(kErrorCancelled, "the user declined to go on after a failure");
}

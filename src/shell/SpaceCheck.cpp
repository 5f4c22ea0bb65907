#include "shell/SpaceCheck.h"

#include "resources/ResourceIds.h"
#include "ui/SetupMessages.h"
#include "shell/MainWindow.h"
#include "shell/SetupState.h"
#include "shell/SpaceRules.h"
#include "ui/NotEnoughSpaceDialog.h"
#include "resources/ResourceText.h"

namespace {

constexpr int kMessageCapacity = 256;

FreeSpaceFunction g_freeSpaceQuery = VolumeFreeBytes;

} // namespace

FreeSpaceFunction SetFreeSpaceQuery(FreeSpaceFunction query) {
    const FreeSpaceFunction previous = g_freeSpaceQuery;
    g_freeSpaceQuery = query ? query : VolumeFreeBytes;
    return previous;
}

std::uint64_t VolumeFreeBytes(const std::string& root) {
    // A failed call leaves the figures 0: no free space.
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                      &totalClusters);
    return std::uint64_t{freeClusters} * sectorsPerCluster * bytesPerSector;
}

std::string LackOfSpace(const DriveEntry& drive) {
    const std::uint64_t freeBytes = g_freeSpaceQuery(SpaceQueryRoot(drive.rootPath));
    if (HasEnoughSpace(freeBytes, drive.requiredBytes)) {
        return {};
    }
    return FormatSpaceMessage(LoadResourceText(IDS_NOT_ENOUGH_SPACE, kMessageCapacity),
                              drive.rootPath, freeBytes, drive.requiredBytes);
}

Failure CheckDriveSpace(const DriveEntry& drive, INT_PTR& answer) {
    const std::string message = LackOfSpace(drive);
    if (message.empty()) {
        answer = IDOK;
        return std::nullopt;
    }
    return NotEnoughSpaceDialog(g_setup.mainWindow, g_setup.LoadedScript(), message.c_str(),
                                answer);
}

Failure CheckAllDrivesSpace(bool& goOn) {
    goOn = false;
    for (const DriveEntry& drive : g_setup.drives) {
        INT_PTR answer = IDOK;
        if (Failure failure = CheckDriveSpace(drive, answer)) {
            return failure;
        }
        switch (answer) {
        case IDABORT:
            PostFlowMessage(WM_SETUP_ABORT);
            return std::nullopt;
        case IDC_SPACE_BACK:
            PostFlowMessage(WM_SHOW_DESTINATION);
            return std::nullopt;
        default:
            break;
        }
    }
    goOn = true;
    return std::nullopt;
}

#include "integration/InstallLog.h"

#include "common/Win32Handles.h"
#include "engine/FileOperations.h"
#include "engine/PathRules.h"
#include "resources/ResourceIds.h"
#include "script/SetupError.h"
#include "shell/SetupState.h"
#include "resources/ResourceText.h"

#include <windows.h>

#include <string>

namespace {

// Capacity of the string-table loads, as a 256-character work buffer holds them.
constexpr int kTextCapacity = 256;

// Capacity of the date buffer that GetDateFormatA fills.
constexpr int kDateCapacity = 100;

// "<entry> <text>": the form of the directory and item lines.
void LogEntryLine(UINT entryId, std::string_view text) {
    std::string line = LoadResourceText(entryId, kTextCapacity);
    line += ' ';
    line += text;
    LogLine(line);
}

} // namespace

void OpenInstallLog() {
    // A log left open by an earlier call is closed, not leaked.
    if (g_setup.installLog != INVALID_HANDLE_VALUE) {
        CloseHandle(g_setup.installLog);
        g_setup.installLog = INVALID_HANDLE_VALUE;
    }
    const std::string path = JoinPath(g_setup.DestinationDirectory().View(),
                                      LoadResourceText(IDS_LOG_FILE_NAME, kTextCapacity));
    try {
        g_setup.installLog = OpenFileExclusive(path, GENERIC_WRITE, CREATE_ALWAYS).release();
    } catch (const SetupError&) {
        return;
    }

    LogLine(FormatResourceText(IDS_LOG_TITLE, kTextCapacity, g_setup.script.productName.CStr()));
    char date[kDateCapacity] = {};
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, date, kDateCapacity) ==
        0) {
        date[0] = '\0';
    }
    LogLine(date);
    LogLine({});
}

void LogLine(std::string_view text) {
    if (g_setup.installLog == INVALID_HANDLE_VALUE) {
        return;
    }
    // One write per line, so a line is never split by a failure between text and ending.
    std::string line(text);
    line += "\r\n";
    DWORD written = 0;
    static_cast<void>(WriteFile(g_setup.installLog, line.data(), static_cast<DWORD>(line.size()),
                                &written, nullptr));
}

void LogCreatedDirectories() {
    for (const DirectoryEntry& directory : g_setup.script.directories) {
        if (directory.created) {
            LogEntryLine(IDS_LOG_CREATED_DIRECTORY, directory.path.View());
        }
    }
}

void LogItemDone(const InstallItem& item) {
    if (!item.done) {
        return;
    }
    switch (static_cast<ItemAction>(item.action)) {
    case ItemAction::Copy:
        LogEntryLine(IDS_LOG_COPIED_FILE, item.installedPath.View());
        break;
    case ItemAction::Delete:
        LogEntryLine(IDS_LOG_DELETED_FILE, item.name.View());
        break;
    default:
        break;
    }
}

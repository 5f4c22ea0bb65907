#include "integration/InstallLog.h"

#include "common/Win32Handles.h"
#include "engine/FileOperations.h"
#include "engine/PathRules.h"
#include "resources/ResourceIds.h"
#include "script/SetupError.h"
#include "resources/ResourceText.h"

#include <windows.h>

#include <string>

namespace {

// Capacity of the string-table loads, as a 256-character work buffer holds them.
constexpr int kTextCapacity = 256;

// Capacity of the date buffer that GetDateFormatA fills.
constexpr int kDateCapacity = 100;

// "<entry> <text>": the form of the directory and item lines.
std::string EntryLine(UINT entryId, std::string_view text) {
    std::string line = LoadResourceText(entryId, kTextCapacity);
    line += ' ';
    line += text;
    return line;
}

} // namespace

void InstallLog::Open(std::string_view destinationDirectory, const char* productName) {
    // A log left open by an earlier call is closed, not leaked.
    Close();
    const std::string path =
        JoinPath(destinationDirectory, LoadResourceText(IDS_LOG_FILE_NAME, kTextCapacity));
    if (OpenFileExclusive(path, GENERIC_WRITE, CREATE_ALWAYS, file_)) {
        return;
    }
    path_ = path;
    digest_ = Sha256();

    Line(FormatResourceText(IDS_LOG_TITLE, kTextCapacity, productName));
    char date[kDateCapacity] = {};
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, date, kDateCapacity) ==
        0) {
        date[0] = '\0';
    }
    Line(date);
    Line({});
}

void InstallLog::Line(std::string_view text) {
    if (!file_) {
        return;
    }
    // One write per line, so a line is never split by a failure between text and ending.
    std::string line(text);
    line += "\r\n";
    DWORD written = 0;
    static_cast<void>(
        WriteFile(file_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr));
    digest_.Add(line);
}

std::string InstallLog::Digest() const {
    if (!file_) {
        return {};
    }
    Sha256 copy = digest_;
    return copy.HexDigest();
}

void InstallLog::CreatedDirectories(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        Line(EntryLine(IDS_LOG_CREATED_DIRECTORY, path));
    }
}

void InstallLog::ItemDone(const InstallItem& item) {
    if (!item.done) {
        return;
    }
    switch (static_cast<ItemAction>(item.action)) {
    case ItemAction::Copy:
        Line(EntryLine(IDS_LOG_COPIED_FILE, item.installedPath.View()));
        break;
    case ItemAction::Delete:
        Line(EntryLine(IDS_LOG_DELETED_FILE, item.name.View()));
        break;
    default:
        break;
    }
}

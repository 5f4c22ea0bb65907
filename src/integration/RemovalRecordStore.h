#pragma once

#include "integration/RemovalRecord.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where removal records are kept and how they are proven: the record file lies beside the
// install log, and the product's uninstall entry (under HKEY_LOCAL_MACHINE, which ordinary
// users cannot write) holds its path and its digest. A record is trusted only when the file's
// digest is the entry's.

inline constexpr const char* kSharedDllsKeyPath =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// The entry's own values beside DisplayName and UninstallString.
inline constexpr const char* kRecordPathValue = "SetupkitRecord";
inline constexpr const char* kRecordDigestValue = "SetupkitDigest"; // empty: record removed
inline constexpr const char* kRemovalJournalValue = "SetupkitDone"; // steps done, a bit each

// The commands registered beside DisplayName: the one the system's list runs, and the same
// with "/silent " before the script path, for removals without a user.
inline constexpr const char* kUninstallCommandValue = "UninstallString";
inline constexpr const char* kQuietUninstallCommandValue = "QuietUninstallString";

// Every value the registration writes into the entry: the removal deletes them all, and an
// entry that holds others too stays.
inline constexpr const char* kRegisteredEntryValues[] = {
    "DisplayName",    kUninstallCommandValue, kQuietUninstallCommandValue,
    kRecordPathValue, kRecordDigestValue,     kRemovalJournalValue,
};

struct UninstallEntry {
    std::string keyName; // below the Uninstall key
    std::string displayName;
    std::string uninstallString;
    std::string recordPath; // empty: the entry has no removal record
    std::string recordDigest;
};

// Every entry with an uninstall command below the Uninstall key, nested ones included (a
// product name with backslashes names nested keys), in the registry's order.
[[nodiscard]] std::vector<UninstallEntry> ReadUninstallEntries();

[[nodiscard]] std::optional<UninstallEntry> ReadUninstallEntry(const std::string& keyName);

// The whole file, read while others may read or write it; nothing when it cannot be read or is
// larger than any record or log SETUP.EXE writes (64 MiB).
[[nodiscard]] std::optional<std::string> ReadFileBytes(const std::string& path);

// The entry's record when the file's digest is the entry's; otherwise nothing, and why.
[[nodiscard]] std::optional<RemovalRecord> LoadProvenRecord(const UninstallEntry& entry,
                                                            std::string& why);

// Writes the record's text to path through a temporary file beside it, so that the file is
// either the old one or the new one whole. Its digest, or nothing when it could not be written.
[[nodiscard]] std::optional<std::string> StoreRecordFile(const std::string& path,
                                                         const std::string& text);

// The file's size and last-write time; nothing when it cannot be read.
[[nodiscard]] std::optional<FileStamp> ReadFileStamp(const std::string& path);

// The proven record of the product's installation before this one, without the shared counts
// that a removal of it, stopped part-way, lowered already; nothing when there is none.
[[nodiscard]] std::optional<RemovalRecord> LoadEarlierRecord(const std::string& entry);

// What the proven records of the installed products other than entry name.
[[nodiscard]] ProductClaims ClaimsOfOtherProducts(const std::string& entry);

// Sets a text value of an uninstall entry; false when it could not be written.
bool SetEntryText(const std::string& entry, const char* name, const std::string& text);

// The text of a REG_SZ value; empty when missing.
[[nodiscard]] std::string ReadTextValue(HKEY key, const char* name);

#pragma once

#include "engine/NameSet.h"
#include "integration/RegistryPath.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What one installation made, for its removal: written by SETUP.EXE when the installation is
// complete, beside the install log, and trusted by the uninstaller only when its digest is the
// one the uninstall entry holds. Everything the removal may touch is named here, with what it
// needs to tell whether the object is still as the installation left it.

// A file's size and last-write time.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;
    bool operator==(const FileStamp&) const = default;
};

struct RecordedFile {
    std::string path;
    // Before this product's first installation a file stood there that nothing accounted for:
    // neither a SharedDLLs count nor another installed product's record.
    bool existedBefore = false;
    bool shared = false;    // a shared Copy item's destination
    bool copied = true;     // false: an existing file the item kept, which the product relies on
    std::uint64_t size = 0; // as the installation left it
    std::uint64_t writeTime = 0;
};

struct RecordedKey { // a key the installation created
    RegistryRoot root = RegistryRoot::CurrentUser;
    std::string subKey; // never empty
};

struct RecordedValue {
    RegistryRoot root = RegistryRoot::CurrentUser;
    std::string subKey; // empty: the root's own value
    std::string name;
    std::uint32_t type = 0;
    std::string data; // the bytes written
    bool existedBefore = false;
    std::uint32_t typeBefore = 0;
    std::string dataBefore;
};

struct RecordedIniKey {
    std::string file; // as the profile interface was given it
    std::string section;
    std::string key;
    std::string value; // written
    bool existedBefore = false;
    std::string valueBefore;
    bool fileExistedBefore = true;
    bool sectionExistedBefore = true; // the section held keys before
};

struct RecordedGroup {
    std::string name;
    bool created = false; // false: the group was there before
};

struct RecordedItem {
    std::string group;
    std::string name;
};

// The key of the uninstall entries under HKEY_LOCAL_MACHINE.
inline constexpr const char* kUninstallKeyPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

struct RemovalRecord {
    std::string product;    // the product's name as the install log's header gives it
    std::string entry;      // the uninstall entry's key name below the Uninstall key
    std::string scriptPath; // the installed script: the uninstall command's argument
    std::string logPath;
    std::string logDigest;                // empty: no log was written
    std::vector<std::string> directories; // every level created, parents first
    std::vector<RecordedFile> files;
    std::vector<std::string> sharedCounts; // one line per count raised
    std::vector<RecordedKey> keys;         // parents first
    std::vector<RecordedValue> values;
    std::vector<RecordedIniKey> iniKeys;
    std::vector<RecordedGroup> groups;
    std::vector<RecordedItem> items;
    std::vector<std::string> notes; // what the installation did that is never undone
};

[[nodiscard]] std::string FormatRemovalRecord(const RemovalRecord& record);

// Nothing, with error set, when text is not a whole record of this form.
[[nodiscard]] std::optional<RemovalRecord> ParseRemovalRecord(std::string_view text,
                                                              std::string& error);

// A reinstallation over the same product's earlier one: the values and INI keys the earlier
// installation overwrote keep their first earlier values, its counts still to be lowered
// stay, and what only it made is kept in the record. (Whether a file the earlier installation
// left is the product's is decided before the file is copied again.)
void MergeEarlierRecord(RemovalRecord& record, const RemovalRecord& earlier);

// What other installed products' records name, for a removal or an installation that must
// leave it to them: files, registry values and INI keys, by name, whatever they hold now.
class ProductClaims {
public:
    void Add(const RemovalRecord& record);
    [[nodiscard]] bool NamesFile(std::string_view path) const;
    [[nodiscard]] bool NamesValue(const RecordedValue& value) const;
    [[nodiscard]] bool NamesIniKey(const RecordedIniKey& key) const;

private:
    NameSet files_;
    NameSet values_;
    NameSet iniKeys_;
};

// The file name of a product's record: one per product, so that products sharing a folder keep
// theirs apart.
[[nodiscard]] std::string RemovalRecordName(std::string_view entry);

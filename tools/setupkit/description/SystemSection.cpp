#include "DescriptionReader.h"
#include "TomlWriter.h"

// [[ini]], [system_changes] and [uninstall]: read and written.

namespace {

struct IniKeys {
    static constexpr std::string_view kFile = "file";
    static constexpr std::string_view kSection = "section";
    static constexpr std::string_view kKey = "key";
    static constexpr std::string_view kValue = "value";
};

// [system_changes] holds two arrays of tables, each entry a code and a value.
struct SystemChangesKeys {
    static constexpr std::string_view kFirst = "first";
    static constexpr std::string_view kSecond = "second";
    static constexpr std::string_view kCode = "code";
    static constexpr std::string_view kValue = "value";
};

struct UninstallKeys {
    static constexpr std::string_view kName = "name";
    static constexpr std::string_view kPresent = "present";
    static constexpr std::string_view kUninstaller = "uninstaller";
};

} // namespace

void DescriptionReader::ReadIniEntries(const toml::table& root) {
    using K = IniKeys;
    const std::string_view path = TableNames::kIni;
    for (const toml::table* table : Tables(root, "", path, kByteCount)) {
        Keys(*table, path, {K::kFile, K::kSection, K::kKey, K::kValue});
        IniEntry entry;
        entry.file = RequiredText(*table, path, K::kFile);
        entry.section = Text(*table, path, K::kSection);
        entry.key = Text(*table, path, K::kKey);
        entry.value = Text(*table, path, K::kValue);
        Script().iniEntries.push_back(entry);
    }
}

void DescriptionReader::ReadSystemChanges(const toml::table& root) {
    using K = SystemChangesKeys;
    const std::string_view changesPath = TableNames::kSystemChanges;
    const toml::table* changes = Table(root, "", changesPath);
    if (!changes) {
        return;
    }
    Keys(*changes, changesPath, {K::kFirst, K::kSecond});
    const auto readList = [&](std::string_view key, std::vector<SystemFileChange>& list) {
        const std::string path = Join(changesPath, key);
        for (const toml::table* table : Tables(*changes, changesPath, key, kByteCount)) {
            Keys(*table, path, {K::kCode, K::kValue});
            const toml::node* code = table->get(K::kCode);
            if (!code) {
                Fail(TableLine(*table), Join(path, K::kCode), "missing (required here)");
            }
            SystemFileChange change;
            change.changeType =
                static_cast<std::uint32_t>(IntegerNode(*code, Join(path, K::kCode), 0, kByteMax));
            change.value = Text(*table, path, K::kValue);
            list.push_back(change);
        }
    };
    readList(K::kFirst, Script().systemChangesFirst);
    readList(K::kSecond, Script().systemChangesSecond);
}

void DescriptionReader::ReadUninstall(const toml::table& root) {
    using K = UninstallKeys;
    const std::string_view path = TableNames::kUninstall;
    const toml::table* uninstall = Table(root, "", path);
    if (!uninstall) {
        return;
    }
    Keys(*uninstall, path, {K::kName, K::kPresent, K::kUninstaller});
    SetupScript& s = Script();
    s.uninstallPresent = Flag(*uninstall, path, K::kPresent, 1);
    s.uninstallNameAsStored = Text(*uninstall, path, K::kName);
    s.uninstallName = s.uninstallPresent ? s.uninstallNameAsStored : FixedText{};
    description_.addUninstaller =
        !s.uninstallName.Empty() && Flag(*uninstall, path, K::kUninstaller, 1) != 0;
}

void WriteIniAndSystemChanges(TomlWriter& out, const SetupScript& s) {
    for (const IniEntry& entry : s.iniEntries) {
        out.ArrayTable(TableNames::kIni);
        out.Text(IniKeys::kFile, entry.file);
        out.Text(IniKeys::kSection, entry.section);
        out.Text(IniKeys::kKey, entry.key);
        out.Text(IniKeys::kValue, entry.value);
    }
    using K = SystemChangesKeys;
    const auto changes = [&](std::string_view key, const std::vector<SystemFileChange>& list) {
        for (const SystemFileChange& change : list) {
            out.ArrayTable(Join(TableNames::kSystemChanges, key));
            out.Value(K::kCode, std::to_string(change.changeType));
            out.Text(K::kValue, change.value);
        }
    };
    changes(K::kFirst, s.systemChangesFirst);
    changes(K::kSecond, s.systemChangesSecond);
}

void WriteUninstall(TomlWriter& out, const SetupScript& s) {
    const FixedText& stored = s.uninstallPresent ? s.uninstallName : s.uninstallNameAsStored;
    if (s.uninstallPresent != 0 || !stored.Stored().empty()) {
        out.Table(TableNames::kUninstall);
        if (s.uninstallPresent != 1) {
            out.Value(UninstallKeys::kPresent, FlagValue(s.uninstallPresent));
        }
        out.Text(UninstallKeys::kName, stored);
        // A built script holds the uninstaller's items already, written out above.
        out.Value(UninstallKeys::kUninstaller, "false");
    }
}

#include "DescriptionReader.h"
#include "TomlWriter.h"

// [[ini]], [system_changes] and [uninstall]: read and written.

void DescriptionReader::ReadIniEntries(const toml::table& root) {
    for (const toml::table* table : Tables(root, "", "ini", kByteCount)) {
        Keys(*table, "ini", {"file", "section", "key", "value"});
        IniEntry entry;
        entry.file = RequiredText(*table, "ini", "file");
        entry.section = Text(*table, "ini", "section");
        entry.key = Text(*table, "ini", "key");
        entry.value = Text(*table, "ini", "value");
        Script().iniEntries.push_back(entry);
    }
}

void DescriptionReader::ReadSystemChanges(const toml::table& root) {
    const toml::table* changes = Table(root, "", "system_changes");
    if (!changes) {
        return;
    }
    Keys(*changes, "system_changes", {"first", "second"});
    const auto readList = [&](std::string_view key, std::vector<SystemFileChange>& list) {
        const std::string path = Join("system_changes", key);
        for (const toml::table* table : Tables(*changes, "system_changes", key, kByteCount)) {
            Keys(*table, path, {"code", "value"});
            const toml::node* code = table->get("code");
            if (!code) {
                Fail(TableLine(*table), Join(path, "code"), "missing (required here)");
            }
            SystemFileChange change;
            change.changeType =
                static_cast<std::uint32_t>(IntegerNode(*code, Join(path, "code"), 0, kByteMax));
            change.value = Text(*table, path, "value");
            list.push_back(change);
        }
    };
    readList("first", Script().systemChangesFirst);
    readList("second", Script().systemChangesSecond);
}

void DescriptionReader::ReadUninstall(const toml::table& root) {
    const toml::table* uninstall = Table(root, "", "uninstall");
    if (!uninstall) {
        return;
    }
    Keys(*uninstall, "uninstall", {"name", "present", "uninstaller"});
    SetupScript& s = Script();
    s.uninstallPresent = Flag(*uninstall, "uninstall", "present", 1);
    s.uninstallNameAsStored = Text(*uninstall, "uninstall", "name");
    s.uninstallName = s.uninstallPresent ? s.uninstallNameAsStored : FixedText{};
    description_.addUninstaller =
        !s.uninstallName.Empty() && Flag(*uninstall, "uninstall", "uninstaller", 1) != 0;
}

void WriteIniAndSystemChanges(TomlWriter& out, const SetupScript& s) {
    for (const IniEntry& entry : s.iniEntries) {
        out.ArrayTable("ini");
        out.Text("file", entry.file);
        out.Text("section", entry.section);
        out.Text("key", entry.key);
        out.Text("value", entry.value);
    }
    const auto changes = [&](std::string_view name, const std::vector<SystemFileChange>& list) {
        for (const SystemFileChange& change : list) {
            out.ArrayTable(name);
            out.Value("code", std::to_string(change.changeType));
            out.Text("value", change.value);
        }
    };
    changes("system_changes.first", s.systemChangesFirst);
    changes("system_changes.second", s.systemChangesSecond);
}

void WriteUninstall(TomlWriter& out, const SetupScript& s) {
    const FixedText& stored = s.uninstallPresent ? s.uninstallName : s.uninstallNameAsStored;
    if (s.uninstallPresent != 0 || !stored.Stored().empty()) {
        out.Table("uninstall");
        if (s.uninstallPresent != 1) {
            out.Value("present", FlagValue(s.uninstallPresent));
        }
        out.Text("name", stored);
        // A built script holds the uninstaller's items already, written out above.
        out.Value("uninstaller", "false");
    }
}

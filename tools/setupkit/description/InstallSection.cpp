#include "DescriptionReader.h"
#include "TomlWriter.h"

// [[install]]: read and written, with the check of names Windows cannot take.

namespace fs = std::filesystem;

fs::path DescriptionReader::Source(const toml::table& table, std::string_view path) const {
    const toml::node* node = table.get("source");
    if (!node) {
        return {};
    }
    const std::string field = Join(path, "source");
    const std::string& name = StringNode(*node, field);
    if (name.empty()) {
        Fail(LineOf(*node), field, "an empty path names no file");
    }
    const fs::path file = baseDirectory_ / fs::path(name);
    std::error_code error;
    if (fs::is_directory(file, error)) {
        Fail(LineOf(*node), field,
             file.string() + " is a folder, not a file (a [[tree]] installs a folder)");
    }
    if (!fs::is_regular_file(file, error)) {
        Fail(LineOf(*node), field, "no such file: " + file.string());
    }
    return file;
}

void DescriptionReader::CheckInstalledNames() {
    const InstalledNameCheck::Outcome outcome = installedNames_.Finish(Script(), fileName_);
    if (outcome.refused) {
        Fail(outcome.refused->line, outcome.refused->field, outcome.refused->problem);
    }
    if (outcome.kept) {
        description_.unusable.push_back(*outcome.kept);
    }
}

void DescriptionReader::ReadInstallItems(const toml::table& root) {
    std::vector<std::pair<const toml::table*, EntryKind>> entries;
    for (const toml::table* table : Tables(root, "", "install", kWordCount)) {
        entries.emplace_back(table, EntryKind::Install);
    }
    for (const toml::table* table : Tables(root, "", "tree", kWordCount)) {
        entries.emplace_back(table, EntryKind::Tree);
    }
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        const toml::source_position& pa = a.first->source().begin;
        const toml::source_position& pb = b.first->source().begin;
        return pa.line != pb.line ? pa.line < pb.line : pa.column < pb.column;
    });
    std::map<std::string, std::uint32_t> ids;
    for (const auto& [table, kind] : entries) {
        if (kind == EntryKind::Tree) {
            ReadTree(*table);
        } else {
            ReadInstallItem(table, ids);
        }
    }
}

void DescriptionReader::ReadItemSize(const toml::table& table, InstallItem& item,
                                     ItemSource& source) const {
    if (const std::optional<std::int64_t> size =
            OptionalInteger(table, "install", "size", 0, kDwordMax)) {
        item.size = static_cast<std::uint32_t>(*size);
        source.sizeGiven = true;
    } else if (!source.file.empty()) {
        std::error_code error;
        const std::uintmax_t bytes = fs::file_size(source.file, error);
        if (error || bytes > static_cast<std::uintmax_t>(kDwordMax)) {
            Fail(LineOf(*table.get("source")), "install.source",
                 error ? "cannot read the size of " + source.file.string()
                       : source.file.string() + " is larger than 4 GB");
        }
        item.size = static_cast<std::uint32_t>(bytes);
    }
}

void DescriptionReader::ReadItemPlace(const toml::table& table, InstallItem& item,
                                      ItemSource& source) {
    item.dirIndex = 1;
    if (const toml::node* directory = table.get("directory")) {
        item.dirIndex = static_cast<std::uint8_t>(
            Reference(*directory, "install.directory", directoryNames_, "directory", 1, kByteMax));
        const std::size_t count = Script().directories.size();
        if (count > 0 && (item.dirIndex == 0 || item.dirIndex > count)) {
            Unusable(LineOf(*directory), "install.directory",
                     "there is no directory " + std::to_string(item.dirIndex) + " (of " +
                         std::to_string(count) +
                         "): SETUP.EXE would report it unable to install the item");
        }
    }
    item.diskNumber = 1;
    if (const toml::node* disk = table.get("disk")) {
        item.diskNumber = static_cast<std::uint8_t>(DiskReference(*disk));
        source.diskGiven = true;
        const std::size_t labels = Script().diskLabels.size();
        if (item.diskNumber == 0 || (item.diskNumber > 1 && item.diskNumber > labels &&
                                     description_.disks.labelPattern.empty())) {
            Warn(LineOf(*disk), "install.disk",
                 "disk " + std::to_string(item.diskNumber) + " has no label");
        }
    }
}

void DescriptionReader::ReadInstallItem(const toml::table* table,
                                        std::map<std::string, std::uint32_t>& ids) {
    const std::string_view path = "install";
    Keys(*table, path,
         {"id", "name", "source", "size", "directory", "disk", "action", "overwrite", "compressed",
          "read_only", "shared", "parts", "source_subdir", "verbatim"});
    InstallItem item;
    ItemSource source;
    source.line = TableLine(*table);
    source.file = Source(*table, path);
    std::string key = Key(*table, path, "name", ids);
    if (const std::optional<FixedText> name = OptionalText(*table, path, "name")) {
        item.name = *name;
    } else if (!source.file.empty()) {
        item.name = FileNameOf(source.file, LineOf(*table->get("source")), "install.source");
        if (key.empty()) {
            key = source.file.filename().string();
        }
    } else {
        Fail(TableLine(*table), "install.name", "give a name, a source or both");
    }

    ReadItemSize(*table, item, source);
    ReadItemPlace(*table, item, source);
    item.action = static_cast<std::uint8_t>(
        Enum(*table, path, "action", kItemActions, kByteMax, static_cast<int>(ItemAction::Copy)));
    item.overwriteMode =
        static_cast<std::uint8_t>(Enum(*table, path, "overwrite", kOverwriteModes, kByteMax,
                                       static_cast<int>(OverwriteMode::IfOlder)));
    item.compressed = Flag(*table, path, "compressed", 0);
    item.readOnly = Flag(*table, path, "read_only", 0);
    item.shared = Flag(*table, path, "shared", 0);
    item.partCount =
        static_cast<std::uint8_t>(OptionalInteger(*table, path, "parts", 0, kByteMax).value_or(0));
    item.sourceSubdir = Text(*table, path, "source_subdir");
    const toml::node* nameNode = table->get("name");
    const toml::node* named = nameNode ? nameNode : table->get("source");
    installedNames_.NoteItem("install item", AnsiToUtf8(item.name.Str()), LineOf(*named),
                             nameNode ? "install.name" : "install.source",
                             Bool(*table, path, "verbatim"), item.name.Str(),
                             ItemNameProblem(item));

    itemNames_.Add(key, Script().installItems.size());
    description_.itemIds.push_back(key);
    description_.sources.push_back(source);
    Script().installItems.push_back(item);
}

void WriteInstallItems(TomlWriter& out, const SetupScript& s, const ItemReferences& references) {
    std::vector<bool> collided(s.installItems.size());
    for (const auto& [first, later] : CaseCollisions(s)) {
        collided[first] = collided[later] = true;
    }
    for (std::size_t i = 0; i < s.installItems.size(); ++i) {
        const InstallItem& item = s.installItems[i];
        out.ArrayTable("install");
        if (!references.Id(i).empty()) {
            out.Value("id", TomlString(references.Id(i)));
        }
        out.Text("name", item.name);
        if (collided[i] || ItemNameProblem(item)) {
            out.Comment("Windows cannot take this name as it is, or beside another one");
            out.Value("verbatim", "true");
        }
        out.Value("directory", DirectoryReference(s, item.dirIndex));
        if (item.diskNumber != 1) {
            out.Value("disk", std::to_string(item.diskNumber));
        }
        if (item.size != 0) {
            out.Value("size", std::to_string(item.size));
        }
        if (item.action != static_cast<std::uint8_t>(ItemAction::Copy)) {
            out.Value("action", NamedOrNumber(kItemActions, item.action));
        }
        if (item.overwriteMode != static_cast<std::uint8_t>(OverwriteMode::IfOlder)) {
            out.Value("overwrite", NamedOrNumber(kOverwriteModes, item.overwriteMode));
        }
        if (item.compressed != 0) {
            out.Value("compressed", FlagValue(item.compressed));
        }
        if (item.partCount != 0) {
            out.Value("parts", std::to_string(item.partCount));
        }
        if (item.readOnly != 0) {
            out.Value("read_only", FlagValue(item.readOnly));
        }
        if (item.shared != 0) {
            out.Value("shared", FlagValue(item.shared));
        }
        out.TextIfAny("source_subdir", item.sourceSubdir);
    }
}

#include "DescriptionReader.h"
#include "TomlWriter.h"

// [[install]]: read and written, with the check of names Windows cannot take.

namespace fs = std::filesystem;

namespace {

// The keys of an [[install]] item besides those it shares with a [[tree]] (SharedKeys).
struct InstallKeys {
    static constexpr std::string_view kName = "name";
    static constexpr std::string_view kSize = "size";
    static constexpr std::string_view kAction = "action";
    static constexpr std::string_view kParts = "parts";
};

} // namespace

fs::path DescriptionReader::Source(const toml::table& table, std::string_view path) const {
    const toml::node* node = table.get(SharedKeys::kSource);
    if (!node) {
        return {};
    }
    const std::string field = Join(path, SharedKeys::kSource);
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
    for (const toml::table* table : Tables(root, "", TableNames::kInstall, kWordCount)) {
        entries.emplace_back(table, EntryKind::Install);
    }
    for (const toml::table* table : Tables(root, "", TableNames::kTree, kWordCount)) {
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
            OptionalInteger(table, TableNames::kInstall, InstallKeys::kSize, 0, kDwordMax)) {
        item.size = static_cast<std::uint32_t>(*size);
        source.sizeGiven = true;
    } else if (!source.file.empty()) {
        std::error_code error;
        const std::uintmax_t bytes = fs::file_size(source.file, error);
        if (error || bytes > static_cast<std::uintmax_t>(kDwordMax)) {
            Fail(LineOf(*table.get(SharedKeys::kSource)),
                 Join(TableNames::kInstall, SharedKeys::kSource),
                 error ? "cannot read the size of " + source.file.string()
                       : source.file.string() + " is larger than 4 GB");
        }
        item.size = static_cast<std::uint32_t>(bytes);
    }
}

void DescriptionReader::ReadItemPlace(const toml::table& table, InstallItem& item,
                                      ItemSource& source) {
    item.dirIndex = 1;
    if (const toml::node* directory = table.get(SharedKeys::kDirectory)) {
        const std::string field = Join(TableNames::kInstall, SharedKeys::kDirectory);
        item.dirIndex = static_cast<std::uint8_t>(
            Reference(*directory, field, directoryNames_, TableNames::kDirectory, 1, kByteMax));
        const std::size_t count = Script().directories.size();
        if (count > 0 && (item.dirIndex == 0 || item.dirIndex > count)) {
            Unusable(LineOf(*directory), field,
                     "there is no directory " + std::to_string(item.dirIndex) + " (of " +
                         std::to_string(count) +
                         "): SETUP.EXE would report it unable to install the item");
        }
    }
    item.diskNumber = 1;
    if (const toml::node* disk = table.get(SharedKeys::kDisk)) {
        item.diskNumber = static_cast<std::uint8_t>(DiskReference(*disk));
        source.diskGiven = true;
        const std::size_t labels = Script().diskLabels.size();
        if (item.diskNumber == 0 || (item.diskNumber > 1 && item.diskNumber > labels &&
                                     description_.disks.labelPattern.empty())) {
            Warn(LineOf(*disk), Join(TableNames::kInstall, SharedKeys::kDisk),
                 "disk " + std::to_string(item.diskNumber) + " has no label");
        }
    }
}

void DescriptionReader::ReadInstallItem(const toml::table* table,
                                        std::map<std::string, std::uint32_t>& ids) {
    using K = InstallKeys;
    using S = SharedKeys;
    const std::string_view path = TableNames::kInstall;
    Keys(*table, path,
         {S::kId, K::kName, S::kSource, K::kSize, S::kDirectory, S::kDisk, K::kAction,
          S::kOverwrite, S::kCompressed, S::kReadOnly, S::kShared, K::kParts, S::kSourceSubdir,
          S::kVerbatim});
    InstallItem item;
    ItemSource source;
    source.line = TableLine(*table);
    source.file = Source(*table, path);
    std::string key = Key(*table, path, K::kName, ids);
    if (const std::optional<FixedText> name = OptionalText(*table, path, K::kName)) {
        item.name = *name;
    } else if (!source.file.empty()) {
        item.name =
            FileNameOf(source.file, LineOf(*table->get(S::kSource)), Join(path, S::kSource));
        if (key.empty()) {
            key = source.file.filename().string();
        }
    } else {
        Fail(TableLine(*table), Join(path, K::kName), "give a name, a source or both");
    }

    ReadItemSize(*table, item, source);
    ReadItemPlace(*table, item, source);
    item.action = static_cast<std::uint8_t>(
        Enum(*table, path, K::kAction, kItemActions, kByteMax, static_cast<int>(ItemAction::Copy)));
    item.overwriteMode =
        static_cast<std::uint8_t>(Enum(*table, path, S::kOverwrite, kOverwriteModes, kByteMax,
                                       static_cast<int>(OverwriteMode::IfOlder)));
    item.compressed = Flag(*table, path, S::kCompressed, 0);
    item.readOnly = Flag(*table, path, S::kReadOnly, 0);
    item.shared = Flag(*table, path, S::kShared, 0);
    item.partCount = static_cast<std::uint8_t>(
        OptionalInteger(*table, path, K::kParts, 0, kByteMax).value_or(0));
    item.sourceSubdir = Text(*table, path, S::kSourceSubdir);
    const toml::node* nameNode = table->get(K::kName);
    const toml::node* named = nameNode ? nameNode : table->get(S::kSource);
    installedNames_.NoteItem("install item", AnsiToUtf8(item.name.Str()), LineOf(*named),
                             Join(path, nameNode ? K::kName : S::kSource),
                             Bool(*table, path, S::kVerbatim), item.name.Str(),
                             ItemNameProblem(item));

    itemNames_.Add(key, Script().installItems.size());
    description_.itemIds.push_back(key);
    description_.sources.push_back(source);
    Script().installItems.push_back(item);
}

void WriteInstallItems(TomlWriter& out, const SetupScript& s, const ItemReferences& references) {
    using K = InstallKeys;
    using S = SharedKeys;
    std::vector<bool> collided(s.installItems.size());
    for (const auto& [first, later] : CaseCollisions(s)) {
        collided[first] = collided[later] = true;
    }
    for (std::size_t i = 0; i < s.installItems.size(); ++i) {
        const InstallItem& item = s.installItems[i];
        out.ArrayTable(TableNames::kInstall);
        if (!references.Id(i).empty()) {
            out.Value(S::kId, TomlString(references.Id(i)));
        }
        out.Text(K::kName, item.name);
        if (collided[i] || ItemNameProblem(item)) {
            out.Comment("Windows cannot take this name as it is, or beside another one");
            out.Value(S::kVerbatim, "true");
        }
        out.Value(S::kDirectory, DirectoryReference(s, item.dirIndex));
        if (item.diskNumber != 1) {
            out.Value(S::kDisk, std::to_string(item.diskNumber));
        }
        if (item.size != 0) {
            out.Value(K::kSize, std::to_string(item.size));
        }
        if (item.action != static_cast<std::uint8_t>(ItemAction::Copy)) {
            out.Value(K::kAction, NamedOrNumber(kItemActions, item.action));
        }
        if (item.overwriteMode != static_cast<std::uint8_t>(OverwriteMode::IfOlder)) {
            out.Value(S::kOverwrite, NamedOrNumber(kOverwriteModes, item.overwriteMode));
        }
        if (item.compressed != 0) {
            out.Value(S::kCompressed, FlagValue(item.compressed));
        }
        if (item.partCount != 0) {
            out.Value(K::kParts, std::to_string(item.partCount));
        }
        if (item.readOnly != 0) {
            out.Value(S::kReadOnly, FlagValue(item.readOnly));
        }
        if (item.shared != 0) {
            out.Value(S::kShared, FlagValue(item.shared));
        }
        out.TextIfAny(S::kSourceSubdir, item.sourceSubdir);
    }
}

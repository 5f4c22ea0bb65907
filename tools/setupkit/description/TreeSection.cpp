#include "DescriptionReader.h"

// [[tree]]: read into install items and directories (dump writes those, not the tree).

namespace fs = std::filesystem;

namespace {

// The keys of a [[tree]] besides those it shares with an [[install]] item (SharedKeys).
struct TreeKeys {
    static constexpr std::string_view kInclude = "include";
    static constexpr std::string_view kExclude = "exclude";
};

std::string TreeSourceField() {
    return Join(TableNames::kTree, SharedKeys::kSource);
}

} // namespace

void DescriptionReader::ReadTree(const toml::table& table) {
    using S = SharedKeys;
    Keys(table, TableNames::kTree,
         {S::kId, S::kSource, S::kDirectory, TreeKeys::kInclude, TreeKeys::kExclude, S::kOverwrite,
          S::kCompressed, S::kReadOnly, S::kShared, S::kSourceSubdir, S::kComponents});
    TreeContext tree;
    tree.line = TableLine(table);
    ReadTreeSource(table, tree);
    ReadTreeId(table, tree);
    const TreeListing listing = ListTree(table, tree);
    ReadTreeDestination(table, tree);
    AddTreeFolders(listing, tree);
    ReadTreeSettings(table, tree);
    TreeMembership membership;
    membership.first = Script().installItems.size();
    for (const std::string& file : listing.files) {
        AddTreeFile(file, tree);
    }
    membership.end = Script().installItems.size();
    for (const auto& [component, componentLine] :
         Strings(table, TableNames::kTree, S::kComponents, kByteCount)) {
        membership.components.emplace_back(component, componentLine);
    }
    treeMemberships_.push_back(std::move(membership));
}

void DescriptionReader::ReadTreeSource(const toml::table& table, TreeContext& tree) const {
    const toml::node* sourceNode = table.get(SharedKeys::kSource);
    if (!sourceNode) {
        Fail(tree.line, TreeSourceField(), "missing (required here)");
    }
    tree.sourceLine = LineOf(*sourceNode);
    const std::string& sourceName = StringNode(*sourceNode, TreeSourceField());
    tree.folder = (baseDirectory_ / fs::path(sourceName)).lexically_normal();
    std::error_code error;
    if (!fs::is_directory(tree.folder, error)) {
        Fail(tree.sourceLine, TreeSourceField(),
             fs::exists(tree.folder, error)
                 ? tree.folder.string() + " is a file, not a folder (an [[install]] takes a file)"
                 : "no such folder: " + tree.folder.string());
    }
}

void DescriptionReader::ReadTreeId(const toml::table& table, TreeContext& tree) {
    const fs::path& folder = tree.folder;
    tree.id = folder.has_filename() ? folder.filename().string()
                                    : folder.parent_path().filename().string();
    std::uint32_t idLine = tree.sourceLine;
    if (const toml::node* idNode = table.get(SharedKeys::kId)) {
        tree.id = StringNode(*idNode, Join(TableNames::kTree, SharedKeys::kId));
        idLine = LineOf(*idNode);
    }
    if (tree.id.empty() || tree.id.find('/') != std::string::npos) {
        Fail(idLine, Join(TableNames::kTree, SharedKeys::kId),
             "a tree's id is not empty and holds no /");
    }
    if (const auto it = treeIds_.find(tree.id); it != treeIds_.end()) {
        Fail(idLine, Join(TableNames::kTree, SharedKeys::kId),
             "id " + Quoted(tree.id) + " is already used by the tree on line " +
                 std::to_string(it->second));
    }
    treeIds_.emplace(tree.id, tree.line);
}

TreeListing DescriptionReader::ListTree(const toml::table& table, const TreeContext& tree) const {
    const TreeListing listing =
        ListFolderTree(tree.folder, Patterns(table, TreeKeys::kInclude, {"**"}),
                       Patterns(table, TreeKeys::kExclude, {}), kWordCount);
    if (!listing.problem.empty()) {
        Fail(tree.sourceLine, TreeSourceField(), listing.problem);
    }
    if (listing.tooMany) {
        Fail(tree.sourceLine, TreeSourceField(),
             "the patterns take more than 65535 files of " + tree.folder.string() +
                 ", more than an install list holds");
    }
    if (listing.files.empty()) {
        Fail(tree.sourceLine, TreeSourceField(),
             "no file of " + tree.folder.string() +
                 " is taken by the include and exclude patterns");
    }
    return listing;
}

void DescriptionReader::ReadTreeDestination(const toml::table& table, TreeContext& tree) const {
    std::uint32_t destinationLine = tree.line;
    if (const toml::node* directory = table.get(SharedKeys::kDirectory)) {
        tree.destination = static_cast<std::uint32_t>(
            Reference(*directory, Join(TableNames::kTree, SharedKeys::kDirectory), directoryNames_,
                      TableNames::kDirectory, 1, kByteMax));
        destinationLine = LineOf(*directory);
    }
    const std::vector<DirectoryEntry>& directories = description_.script.directories;
    if (tree.destination == 0 || tree.destination > directories.size()) {
        Fail(destinationLine, Join(TableNames::kTree, SharedKeys::kDirectory),
             "there is no directory " + std::to_string(tree.destination) + " (of " +
                 std::to_string(directories.size()) + ")");
    }
    // The first directory is whatever the user chooses, ?D; the others as their own paths
    // give them, macros and all.
    tree.base = tree.destination == 1
                    ? std::string("?D")
                    : AnsiToUtf8(directories[tree.destination - 1].templatePath.Str());
    if (!tree.base.empty() && tree.base.back() == '\\') {
        tree.base.pop_back();
    }
}

void DescriptionReader::AddTreeFolders(const TreeListing& listing, TreeContext& tree) {
    tree.folderDirectories = {{"", tree.destination}};
    for (const std::string& sub : listing.folders) {
        if (const std::optional<std::string> problem =
                WindowsNameProblem(sub.substr(sub.rfind('/') + 1))) {
            installedNames_.NoteFolder(tree.id + '/' + sub, tree.sourceLine, TreeSourceField(),
                                       *problem);
        }
        tree.folderDirectories[sub] =
            TreeDirectory(tree.base + '\\' + Backslashed(sub), tree.sourceLine);
    }
    for (const LeftOutFile& file : listing.leftOut) {
        treeLeftOut_[TreeFileKey(tree.id + '/' + file.path)] = file.exclude;
    }
}

void DescriptionReader::ReadTreeSettings(const toml::table& table, TreeContext& tree) {
    const std::string_view path = TableNames::kTree;
    InstallItem& settings = tree.settings;
    settings.action = static_cast<std::uint8_t>(ItemAction::Copy);
    settings.diskNumber = 1;
    settings.overwriteMode =
        static_cast<std::uint8_t>(Enum(table, path, SharedKeys::kOverwrite, kOverwriteModes,
                                       kByteMax, static_cast<int>(OverwriteMode::IfOlder)));
    settings.compressed = Flag(table, path, SharedKeys::kCompressed, 0);
    settings.readOnly = Flag(table, path, SharedKeys::kReadOnly, 0);
    settings.shared = Flag(table, path, SharedKeys::kShared, 0);
    tree.subdirBase = AnsiToUtf8(Text(table, path, SharedKeys::kSourceSubdir).Str());
}

void DescriptionReader::AddTreeFile(const std::string& file, const TreeContext& tree) {
    const std::uint32_t sourceLine = tree.sourceLine;
    if (Script().installItems.size() == kWordCount) {
        Fail(sourceLine, TreeSourceField(),
             "with " + file + " the install list would hold more than 65535 items");
    }
    const std::size_t slash = file.rfind('/');
    const std::string sub = slash == std::string::npos ? "" : file.substr(0, slash);
    const std::string name = file.substr(slash == std::string::npos ? 0 : slash + 1);
    InstallItem item = tree.settings;
    item.name = LimitedText(name, sourceLine, "the name of " + file);
    item.dirIndex = static_cast<std::uint8_t>(tree.folderDirectories.at(sub));
    std::string subdir = tree.subdirBase;
    if (!sub.empty()) {
        subdir += (subdir.empty() ? "" : "\\") + Backslashed(sub);
    }
    item.sourceSubdir = LimitedText(subdir, sourceLine, "the folder of " + file + " on the disk");
    ItemSource source;
    source.file = tree.folder / fs::path(file);
    source.line = tree.line;
    std::error_code error;
    const std::uintmax_t bytes = fs::file_size(source.file, error);
    if (error || bytes > static_cast<std::uintmax_t>(kDwordMax)) {
        Fail(sourceLine, TreeSourceField(),
             error ? "cannot read the size of " + source.file.string()
                   : source.file.string() + " is larger than 4 GB");
    }
    item.size = static_cast<std::uint32_t>(bytes);

    const std::string key = tree.id + '/' + file;
    const std::uint8_t dir = item.dirIndex;
    const std::string directoryPath =
        dir == tree.destination ? tree.base
                                : AnsiToUtf8(Script().directories[dir - 1].templatePath.Str());
    treeFilePaths_[TreeFileKey(key)] = directoryPath + '\\' + name;
    installedNames_.NoteItem("tree file", key, sourceLine, TreeSourceField(), false, file,
                             WindowsNameProblem(name));
    itemNames_.Add(key, Script().installItems.size());
    description_.itemIds.push_back(key);
    description_.sources.push_back(source);
    Script().installItems.push_back(item);
}

std::uint32_t DescriptionReader::TreeDirectory(const std::string& utf8Path, std::uint32_t line) {
    const FixedText text = LimitedText(utf8Path, line, "the directory " + utf8Path);
    std::vector<DirectoryEntry>& directories = Script().directories;
    for (std::size_t i = 0; i < directories.size(); ++i) {
        if (SameAsciiText(directories[i].templatePath.View(), text.View())) {
            return static_cast<std::uint32_t>(i + 1);
        }
    }
    if (directories.size() == kByteCount) {
        Fail(line, TreeSourceField(),
             "the folder " + utf8Path +
                 " would be directory 256: the script holds at most 255 directories");
    }
    DirectoryEntry entry;
    entry.templatePath = text;
    entry.path = text;
    directories.push_back(entry);
    return static_cast<std::uint32_t>(directories.size());
}

std::string DescriptionReader::Backslashed(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::vector<std::string> DescriptionReader::Patterns(const toml::table& table, std::string_view key,
                                                     std::vector<std::string> fallback) const {
    if (!table.get(key)) {
        return fallback;
    }
    std::vector<std::string> patterns;
    for (const auto& [pattern, line] : Strings(table, TableNames::kTree, key, kDwordMax)) {
        if (const std::optional<std::string> problem = TreePatternProblem(pattern)) {
            Fail(line, Join(TableNames::kTree, key), Quoted(pattern) + ": " + *problem);
        }
        patterns.push_back(pattern);
    }
    return patterns;
}

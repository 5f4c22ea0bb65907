#pragma once

// The reader of a product description: one object per load, its section readers in the
// files named after the sections (HeaderSection.cpp, TreeSection.cpp, ...), beside their
// writers. Internal to the description library.

#include "ProductDescription.h"

#include "Cp1252.h"
#include "DescriptionKeys.h"
#include "DescriptionNames.h"
#include "FolderTree.h"
#include "InstalledNameCheck.h"
#include "ParserInput.h"
#include "ProgramNameCheck.h"
#include "RegistryKeyCheck.h"
#include "TextReferences.h"
#include "ToolError.h"
#include "ToolFiles.h"
#include "TreePattern.h"
#include "WindowsNames.h"
#include "common/AsciiCase.h"
#include "script/ScriptWriter.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <map>
#include <span>

inline constexpr std::int64_t kByteMax = 0xFF;
inline constexpr std::int64_t kWordMax = 0xFFFF;
inline constexpr std::int64_t kDwordMax = 0xFFFFFFFF;
inline constexpr std::size_t kByteCount = 0xFF;
inline constexpr std::size_t kWordCount = 0xFFFF;

enum class EntryKind { Install, Tree };

inline std::uint32_t LineOf(const toml::node& node) {
    return node.source().begin.line;
}

inline std::string Join(std::string_view path, std::string_view key) {
    return path.empty() ? std::string(key) : std::string(path) + '.' + std::string(key);
}

inline std::string Quoted(std::string_view text) {
    return '"' + std::string(text) + '"';
}

inline std::string CodePointName(char32_t cp) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(cp));
    return name;
}

// Names that refer to the entries of one list: an entry's key is its id, or its own text when
// it has none. A key shared by several entries can only be referred to by number.
class NameTable {
public:
    void Add(const std::string& key, std::size_t position) {
        if (!key.empty()) {
            positions_[key].push_back(position);
        }
    }
    const std::vector<std::size_t>* Find(const std::string& key) const {
        const auto it = positions_.find(key);
        return it == positions_.end() ? nullptr : &it->second;
    }

private:
    std::map<std::string, std::vector<std::size_t>> positions_;
};

class DescriptionReader {
public:
    DescriptionReader(std::string fileName, std::filesystem::path baseDirectory)
        : fileName_(std::move(fileName)), baseDirectory_(std::move(baseDirectory)) {}

    ProductDescription Read(const toml::table& root);

private:
    SetupScript& Script() { return description_.script; }

    [[noreturn]] void Fail(std::uint32_t line, std::string field, std::string problem) const;

    void Warn(std::uint32_t line, const std::string& field, const std::string& problem);

    // What SETUP.EXE cannot use but a loadable script may hold: compile warns, build refuses.
    void Unusable(std::uint32_t line, const std::string& field, const std::string& problem);

    // Every key of a table must be one the format knows: a misspelt key is an error, not a
    // silently ignored setting.
    void Keys(const toml::table& table, std::string_view path,
              std::span<const std::string_view> allowed) const;
    void Keys(const toml::table& table, std::string_view path,
              std::initializer_list<std::string_view> allowed) const;

    const toml::table* Table(const toml::table& parent, std::string_view path,
                             std::string_view key) const;

    // The entries of [[key]]; fails when there are more than the format can count.
    std::vector<const toml::table*> Tables(const toml::table& parent, std::string_view path,
                                           std::string_view key, std::size_t most) const;

    std::uint32_t TableLine(const toml::table& table) const { return LineOf(table); }

    // A text of the description: its references (`${name}`) replaced, then stored as ANSI.
    FixedText ToText(const std::string& utf8, std::uint32_t line, const std::string& field) const;

    // A tree's file by its id and path; the path is compared without regard to case, as the
    // tree's patterns compare it.
    ReferenceTarget TreeFileTarget(std::string_view name) const;

    // tree-id/PATH: the path in upper case, the id as written.
    static std::string TreeFileKey(std::string_view name);

    // A text taken as it is, without references: file names found on disk.
    FixedText ToAnsi(const std::string& utf8, std::uint32_t line, const std::string& field) const;

    const std::string& StringNode(const toml::node& node, const std::string& field) const;

    std::optional<FixedText> OptionalText(const toml::table& table, std::string_view path,
                                          std::string_view key) const;

    FixedText Text(const toml::table& table, std::string_view path, std::string_view key) const;

    FixedText RequiredText(const toml::table& table, std::string_view path,
                           std::string_view key) const;

    TextBlock Block(const FixedText& text) const;

    std::int64_t IntegerNode(const toml::node& node, const std::string& field, std::int64_t low,
                             std::int64_t high) const;

    std::optional<std::int64_t> OptionalInteger(const toml::table& table, std::string_view path,
                                                std::string_view key, std::int64_t low,
                                                std::int64_t high) const;

    // A flag byte: true and false for 1 and 0, or the byte itself, since a loadable script may
    // store any value there.
    std::uint8_t Flag(const toml::table& table, std::string_view path, std::string_view key,
                      std::uint8_t fallback) const;

    std::int64_t Enum(const toml::table& table, std::string_view path, std::string_view key,
                      std::span<const NamedValue> names, std::int64_t high,
                      std::int64_t fallback) const;

    // A reference to an entry of another list, by name (see NameTable) or by the number the
    // script stores. Numbers are taken as they stand, up to high.
    std::int64_t Reference(const toml::node& node, const std::string& field, const NameTable& names,
                           std::string_view what, std::int64_t base, std::int64_t high) const;

    // A source file named relative to the description; it must exist so that `build` can
    // use it and compile can take its size.
    std::filesystem::path Source(const toml::table& table, std::string_view path) const;

    FixedText FileNameOf(const std::filesystem::path& file, std::uint32_t line,
                         const std::string& field) const;

    // A picture or text file the script names: `file` is the name on the disk, `source` the
    // file it comes from; the name defaults to the source's file name.
    void ReadNamedFile(const toml::table& root, std::string_view key, FixedText& name,
                       std::filesystem::path& source,
                       std::initializer_list<std::string_view> extraKeys = {});

    void ReadTitledText(const toml::table& root, std::string_view key, std::string_view titleKey,
                        FixedText& title, FixedText& text);

    // [define]: names for texts that several texts share, used as ${name}.
    void ReadDefinitions(const toml::table& root);

    void ReadHeader(const toml::table& root);

    bool Bool(const toml::table& table, std::string_view path, std::string_view key) const;

    // Strings of an array, each with its line.
    std::vector<std::pair<std::string, std::uint32_t>> Strings(const toml::table& table,
                                                               std::string_view path,
                                                               std::string_view key,
                                                               std::size_t most) const;

    void ReadDisks(const toml::table& root);

    void ReadDirectories(const toml::table& root);

    // The key an entry is referred to by: its id, else its own text (keyField). Ids are unique.
    std::string Key(const toml::table& table, std::string_view path, std::string_view keyField,
                    std::map<std::string, std::uint32_t>& ids) const;

    void ReadProgramGroups(const toml::table& root);

    // A program group's or item's name that would break the program manager's commands
    // (ProgramNameBreaks), kept until every name is read so that one message lists them all.
    struct BreakingName {
        std::string what; // "group" or "item"
        std::string name; // ANSI
        std::string characters;
        std::uint32_t line = 0;
        std::string field;
        bool verbatim = false;
    };

    void NoteProgramName(std::string what, const FixedText& name, std::uint32_t line,
                         std::string field, bool verbatim);

    static std::string ListBreakingNames(const std::vector<const BreakingName*>& names);

    // Names written by hand are refused; names marked verbatim (dump marks those a script
    // holds, so that it compiles back) are what build refuses.
    void CheckProgramNames();

    // Every name Windows cannot take, and every two it cannot hold apart, in one message.
    void CheckInstalledNames();

    void ReadProgramItems(const toml::table& root);

    // [[install]] and [[tree]] entries make one install list, in the order they are written.
    void ReadInstallItems(const toml::table& root);

    // The size given, else the source file's.
    void ReadItemSize(const toml::table& table, InstallItem& item, ItemSource& source) const;

    // The directory it goes to and the disk it comes from.
    void ReadItemPlace(const toml::table& table, InstallItem& item, ItemSource& source);

    void ReadInstallItem(const toml::table* table, std::map<std::string, std::uint32_t>& ids);

    // A disk by its label, by its number, or by the label its number gets from the label
    // pattern (which only build and the labels' absence make real).
    std::int64_t DiskReference(const toml::node& node);

    // What a tree's files share while they become install items.
    struct TreeContext {
        std::string id;
        std::filesystem::path folder;
        std::uint32_t line = 0;       // the [[tree]] table's
        std::uint32_t sourceLine = 0; // its source key's
        std::uint32_t destination = 1;
        std::string base; // the destination as the sub-folders' paths start
        std::map<std::string, std::uint32_t> folderDirectories; // sub-folder -> directory
        InstallItem settings;
        std::string subdirBase;
    };

    // [[tree]]: the files of a folder, picked by patterns, become install items, each
    // sub-folder a directory below the tree's destination, in the byte order of their paths.
    void ReadTree(const toml::table& table);

    void ReadTreeSource(const toml::table& table, TreeContext& tree) const;

    // The id names the tree's files in texts (tree-id/path); by default the folder's name.
    void ReadTreeId(const toml::table& table, TreeContext& tree);

    TreeListing ListTree(const toml::table& table, const TreeContext& tree) const;

    void ReadTreeDestination(const toml::table& table, TreeContext& tree) const;

    void AddTreeFolders(const TreeListing& listing, TreeContext& tree);

    void ReadTreeSettings(const toml::table& table, TreeContext& tree);

    // One file of the tree (its path in the tree, with /) as an install item.
    void AddTreeFile(const std::string& file, const TreeContext& tree);

    // The number of the directory at path, made when no directory has it yet (as FAT and
    // Windows compare names: without regard to case).
    std::uint32_t TreeDirectory(const std::string& utf8Path, std::uint32_t line);

    // A name or path a tree makes from the folder's files, with what it is named in faults.
    FixedText LimitedText(const std::string& utf8, std::uint32_t line,
                          const std::string& what) const;

    static std::string Backslashed(std::string path);

    std::vector<std::string> Patterns(const toml::table& table, std::string_view key,
                                      std::vector<std::string> fallback) const;

    // Without labels of its own, a description with a label pattern gets one label for each
    // disk its items name.
    void FillDiskLabelsFromPattern();

    void ReadFinalPrograms(const toml::table& root);

    void ReadRegistry(const toml::table& root);

    void ReadComponents(const toml::table& root);

    // Each tree's files join the components its `components` list names, after their own.
    void AddTreesToComponents();

    void ReadSetupTypes(const toml::table& root);

    void ReadIniEntries(const toml::table& root);

    void ReadSystemChanges(const toml::table& root);

    void ReadUninstall(const toml::table& root);

    // [signing]: a build setting, kept beside the script in the description (SigningSection.cpp).
    void ReadSigning(const toml::table& root);

    // A path of [signing], resolved against the description's folder.
    std::filesystem::path SigningPath(const toml::table& table, std::string_view key) const;

    // Checks what only the whole script shows and fills the fields the loader would compute, so
    // that the script equals the one SETUP.EXE will load.
    void Finish();

    std::string fileName_;
    std::filesystem::path baseDirectory_;
    ProductDescription description_;
    NameTable directoryNames_;
    NameTable groupNames_;
    NameTable diskNames_;
    NameTable itemNames_;
    NameTable componentNames_;
    std::vector<BreakingName> breakingNames_;
    std::uint32_t labelPatternLine_ = 0;
    std::map<std::string, std::string> definitions_;   // [define]: name -> text (UTF-8)
    std::map<std::string, std::string> treeFilePaths_; // TreeFileKey -> installed path (UTF-8)
    bool treesRead_ = false;                           // treeFilePaths_ is complete
    std::map<std::string, std::string> treeLeftOut_;   // TreeFileKey -> the exclude, or empty
    InstalledNameCheck installedNames_;
    std::map<std::string, std::uint32_t> treeIds_; // id -> line of its [[tree]]
    // The install items of each tree and the components (by name) that hold them.
    struct TreeMembership {
        std::size_t first = 0;
        std::size_t end = 0;
        std::vector<std::pair<std::string, std::uint32_t>> components;
    };
    std::vector<TreeMembership> treeMemberships_;
};

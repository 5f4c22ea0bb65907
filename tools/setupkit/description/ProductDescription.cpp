#include "ProductDescription.h"

#include "Cp1252.h"
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

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kByteMax = 0xFF;
constexpr std::int64_t kWordMax = 0xFFFF;
constexpr std::int64_t kDwordMax = 0xFFFFFFFF;
constexpr std::size_t kByteCount = 0xFF;
constexpr std::size_t kWordCount = 0xFFFF;

enum class EntryKind { Install, Tree };

std::uint32_t LineOf(const toml::node& node) {
    return node.source().begin.line;
}

std::string Join(std::string_view path, std::string_view key) {
    return path.empty() ? std::string(key) : std::string(path) + '.' + std::string(key);
}

std::string Quoted(std::string_view text) {
    return '"' + std::string(text) + '"';
}

std::string CodePointName(char32_t cp) {
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
    DescriptionReader(std::string fileName, fs::path baseDirectory)
        : fileName_(std::move(fileName)), baseDirectory_(std::move(baseDirectory)) {}

    ProductDescription Read(const toml::table& root) {
        description_.baseDirectory = baseDirectory_;
        description_.fileName = fileName_;
        Keys(root, "",
             {"product",      "unused",     "welcome",        "destination", "disk_prompt",
              "success",      "failure",    "cancel",         "background",  "side_bitmap",
              "readme",       "completion", "disks",          "directory",   "program_groups",
              "program_item", "install",    "final_program",  "registry",    "component",
              "setup_types",  "ini",        "system_changes", "uninstall",   "define",
              "tree"});
        for (auto&& [key, node] : root) {
            if (node.is_table()) {
                description_.tableLines[std::string(key.str())] = LineOf(node);
            }
        }
        ReadDefinitions(root);
        // What the trees' installed paths depend on: disks, directories, the install list.
        ReadDisks(root);
        ReadDirectories(root);
        ReadInstallItems(root);
        CheckInstalledNames();
        treesRead_ = true;
        // After the trees, so that every other text may name the installed path of a tree's
        // file, wherever its table stands in the file.
        ReadHeader(root);
        ReadProgramGroups(root);
        ReadProgramItems(root);
        CheckProgramNames();
        FillDiskLabelsFromPattern();
        ReadFinalPrograms(root);
        ReadRegistry(root);
        ReadComponents(root);
        ReadSetupTypes(root);
        ReadIniEntries(root);
        ReadSystemChanges(root);
        ReadUninstall(root);
        Finish();
        return std::move(description_);
    }

private:
    SetupScript& Script() { return description_.script; }

    [[noreturn]] void Fail(std::uint32_t line, std::string field, std::string problem) const {
        throw ToolError(SourceError{fileName_, line, std::move(field), std::move(problem)});
    }

    void Warn(std::uint32_t line, const std::string& field, const std::string& problem) {
        description_.warnings.push_back(SourceError{fileName_, line, field, problem});
    }

    // What SETUP.EXE cannot use but a loadable script may hold: compile warns, build refuses.
    void Unusable(std::uint32_t line, const std::string& field, const std::string& problem) {
        description_.unusable.push_back(SourceError{fileName_, line, field, problem});
    }

    // Every key of a table must be one the format knows: a misspelt key is an error, not a
    // silently ignored setting.
    void Keys(const toml::table& table, std::string_view path,
              std::span<const std::string_view> allowed) const {
        for (auto&& [key, node] : table) {
            if (std::find(allowed.begin(), allowed.end(), key.str()) == allowed.end()) {
                std::string known;
                for (std::string_view name : allowed) {
                    known += known.empty() ? "" : ", ";
                    known += name;
                }
                Fail(key.source().begin.line, Join(path, key.str()),
                     "unknown key (known here: " + known + ")");
            }
        }
    }
    void Keys(const toml::table& table, std::string_view path,
              std::initializer_list<std::string_view> allowed) const {
        Keys(table, path, std::span<const std::string_view>(allowed.begin(), allowed.size()));
    }

    const toml::table* Table(const toml::table& parent, std::string_view path,
                             std::string_view key) const {
        const toml::node* node = parent.get(key);
        if (!node) {
            return nullptr;
        }
        if (!node->is_table()) {
            Fail(LineOf(*node), Join(path, key), "expected a table");
        }
        return node->as_table();
    }

    // The entries of [[key]]; fails when there are more than the format can count.
    std::vector<const toml::table*> Tables(const toml::table& parent, std::string_view path,
                                           std::string_view key, std::size_t most) const {
        std::vector<const toml::table*> tables;
        const toml::node* node = parent.get(key);
        if (!node) {
            return tables;
        }
        const std::string field = Join(path, key);
        const toml::array* array = node->as_array();
        if (!array || !array->is_array_of_tables()) {
            if (!array || !array->empty()) {
                Fail(LineOf(*node), field, "expected [[" + field + "]] entries");
            }
            return tables;
        }
        if (array->size() > most) {
            Fail(LineOf(*node), field,
                 std::to_string(array->size()) + " entries, at most " + std::to_string(most) +
                     " fit");
        }
        for (const toml::node& element : *array) {
            tables.push_back(element.as_table());
        }
        return tables;
    }

    std::uint32_t TableLine(const toml::table& table) const { return LineOf(table); }

    // A text of the description: its references (`${name}`) replaced, then stored as ANSI.
    FixedText ToText(const std::string& utf8, std::uint32_t line, const std::string& field) const {
        const ReferenceExpansion expanded =
            ExpandReferences(utf8, [this](std::string_view name) -> ReferenceTarget {
                // A name with a slash is a tree's file (tree-id/path), any other a definition.
                if (name.find('/') != std::string_view::npos) {
                    return TreeFileTarget(name);
                }
                const auto it = definitions_.find(std::string(name));
                return it == definitions_.end() ? ReferenceTarget{}
                                                : ReferenceTarget{it->second, {}};
            });
        if (!expanded.problem.empty()) {
            Fail(line, field, expanded.problem);
        }
        return ToAnsi(expanded.text, line, field);
    }

    // A tree's file by its id and path; the path is compared without regard to case, as the
    // tree's patterns compare it.
    ReferenceTarget TreeFileTarget(std::string_view name) const {
        const std::string key = TreeFileKey(name);
        if (const auto it = treeFilePaths_.find(key); it != treeFilePaths_.end()) {
            return {it->second, {}};
        }
        if (const auto it = treeLeftOut_.find(key); it != treeLeftOut_.end()) {
            const std::string& exclude = it->second;
            return {std::nullopt, Quoted(name) + " is a file of the tree that " +
                                      (exclude.empty() ? "no include pattern takes"
                                                       : "its exclude pattern " + Quoted(exclude) +
                                                             " leaves out")};
        }
        // Not all trees are read yet: this text is one that their paths depend on.
        if (!treesRead_) {
            return {std::nullopt, "a tree's file cannot be named here: the trees' installed "
                                  "paths depend on the disks, the directories and the "
                                  "install list"};
        }
        return {};
    }

    // tree-id/PATH: the path in upper case, the id as written.
    static std::string TreeFileKey(std::string_view name) {
        const std::size_t slash = name.find('/');
        return std::string(name.substr(0, slash + 1)) + AsciiUpper(name.substr(slash + 1));
    }

    // A text taken as it is, without references: file names found on disk.
    FixedText ToAnsi(const std::string& utf8, std::uint32_t line, const std::string& field) const {
        const AnsiConversion converted = Utf8ToAnsi(utf8);
        if (converted.unmapped) {
            Fail(line, field,
                 "character " + CodePointName(*converted.unmapped) +
                     " has no Windows-1252 byte (script texts are ANSI)");
        }
        if (converted.ansi.size() > FixedText::kMaxLength) {
            Fail(line, field,
                 "text is " + std::to_string(converted.ansi.size()) + " bytes long, at most " +
                     std::to_string(FixedText::kMaxLength) + " fit");
        }
        return FixedText(converted.ansi);
    }

    const std::string& StringNode(const toml::node& node, const std::string& field) const {
        if (!node.is_string()) {
            Fail(LineOf(node), field, "expected a text in quotes");
        }
        return node.as_string()->get();
    }

    std::optional<FixedText> OptionalText(const toml::table& table, std::string_view path,
                                          std::string_view key) const {
        const toml::node* node = table.get(key);
        if (!node) {
            return std::nullopt;
        }
        const std::string field = Join(path, key);
        return ToText(StringNode(*node, field), LineOf(*node), field);
    }

    FixedText Text(const toml::table& table, std::string_view path, std::string_view key) const {
        return OptionalText(table, path, key).value_or(FixedText{});
    }

    FixedText RequiredText(const toml::table& table, std::string_view path,
                           std::string_view key) const {
        if (!table.get(key)) {
            Fail(TableLine(table), Join(path, key), "missing (required here)");
        }
        return Text(table, path, key);
    }

    TextBlock Block(const FixedText& text) const {
        return text.Stored().empty() ? TextBlock{} : TextBlock{text};
    }

    std::int64_t IntegerNode(const toml::node& node, const std::string& field, std::int64_t low,
                             std::int64_t high) const {
        if (!node.is_integer()) {
            Fail(LineOf(node), field, "expected a whole number");
        }
        const std::int64_t value = node.as_integer()->get();
        if (value < low || value > high) {
            Fail(LineOf(node), field,
                 std::to_string(value) + " is out of range (" + std::to_string(low) + " to " +
                     std::to_string(high) + ")");
        }
        return value;
    }

    std::optional<std::int64_t> OptionalInteger(const toml::table& table, std::string_view path,
                                                std::string_view key, std::int64_t low,
                                                std::int64_t high) const {
        const toml::node* node = table.get(key);
        if (!node) {
            return std::nullopt;
        }
        return IntegerNode(*node, Join(path, key), low, high);
    }

    // A flag byte: true and false for 1 and 0, or the byte itself, since a loadable script may
    // store any value there.
    std::uint8_t Flag(const toml::table& table, std::string_view path, std::string_view key,
                      std::uint8_t fallback) const {
        const toml::node* node = table.get(key);
        if (!node) {
            return fallback;
        }
        if (node->is_boolean()) {
            return node->as_boolean()->get() ? 1 : 0;
        }
        if (!node->is_integer()) {
            Fail(LineOf(*node), Join(path, key), "expected true, false or a byte value 0 to 255");
        }
        return static_cast<std::uint8_t>(IntegerNode(*node, Join(path, key), 0, kByteMax));
    }

    std::int64_t Enum(const toml::table& table, std::string_view path, std::string_view key,
                      std::span<const NamedValue> names, std::int64_t high,
                      std::int64_t fallback) const {
        const toml::node* node = table.get(key);
        if (!node) {
            return fallback;
        }
        const std::string field = Join(path, key);
        if (node->is_integer()) {
            return IntegerNode(*node, field, 0, high);
        }
        if (!node->is_string()) {
            Fail(LineOf(*node), field, "expected a name or a number");
        }
        const std::string& name = node->as_string()->get();
        if (const std::optional<std::uint32_t> value = ValueOfName(names, name)) {
            return *value;
        }
        std::string known;
        for (const NamedValue& entry : names) {
            known += known.empty() ? "" : ", ";
            known += entry.name;
        }
        Fail(LineOf(*node), field,
             "unknown value " + Quoted(name) + " (known: " + known + ", or a number 0 to " +
                 std::to_string(high) + ")");
    }

    // A reference to an entry of another list, by name (see NameTable) or by the number the
    // script stores. Numbers are taken as they stand, up to high.
    std::int64_t Reference(const toml::node& node, const std::string& field, const NameTable& names,
                           std::string_view what, std::int64_t base, std::int64_t high) const {
        if (node.is_integer()) {
            return IntegerNode(node, field, 0, high);
        }
        if (!node.is_string()) {
            Fail(LineOf(node), field, "expected a name or a number");
        }
        const std::string& name = node.as_string()->get();
        const std::vector<std::size_t>* found = names.Find(name);
        if (!found) {
            Fail(LineOf(node), field, "no " + std::string(what) + " is named " + Quoted(name));
        }
        if (found->size() > 1) {
            Fail(LineOf(node), field,
                 std::to_string(found->size()) + " entries of " + std::string(what) +
                     " are named " + Quoted(name) + ": give them ids or use the number");
        }
        return static_cast<std::int64_t>(found->front()) + base;
    }

    // A source file named relative to the description; it must exist so that `build` can
    // use it and compile can take its size.
    fs::path Source(const toml::table& table, std::string_view path) const {
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

    FixedText FileNameOf(const fs::path& file, std::uint32_t line, const std::string& field) const {
        return ToAnsi(file.filename().string(), line, field);
    }

    // A picture or text file the script names: `file` is the name on the disk, `source` the
    // file it comes from; the name defaults to the source's file name.
    void ReadNamedFile(const toml::table& root, std::string_view key, FixedText& name,
                       fs::path& source, std::initializer_list<std::string_view> extraKeys = {}) {
        const toml::table* table = Table(root, "", key);
        if (!table) {
            return;
        }
        std::vector<std::string_view> allowed{"file", "source"};
        allowed.insert(allowed.end(), extraKeys.begin(), extraKeys.end());
        Keys(*table, key, allowed);
        source = Source(*table, key);
        if (const std::optional<FixedText> file = OptionalText(*table, key, "file")) {
            name = *file;
        } else if (!source.empty()) {
            name = FileNameOf(source, LineOf(*table->get("source")), Join(key, "source"));
        }
    }

    void ReadTitledText(const toml::table& root, std::string_view key, std::string_view titleKey,
                        FixedText& title, FixedText& text) {
        const toml::table* table = Table(root, "", key);
        if (!table) {
            return;
        }
        Keys(*table, key, {titleKey, "text"});
        title = Text(*table, key, titleKey);
        text = Text(*table, key, "text");
    }

    // [define]: names for texts that several texts share, used as ${name}.
    void ReadDefinitions(const toml::table& root) {
        const toml::table* define = Table(root, "", "define");
        if (!define) {
            return;
        }
        for (auto&& [key, node] : *define) {
            const std::string field = Join("define", key.str());
            if (key.str().empty() || key.str().find_first_of("/{}$") != std::string_view::npos) {
                Fail(LineOf(node), field, "a name of a definition holds none of / { } $");
            }
            definitions_[std::string(key.str())] = StringNode(node, field);
        }
    }

    void ReadHeader(const toml::table& root) {
        SetupScript& s = Script();
        if (const toml::table* product = Table(root, "", "product")) {
            Keys(*product, "product", {"name"});
            s.productName = Text(*product, "product", "name");
        }
        if (const toml::table* unused = Table(root, "", "unused")) {
            Keys(*unused, "unused", {"text1", "byte2", "text3"});
            s.unusedText1 = Text(*unused, "unused", "text1");
            s.unusedByte2 = static_cast<std::uint8_t>(
                OptionalInteger(*unused, "unused", "byte2", 0, kByteMax).value_or(0));
            s.unusedText3 = Text(*unused, "unused", "text3");
        }
        ReadTitledText(root, "welcome", "title", s.welcomeTitle, s.welcomeText);
        ReadTitledText(root, "destination", "title", s.destinationTitle, s.destinationText);
        ReadTitledText(root, "disk_prompt", "title", s.diskPromptTitle, s.diskPromptText);
        ReadTitledText(root, "success", "caption", s.successCaption, s.successText);
        ReadTitledText(root, "failure", "caption", s.failureCaption, s.failureText);
        ReadTitledText(root, "cancel", "caption", s.cancelCaption, s.cancelText);

        ReadNamedFile(root, "background", s.backgroundBitmap, description_.backgroundBitmap,
                      {"style"});
        if (const toml::table* background = Table(root, "", "background")) {
            s.BackgroundStyle = static_cast<std::uint8_t>(
                Enum(*background, "background", "style", kBackgroundStyles, kByteMax, 0));
        }
        ReadNamedFile(root, "side_bitmap", s.sideBitmap, description_.sideBitmap);
        ReadNamedFile(root, "readme", s.readmeFile, description_.readme);

        if (const toml::table* completion = Table(root, "", "completion")) {
            Keys(*completion, "completion", {"restart_windows", "reboot", "flags"});
            const bool named = completion->get("restart_windows") || completion->get("reboot");
            if (const toml::node* flags = completion->get("flags")) {
                if (named) {
                    Fail(LineOf(*flags), "completion.flags",
                         "give either flags or restart_windows and reboot, not both");
                }
                s.completionFlags = static_cast<std::uint32_t>(
                    IntegerNode(*flags, "completion.flags", 0, kByteMax));
            } else {
                s.completionFlags = 0;
                if (Bool(*completion, "completion", "restart_windows")) {
                    s.completionFlags |= kCompletionRestartWindows;
                }
                if (Bool(*completion, "completion", "reboot")) {
                    s.completionFlags |= kCompletionReboot;
                }
            }
        }
    }

    bool Bool(const toml::table& table, std::string_view path, std::string_view key) const {
        const toml::node* node = table.get(key);
        if (!node) {
            return false;
        }
        if (!node->is_boolean()) {
            Fail(LineOf(*node), Join(path, key), "expected true or false");
        }
        return node->as_boolean()->get();
    }

    // Strings of an array, each with its line.
    std::vector<std::pair<std::string, std::uint32_t>> Strings(const toml::table& table,
                                                               std::string_view path,
                                                               std::string_view key,
                                                               std::size_t most) const {
        std::vector<std::pair<std::string, std::uint32_t>> strings;
        const toml::node* node = table.get(key);
        if (!node) {
            return strings;
        }
        const std::string field = Join(path, key);
        const toml::array* array = node->as_array();
        if (!array) {
            Fail(LineOf(*node), field, "expected a list of texts in [ ]");
        }
        if (array->size() > most) {
            Fail(LineOf(*node), field,
                 std::to_string(array->size()) + " entries, at most " + std::to_string(most) +
                     " fit");
        }
        for (const toml::node& element : *array) {
            strings.emplace_back(StringNode(element, field), LineOf(element));
        }
        return strings;
    }

    void ReadDisks(const toml::table& root) {
        const toml::table* disks = Table(root, "", "disks");
        if (!disks) {
            return;
        }
        Keys(*disks, "disks", {"labels", "capacity", "label_pattern"});
        for (const auto& [label, line] : Strings(*disks, "disks", "labels", kByteCount)) {
            diskNames_.Add(label, Script().diskLabels.size());
            Script().diskLabels.push_back(Block(ToText(label, line, "disks.labels")));
        }
        if (const toml::node* capacity = disks->get("capacity")) {
            if (capacity->is_integer()) {
                description_.disks.capacity = static_cast<std::uint64_t>(IntegerNode(
                    *capacity, "disks.capacity", 1, std::numeric_limits<std::int64_t>::max()));
            } else if (!capacity->is_string() || !ParseDiskCapacity(capacity->as_string()->get(),
                                                                    description_.disks.capacity)) {
                Fail(LineOf(*capacity), "disks.capacity",
                     "expected \"1.44M\", \"1.2M\", \"720K\", \"360K\", \"2.88M\", "
                     "\"unlimited\" or a number of bytes");
            }
        }
        if (const toml::node* pattern = disks->get("label_pattern")) {
            const FixedText text = ToText(StringNode(*pattern, "disks.label_pattern"),
                                          LineOf(*pattern), "disks.label_pattern");
            const std::string ansi = text.Str();
            std::size_t placeholders = 0;
            for (std::size_t i = 0; i < ansi.size(); ++i) {
                if (ansi[i] != '%') {
                    continue;
                }
                if (i + 1 < ansi.size() && ansi[i + 1] == 'd') {
                    ++placeholders;
                } else if (!(i + 1 < ansi.size() && ansi[i + 1] == '%')) {
                    Fail(LineOf(*pattern), "disks.label_pattern",
                         "only %d (the disk number) and %% may follow a percent sign");
                }
                ++i;
            }
            if (placeholders > 1) {
                Fail(LineOf(*pattern), "disks.label_pattern", "%d may appear only once");
            }
            description_.disks.labelPattern = ansi;
            labelPatternLine_ = LineOf(*pattern);
        }
    }

    void ReadDirectories(const toml::table& root) {
        std::map<std::string, std::uint32_t> ids;
        for (const toml::table* table : Tables(root, "", "directory", kByteCount)) {
            Keys(*table, "directory", {"id", "path"});
            DirectoryEntry entry;
            entry.templatePath = RequiredText(*table, "directory", "path");
            entry.path = entry.templatePath;
            const std::size_t position = Script().directories.size();
            directoryNames_.Add(Key(*table, "directory", "path", ids), position);
            Script().directories.push_back(entry);
        }
    }

    // The key an entry is referred to by: its id, else its own text (keyField). Ids are unique.
    std::string Key(const toml::table& table, std::string_view path, std::string_view keyField,
                    std::map<std::string, std::uint32_t>& ids) const {
        if (const toml::node* id = table.get("id")) {
            const std::string field = Join(path, "id");
            const std::string& name = StringNode(*id, field);
            if (name.empty()) {
                Fail(LineOf(*id), field, "an id must not be empty");
            }
            if (const auto it = ids.find(name); it != ids.end()) {
                Fail(LineOf(*id), field,
                     "id " + Quoted(name) + " is already used on line " +
                         std::to_string(it->second));
            }
            ids.emplace(name, LineOf(*id));
            return name;
        }
        if (const toml::node* own = table.get(keyField)) {
            return StringNode(*own, Join(path, keyField));
        }
        return {};
    }

    void ReadProgramGroups(const toml::table& root) {
        const toml::table* groups = Table(root, "", "program_groups");
        if (!groups) {
            return;
        }
        Keys(*groups, "program_groups", {"show_page", "ask_first", "names", "verbatim"});
        Script().showGroupPage = Flag(*groups, "program_groups", "show_page", 1);
        Script().askBeforeGroup = Flag(*groups, "program_groups", "ask_first", 1);
        const bool verbatim = Bool(*groups, "program_groups", "verbatim");
        for (const auto& [name, line] : Strings(*groups, "program_groups", "names", kByteCount)) {
            groupNames_.Add(name, Script().programGroups.size());
            const FixedText text = ToText(name, line, "program_groups.names");
            NoteProgramName("group", text, line, "program_groups.names", verbatim);
            Script().programGroups.push_back(Block(text));
        }
    }

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
                         std::string field, bool verbatim) {
        std::string characters = ProgramNameBreaks(name.Stored());
        if (!characters.empty()) {
            breakingNames_.push_back({std::move(what), std::string(name.Stored()),
                                      std::move(characters), line, std::move(field), verbatim});
        }
    }

    static std::string ListBreakingNames(const std::vector<const BreakingName*>& names) {
        std::string list;
        for (const BreakingName* entry : names) {
            std::string shown;
            for (const char c : AnsiToUtf8(entry->name)) {
                shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
            }
            std::string characters;
            for (const char c : entry->characters) {
                characters += characters.empty() ? "" : ", ";
                characters += static_cast<unsigned char>(c) < 0x20
                                  ? CodePointName(static_cast<unsigned char>(c))
                                  : "'" + std::string(1, c) + "'";
            }
            list += list.empty() ? "" : "; ";
            list += entry->what + ' ' + Quoted(shown) + " (line " + std::to_string(entry->line) +
                    ") holds " + characters;
        }
        return list;
    }

    // Names written by hand are refused; names marked verbatim (dump marks those a script
    // holds, so that it compiles back) are what build refuses.
    void CheckProgramNames() {
        std::vector<const BreakingName*> refused;
        std::vector<const BreakingName*> kept;
        for (const BreakingName& entry : breakingNames_) {
            (entry.verbatim ? kept : refused).push_back(&entry);
        }
        const std::string rule =
            "program group and item names must not hold \" [ ] ( ) , or a control character, "
            "which would end the program manager's command: ";
        if (!refused.empty()) {
            Fail(refused.front()->line, refused.front()->field, rule + ListBreakingNames(refused));
        }
        if (!kept.empty()) {
            Unusable(kept.front()->line, kept.front()->field,
                     rule + ListBreakingNames(kept) + " (marked verbatim)");
        }
    }

    // Every name Windows cannot take, and every two it cannot hold apart, in one message.
    void CheckInstalledNames() {
        const InstalledNameCheck::Outcome outcome = installedNames_.Finish(Script(), fileName_);
        if (outcome.refused) {
            Fail(outcome.refused->line, outcome.refused->field, outcome.refused->problem);
        }
        if (outcome.kept) {
            description_.unusable.push_back(*outcome.kept);
        }
    }

    void ReadProgramItems(const toml::table& root) {
        for (const toml::table* table : Tables(root, "", "program_item", kByteCount)) {
            const std::string_view path = "program_item";
            Keys(*table, path,
                 {"name", "group", "command", "working_directory", "icon", "icon_index",
                  "verbatim"});
            ProgramItem item;
            item.name = Text(*table, path, "name");
            const bool verbatim = Bool(*table, path, "verbatim");
            if (const toml::node* name = table->get("name")) {
                NoteProgramName("item", item.name, LineOf(*name), "program_item.name", verbatim);
            }
            if (const toml::node* group = table->get("group")) {
                item.groupNumber =
                    static_cast<std::uint8_t>(Reference(*group, "program_item.group", groupNames_,
                                                        "program_groups.names", 1, kByteMax));
            } else {
                item.groupNumber = 1; // the first group; none when there is no group
            }
            item.commandLine = Text(*table, path, "command");
            item.workingDirectory = Text(*table, path, "working_directory");
            item.iconPath = Text(*table, path, "icon");
            item.iconIndex = static_cast<std::uint8_t>(
                OptionalInteger(*table, path, "icon_index", 0, kByteMax).value_or(0));
            Script().programItems.push_back(item);
        }
    }

    // [[install]] and [[tree]] entries make one install list, in the order they are written.
    void ReadInstallItems(const toml::table& root) {
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

    // The size given, else the source file's.
    void ReadItemSize(const toml::table& table, InstallItem& item, ItemSource& source) const {
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

    // The directory it goes to and the disk it comes from.
    void ReadItemPlace(const toml::table& table, InstallItem& item, ItemSource& source) {
        item.dirIndex = 1;
        if (const toml::node* directory = table.get("directory")) {
            item.dirIndex = static_cast<std::uint8_t>(Reference(
                *directory, "install.directory", directoryNames_, "directory", 1, kByteMax));
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

    void ReadInstallItem(const toml::table* table, std::map<std::string, std::uint32_t>& ids) {
        const std::string_view path = "install";
        Keys(*table, path,
             {"id", "name", "source", "size", "directory", "disk", "action", "overwrite",
              "compressed", "read_only", "shared", "parts", "source_subdir", "verbatim"});
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
        item.action = static_cast<std::uint8_t>(Enum(*table, path, "action", kItemActions, kByteMax,
                                                     static_cast<int>(ItemAction::Copy)));
        item.overwriteMode =
            static_cast<std::uint8_t>(Enum(*table, path, "overwrite", kOverwriteModes, kByteMax,
                                           static_cast<int>(OverwriteMode::IfOlder)));
        item.compressed = Flag(*table, path, "compressed", 0);
        item.readOnly = Flag(*table, path, "read_only", 0);
        item.shared = Flag(*table, path, "shared", 0);
        item.partCount = static_cast<std::uint8_t>(
            OptionalInteger(*table, path, "parts", 0, kByteMax).value_or(0));
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

    // A disk by its label, by its number, or by the label its number gets from the label
    // pattern (which only build and the labels' absence make real).
    std::int64_t DiskReference(const toml::node& node) {
        const std::string field = "install.disk";
        const std::string& pattern = description_.disks.labelPattern;
        if (!node.is_string() || pattern.empty() || diskNames_.Find(node.as_string()->get())) {
            return Reference(node, field, diskNames_, "disks.labels", 1, kByteMax);
        }
        const std::string label = ToAnsi(node.as_string()->get(), LineOf(node), field).Str();
        std::vector<std::uint32_t> matches;
        for (std::uint32_t disk = static_cast<std::uint32_t>(Script().diskLabels.size()) + 1;
             disk <= kByteMax; ++disk) {
            if (DiskLabelFromPattern(pattern, disk) == label) {
                matches.push_back(disk);
            }
        }
        if (matches.size() > 1) {
            Fail(LineOf(node), field,
                 "every disk's label is " + Quoted(label) +
                     " (the label pattern has no %d): use the number");
        }
        if (matches.empty()) {
            return Reference(node, field, diskNames_, "disks.labels", 1, kByteMax);
        }
        return matches.front();
    }

    // What a tree's files share while they become install items.
    struct TreeContext {
        std::string id;
        fs::path folder;
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
    void ReadTree(const toml::table& table) {
        Keys(table, "tree",
             {"id", "source", "directory", "include", "exclude", "overwrite", "compressed",
              "read_only", "shared", "source_subdir", "components"});
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
             Strings(table, "tree", "components", kByteCount)) {
            membership.components.emplace_back(component, componentLine);
        }
        treeMemberships_.push_back(std::move(membership));
    }

    void ReadTreeSource(const toml::table& table, TreeContext& tree) const {
        const toml::node* sourceNode = table.get("source");
        if (!sourceNode) {
            Fail(tree.line, "tree.source", "missing (required here)");
        }
        tree.sourceLine = LineOf(*sourceNode);
        const std::string& sourceName = StringNode(*sourceNode, "tree.source");
        tree.folder = (baseDirectory_ / fs::path(sourceName)).lexically_normal();
        std::error_code error;
        if (!fs::is_directory(tree.folder, error)) {
            Fail(tree.sourceLine, "tree.source",
                 fs::exists(tree.folder, error)
                     ? tree.folder.string() +
                           " is a file, not a folder (an [[install]] takes a file)"
                     : "no such folder: " + tree.folder.string());
        }
    }

    // The id names the tree's files in texts (tree-id/path); by default the folder's name.
    void ReadTreeId(const toml::table& table, TreeContext& tree) {
        const fs::path& folder = tree.folder;
        tree.id = folder.has_filename() ? folder.filename().string()
                                        : folder.parent_path().filename().string();
        std::uint32_t idLine = tree.sourceLine;
        if (const toml::node* idNode = table.get("id")) {
            tree.id = StringNode(*idNode, "tree.id");
            idLine = LineOf(*idNode);
        }
        if (tree.id.empty() || tree.id.find('/') != std::string::npos) {
            Fail(idLine, "tree.id", "a tree's id is not empty and holds no /");
        }
        if (const auto it = treeIds_.find(tree.id); it != treeIds_.end()) {
            Fail(idLine, "tree.id",
                 "id " + Quoted(tree.id) + " is already used by the tree on line " +
                     std::to_string(it->second));
        }
        treeIds_.emplace(tree.id, tree.line);
    }

    TreeListing ListTree(const toml::table& table, const TreeContext& tree) const {
        const TreeListing listing = ListFolderTree(tree.folder, Patterns(table, "include", {"**"}),
                                                   Patterns(table, "exclude", {}), kWordCount);
        if (!listing.problem.empty()) {
            Fail(tree.sourceLine, "tree.source", listing.problem);
        }
        if (listing.tooMany) {
            Fail(tree.sourceLine, "tree.source",
                 "the patterns take more than 65535 files of " + tree.folder.string() +
                     ", more than an install list holds");
        }
        if (listing.files.empty()) {
            Fail(tree.sourceLine, "tree.source",
                 "no file of " + tree.folder.string() +
                     " is taken by the include and exclude patterns");
        }
        return listing;
    }

    void ReadTreeDestination(const toml::table& table, TreeContext& tree) const {
        std::uint32_t destinationLine = tree.line;
        if (const toml::node* directory = table.get("directory")) {
            tree.destination = static_cast<std::uint32_t>(
                Reference(*directory, "tree.directory", directoryNames_, "directory", 1, kByteMax));
            destinationLine = LineOf(*directory);
        }
        const std::vector<DirectoryEntry>& directories = description_.script.directories;
        if (tree.destination == 0 || tree.destination > directories.size()) {
            Fail(destinationLine, "tree.directory",
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

    void AddTreeFolders(const TreeListing& listing, TreeContext& tree) {
        tree.folderDirectories = {{"", tree.destination}};
        for (const std::string& sub : listing.folders) {
            if (const std::optional<std::string> problem =
                    WindowsNameProblem(sub.substr(sub.rfind('/') + 1))) {
                installedNames_.NoteFolder(tree.id + '/' + sub, tree.sourceLine, "tree.source",
                                           *problem);
            }
            tree.folderDirectories[sub] =
                TreeDirectory(tree.base + '\\' + Backslashed(sub), tree.sourceLine);
        }
        for (const LeftOutFile& file : listing.leftOut) {
            treeLeftOut_[TreeFileKey(tree.id + '/' + file.path)] = file.exclude;
        }
    }

    void ReadTreeSettings(const toml::table& table, TreeContext& tree) {
        const std::string_view path = "tree";
        InstallItem& settings = tree.settings;
        settings.action = static_cast<std::uint8_t>(ItemAction::Copy);
        settings.diskNumber = 1;
        settings.overwriteMode =
            static_cast<std::uint8_t>(Enum(table, path, "overwrite", kOverwriteModes, kByteMax,
                                           static_cast<int>(OverwriteMode::IfOlder)));
        settings.compressed = Flag(table, path, "compressed", 0);
        settings.readOnly = Flag(table, path, "read_only", 0);
        settings.shared = Flag(table, path, "shared", 0);
        tree.subdirBase = AnsiToUtf8(Text(table, path, "source_subdir").Str());
    }

    // One file of the tree (its path in the tree, with /) as an install item.
    void AddTreeFile(const std::string& file, const TreeContext& tree) {
        const std::uint32_t sourceLine = tree.sourceLine;
        if (Script().installItems.size() == kWordCount) {
            Fail(sourceLine, "tree.source",
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
        item.sourceSubdir =
            LimitedText(subdir, sourceLine, "the folder of " + file + " on the disk");
        ItemSource source;
        source.file = tree.folder / fs::path(file);
        source.line = tree.line;
        std::error_code error;
        const std::uintmax_t bytes = fs::file_size(source.file, error);
        if (error || bytes > static_cast<std::uintmax_t>(kDwordMax)) {
            Fail(sourceLine, "tree.source",
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
        installedNames_.NoteItem("tree file", key, sourceLine, "tree.source", false, file,
                                 WindowsNameProblem(name));
        itemNames_.Add(key, Script().installItems.size());
        description_.itemIds.push_back(key);
        description_.sources.push_back(source);
        Script().installItems.push_back(item);
    }

    // The number of the directory at path, made when no directory has it yet (as FAT and
    // Windows compare names: without regard to case).
    std::uint32_t TreeDirectory(const std::string& utf8Path, std::uint32_t line) {
        const FixedText text = LimitedText(utf8Path, line, "the directory " + utf8Path);
        std::vector<DirectoryEntry>& directories = Script().directories;
        for (std::size_t i = 0; i < directories.size(); ++i) {
            if (AsciiUpper(directories[i].templatePath.Str()) == AsciiUpper(text.Str())) {
                return static_cast<std::uint32_t>(i + 1);
            }
        }
        if (directories.size() == kByteCount) {
            Fail(line, "tree.source",
                 "the folder " + utf8Path +
                     " would be directory 256: the script holds at most 255 directories");
        }
        DirectoryEntry entry;
        entry.templatePath = text;
        entry.path = text;
        directories.push_back(entry);
        return static_cast<std::uint32_t>(directories.size());
    }

    // A name or path a tree makes from the folder's files, with what it is named in faults.
    FixedText LimitedText(const std::string& utf8, std::uint32_t line,
                          const std::string& what) const {
        const AnsiConversion converted = Utf8ToAnsi(utf8);
        if (converted.unmapped) {
            Fail(line, "tree.source",
                 what + ": character " + CodePointName(*converted.unmapped) +
                     " has no Windows-1252 byte (script texts are ANSI)");
        }
        if (converted.ansi.size() > FixedText::kMaxLength) {
            Fail(line, "tree.source",
                 what + " is " + std::to_string(converted.ansi.size()) +
                     " bytes long, at most 255 fit");
        }
        return FixedText(converted.ansi);
    }

    static std::string Backslashed(std::string path) {
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    }

    std::vector<std::string> Patterns(const toml::table& table, std::string_view key,
                                      std::vector<std::string> fallback) const {
        if (!table.get(key)) {
            return fallback;
        }
        std::vector<std::string> patterns;
        for (const auto& [pattern, line] : Strings(table, "tree", key, kDwordMax)) {
            if (const std::optional<std::string> problem = TreePatternProblem(pattern)) {
                Fail(line, Join("tree", key), Quoted(pattern) + ": " + *problem);
            }
            patterns.push_back(pattern);
        }
        return patterns;
    }

    // Without labels of its own, a description with a label pattern gets one label for each
    // disk its items name.
    void FillDiskLabelsFromPattern() {
        const std::string& pattern = description_.disks.labelPattern;
        if (pattern.empty() || !Script().diskLabels.empty()) {
            return;
        }
        std::uint32_t disks = 0;
        for (const InstallItem& item : Script().installItems) {
            disks = std::max<std::uint32_t>(disks, item.diskNumber);
        }
        for (std::uint32_t disk = 1; disk <= disks; ++disk) {
            const std::string label = DiskLabelFromPattern(pattern, disk);
            if (label.size() > FixedText::kMaxLength) {
                Fail(labelPatternLine_, "disks.label_pattern",
                     "the label of disk " + std::to_string(disk) + " is longer than 255 bytes");
            }
            Script().diskLabels.push_back(Block(FixedText(label)));
        }
    }

    void ReadFinalPrograms(const toml::table& root) {
        const std::string_view path = "final_program";
        for (const toml::table* table : Tables(root, "", path, kByteCount)) {
            Keys(*table, path, {"command", "show", "working_directory"});
            FinalProgram program;
            program.commandLine = Text(*table, path, "command");
            program.showCommand =
                static_cast<std::uint16_t>(Enum(*table, path, "show", kShowCommands, kWordMax, 1));
            program.workingDirectory = Text(*table, path, "working_directory");
            Script().finalPrograms.push_back(program);
        }
    }

    void ReadRegistry(const toml::table& root) {
        for (const toml::table* table : Tables(root, "", "registry", kWordCount)) {
            Keys(*table, "registry", {"key", "value", "verbatim"});
            RegistryKey key;
            key.keyPath = RequiredText(*table, "registry", "key");
            if (const std::optional<std::string> problem =
                    RegistryKeyPathProblem(key.keyPath.Stored())) {
                // A script may hold such a key, and dump marks it so that it compiles back;
                // written by hand it is refused.
                const std::uint32_t keyLine = LineOf(*table->get("key"));
                if (Bool(*table, "registry", "verbatim")) {
                    Unusable(keyLine, "registry.key", *problem + "; SETUP.EXE skips this key");
                } else {
                    Fail(keyLine, "registry.key", *problem);
                }
            }
            const std::string_view path = "registry.value";
            for (const toml::table* entry : Tables(*table, "registry", "value", kWordCount)) {
                Keys(*entry, path, {"name", "text", "number", "kind"});
                RegistryValue value;
                value.name = Text(*entry, path, "name");
                const toml::node* text = entry->get("text");
                const toml::node* number = entry->get("number");
                if ((text != nullptr) == (number != nullptr)) {
                    Fail(text && number ? LineOf(*number) : TableLine(*entry), Join(path, "text"),
                         "give either text or number");
                }
                if (text) {
                    value.kind = RegistryValueKind::Text;
                    value.storedKind = static_cast<std::uint8_t>(
                        OptionalInteger(*entry, path, "kind", 1, kByteMax).value_or(1));
                    value.text = Block(Text(*entry, path, "text"));
                } else {
                    if (const toml::node* kind = entry->get("kind")) {
                        Fail(LineOf(*kind), Join(path, "kind"),
                             "a kind byte is kept only for text values");
                    }
                    value.kind = RegistryValueKind::Number;
                    value.storedKind = 0;
                    value.number = static_cast<std::uint32_t>(
                        IntegerNode(*number, Join(path, "number"), 0, kDwordMax));
                }
                key.values.push_back(value);
            }
            Script().registryKeys.push_back(key);
        }
    }

    void ReadComponents(const toml::table& root) {
        const std::string_view path = "component";
        for (const toml::table* table : Tables(root, "", path, kByteCount)) {
            Keys(*table, path, {"name", "description", "minimal", "typical", "files"});
            Component component;
            component.name = Text(*table, path, "name");
            component.description = Text(*table, path, "description");
            component.inMinimal = Flag(*table, path, "minimal", 0);
            component.inTypical = Flag(*table, path, "typical", 0);
            if (const toml::node* files = table->get("files")) {
                const toml::array* array = files->as_array();
                if (!array) {
                    Fail(LineOf(*files), "component.files",
                         "expected a list of install item ids or numbers in [ ]");
                }
                if (array->size() > kWordCount) {
                    Fail(LineOf(*files), "component.files",
                         std::to_string(array->size()) + " entries, at most 65535 fit");
                }
                const std::size_t items = Script().installItems.size();
                for (const toml::node& element : *array) {
                    const std::int64_t index =
                        Reference(element, "component.files", itemNames_, "install", 0, kWordMax);
                    if (static_cast<std::size_t>(index) >= items) {
                        Fail(LineOf(element), "component.files",
                             "there is no install item " + std::to_string(index) + " (there are " +
                                 std::to_string(items) + ", numbered from 0)");
                    }
                    component.files.push_back(static_cast<std::uint32_t>(index));
                }
            }
            Script().components.push_back(component);
            const toml::node* name = table->get("name");
            componentNames_.Add(name ? StringNode(*name, "component.name") : std::string(),
                                Script().components.size() - 1);
        }
        AddTreesToComponents();
    }

    // Each tree's files join the components its `components` list names, after their own.
    void AddTreesToComponents() {
        for (const TreeMembership& tree : treeMemberships_) {
            for (const auto& [name, line] : tree.components) {
                const std::vector<std::size_t>* found = componentNames_.Find(name);
                if (!found || found->size() > 1) {
                    Fail(line, "tree.components",
                         found ? "several components are named " + Quoted(name)
                               : "no component is named " + Quoted(name));
                }
                std::vector<std::uint32_t>& files = Script().components[found->front()].files;
                for (std::size_t index = tree.first; index < tree.end; ++index) {
                    files.push_back(static_cast<std::uint32_t>(index));
                }
                if (files.size() > kWordCount) {
                    Fail(line, "tree.components",
                         "component " + Quoted(name) + " would hold " +
                             std::to_string(files.size()) + " files, at most 65535 fit");
                }
            }
        }
    }

    void ReadSetupTypes(const toml::table& root) {
        const toml::table* types = Table(root, "", "setup_types");
        if (!types) {
            return;
        }
        Keys(*types, "setup_types", {"typical", "minimal", "custom"});
        SetupScript& s = Script();
        const auto readType = [&](std::string_view key, std::uint32_t& offered, FixedText& label) {
            const toml::table* type = Table(*types, "setup_types", key);
            if (!type) {
                return;
            }
            const std::string path = Join("setup_types", key);
            Keys(*type, path, {"offered", "label"});
            offered = Flag(*type, path, "offered", 1);
            label = Text(*type, path, "label");
        };
        readType("typical", s.typicalOffered, s.typicalLabel);
        readType("minimal", s.minimalOffered, s.minimalLabel);
        readType("custom", s.customOffered, s.customLabel);
    }

    void ReadIniEntries(const toml::table& root) {
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

    void ReadSystemChanges(const toml::table& root) {
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

    void ReadUninstall(const toml::table& root) {
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

    // Checks what only the whole script shows and fills the fields the loader would compute, so
    // that the script equals the one SETUP.EXE will load.
    void Finish() {
        SetupScript& s = Script();
        const std::vector<std::string> problems = CheckScriptCounts(s);
        if (!problems.empty()) {
            Fail(0, "", problems.front());
        }
        if (s.directories.empty()) {
            Unusable(0, "directory",
                     "no [[directory]]: SETUP.EXE needs the first directory as the destination and "
                     "will not install from this script");
        }
        for (Component& component : s.components) {
            component.selected = 1;
            component.totalSize = 0;
            for (std::uint32_t index : component.files) {
                InstallItem& item = s.installItems[index];
                component.totalSize += item.size;
                if (item.installCount == kInstallAlways) {
                    item.installCount = 0;
                }
                ++item.installCount;
            }
        }
    }

    std::string fileName_;
    fs::path baseDirectory_;
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

} // namespace

bool ParseDiskCapacity(std::string_view text, std::optional<std::uint64_t>& capacity) {
    static constexpr std::pair<std::string_view, std::uint64_t> kSizes[] = {
        {"360K", 368640},   {"720K", 737280},   {"1.2M", 1228800},
        {"1.44M", 1457664}, {"2.88M", 2915328},
    };
    if (text == "unlimited") {
        capacity.reset();
        return true;
    }
    for (const auto& [name, bytes] : kSizes) {
        if (text == name) {
            capacity = bytes;
            return true;
        }
    }
    return false;
}

std::string DiskLabelFromPattern(std::string_view pattern, std::uint32_t disk) {
    std::string label;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            label += pattern[i + 1] == 'd' ? std::to_string(disk) : std::string(1, pattern[i + 1]);
            ++i;
        } else {
            label += pattern[i];
        }
    }
    return label;
}

Result<ProductDescription> ParseProductDescription(std::string_view text,
                                                   const std::string& fileName,
                                                   const fs::path& baseDirectory) {
    const PreparedText prepared = PrepareForParser(text);
    if (prepared.errorLine != 0) {
        return SourceError{fileName, prepared.errorLine, "", prepared.problem};
    }
    toml::table root;
    try {
        root = toml::parse(prepared.text, std::string_view(fileName));
    } catch (const toml::parse_error& error) {
        return SourceError{fileName, error.source().begin.line, "",
                           std::string(error.description())};
    }
    try {
        return DescriptionReader(fileName, baseDirectory).Read(root);
    } catch (const ToolError& failure) {
        // The reader throws its faults with their place; they end here.
        return failure.Source() ? *failure.Source() : SourceError{fileName, 0, "", failure.what()};
    }
}

Result<ProductDescription> LoadProductDescription(const fs::path& file) {
    const FileRead read = TryReadFile(file);
    if (!read.problem.empty()) {
        return SourceError{file.string(), 0, "", read.problem};
    }
    const std::string text(read.bytes.begin(), read.bytes.end());
    return ParseProductDescription(text, file.string(), file.parent_path());
}

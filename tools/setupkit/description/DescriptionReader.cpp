#include "DescriptionReader.h"

// The reader's order of sections and the helpers every section reader uses.

ProductDescription DescriptionReader::Read(const toml::table& root) {
    description_.baseDirectory = baseDirectory_;
    description_.fileName = fileName_;
    using T = TableNames;
    Keys(root, "",
         {T::kProduct,     T::kUnused,     T::kWelcome,       T::kDestination, T::kDiskPrompt,
          T::kSuccess,     T::kFailure,    T::kCancel,        T::kBackground,  T::kSideBitmap,
          T::kReadme,      T::kCompletion, T::kDisks,         T::kDirectory,   T::kProgramGroups,
          T::kProgramItem, T::kInstall,    T::kFinalProgram,  T::kRegistry,    T::kComponent,
          T::kSetupTypes,  T::kIni,        T::kSystemChanges, T::kUninstall,   T::kDefine,
          T::kTree,        T::kSigning});
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
    ReadSigning(root);
    Finish();
    return std::move(description_);
}

[[noreturn]] void DescriptionReader::Fail(std::uint32_t line, std::string field,
                                          std::string problem) const {
    throw ToolError(SourceError{fileName_, line, std::move(field), std::move(problem)});
}

void DescriptionReader::Warn(std::uint32_t line, const std::string& field,
                             const std::string& problem) {
    description_.warnings.push_back(SourceError{fileName_, line, field, problem});
}

void DescriptionReader::Unusable(std::uint32_t line, const std::string& field,
                                 const std::string& problem) {
    description_.unusable.push_back(SourceError{fileName_, line, field, problem});
}

void DescriptionReader::Keys(const toml::table& table, std::string_view path,
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

void DescriptionReader::Keys(const toml::table& table, std::string_view path,
                             std::initializer_list<std::string_view> allowed) const {
    Keys(table, path, std::span<const std::string_view>(allowed.begin(), allowed.size()));
}

const toml::table* DescriptionReader::Table(const toml::table& parent, std::string_view path,
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

std::vector<const toml::table*> DescriptionReader::Tables(const toml::table& parent,
                                                          std::string_view path,
                                                          std::string_view key,
                                                          std::size_t most) const {
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
             std::to_string(array->size()) + " entries, at most " + std::to_string(most) + " fit");
    }
    for (const toml::node& element : *array) {
        tables.push_back(element.as_table());
    }
    return tables;
}

FixedText DescriptionReader::ToText(const std::string& utf8, std::uint32_t line,
                                    const std::string& field) const {
    const ReferenceExpansion expanded =
        ExpandReferences(utf8, [this](std::string_view name) -> ReferenceTarget {
            // A name with a slash is a tree's file (tree-id/path), any other a definition.
            if (name.find('/') != std::string_view::npos) {
                return TreeFileTarget(name);
            }
            const auto it = definitions_.find(std::string(name));
            return it == definitions_.end() ? ReferenceTarget{} : ReferenceTarget{it->second, {}};
        });
    if (!expanded.problem.empty()) {
        Fail(line, field, expanded.problem);
    }
    return ToAnsi(expanded.text, line, field);
}

ReferenceTarget DescriptionReader::TreeFileTarget(std::string_view name) const {
    const std::string key = TreeFileKey(name);
    if (const auto it = treeFilePaths_.find(key); it != treeFilePaths_.end()) {
        return {it->second, {}};
    }
    if (const auto it = treeLeftOut_.find(key); it != treeLeftOut_.end()) {
        const std::string& exclude = it->second;
        return {std::nullopt,
                Quoted(name) + " is a file of the tree that " +
                    (exclude.empty() ? "no include pattern takes"
                                     : "its exclude pattern " + Quoted(exclude) + " leaves out")};
    }
    // Not all trees are read yet: this text is one that their paths depend on.
    if (!treesRead_) {
        return {std::nullopt, "a tree's file cannot be named here: the trees' installed "
                              "paths depend on the disks, the directories and the "
                              "install list"};
    }
    return {};
}

std::string DescriptionReader::TreeFileKey(std::string_view name) {
    const std::size_t slash = name.find('/');
    return std::string(name.substr(0, slash + 1)) + AsciiUpper(name.substr(slash + 1));
}

FixedText DescriptionReader::ToAnsi(const std::string& utf8, std::uint32_t line,
                                    const std::string& field) const {
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

const std::string& DescriptionReader::StringNode(const toml::node& node,
                                                 const std::string& field) const {
    if (!node.is_string()) {
        Fail(LineOf(node), field, "expected a text in quotes");
    }
    return node.as_string()->get();
}

std::optional<FixedText> DescriptionReader::OptionalText(const toml::table& table,
                                                         std::string_view path,
                                                         std::string_view key) const {
    const toml::node* node = table.get(key);
    if (!node) {
        return std::nullopt;
    }
    const std::string field = Join(path, key);
    return ToText(StringNode(*node, field), LineOf(*node), field);
}

FixedText DescriptionReader::Text(const toml::table& table, std::string_view path,
                                  std::string_view key) const {
    return OptionalText(table, path, key).value_or(FixedText{});
}

FixedText DescriptionReader::RequiredText(const toml::table& table, std::string_view path,
                                          std::string_view key) const {
    if (!table.get(key)) {
        Fail(TableLine(table), Join(path, key), "missing (required here)");
    }
    return Text(table, path, key);
}

TextBlock DescriptionReader::Block(const FixedText& text) const {
    return text.Stored().empty() ? TextBlock{} : TextBlock{text};
}

std::int64_t DescriptionReader::IntegerNode(const toml::node& node, const std::string& field,
                                            std::int64_t low, std::int64_t high) const {
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

std::optional<std::int64_t> DescriptionReader::OptionalInteger(const toml::table& table,
                                                               std::string_view path,
                                                               std::string_view key,
                                                               std::int64_t low,
                                                               std::int64_t high) const {
    const toml::node* node = table.get(key);
    if (!node) {
        return std::nullopt;
    }
    return IntegerNode(*node, Join(path, key), low, high);
}

std::uint8_t DescriptionReader::Flag(const toml::table& table, std::string_view path,
                                     std::string_view key, std::uint8_t fallback) const {
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

std::int64_t DescriptionReader::Enum(const toml::table& table, std::string_view path,
                                     std::string_view key, std::span<const NamedValue> names,
                                     std::int64_t high, std::int64_t fallback) const {
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

std::int64_t DescriptionReader::Reference(const toml::node& node, const std::string& field,
                                          const NameTable& names, std::string_view what,
                                          std::int64_t base, std::int64_t high) const {
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
             std::to_string(found->size()) + " entries of " + std::string(what) + " are named " +
                 Quoted(name) + ": give them ids or use the number");
    }
    return static_cast<std::int64_t>(found->front()) + base;
}

bool DescriptionReader::Bool(const toml::table& table, std::string_view path,
                             std::string_view key) const {
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
std::vector<std::pair<std::string, std::uint32_t>>
DescriptionReader::Strings(const toml::table& table, std::string_view path, std::string_view key,
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
             std::to_string(array->size()) + " entries, at most " + std::to_string(most) + " fit");
    }
    for (const toml::node& element : *array) {
        strings.emplace_back(StringNode(element, field), LineOf(element));
    }
    return strings;
}

std::string DescriptionReader::Key(const toml::table& table, std::string_view path,
                                   std::string_view keyField,
                                   std::map<std::string, std::uint32_t>& ids) const {
    if (const toml::node* id = table.get(SharedKeys::kId)) {
        const std::string field = Join(path, SharedKeys::kId);
        const std::string& name = StringNode(*id, field);
        if (name.empty()) {
            Fail(LineOf(*id), field, "an id must not be empty");
        }
        if (const auto it = ids.find(name); it != ids.end()) {
            Fail(LineOf(*id), field,
                 "id " + Quoted(name) + " is already used on line " + std::to_string(it->second));
        }
        ids.emplace(name, LineOf(*id));
        return name;
    }
    if (const toml::node* own = table.get(keyField)) {
        return StringNode(*own, Join(path, keyField));
    }
    return {};
}

void DescriptionReader::NoteProgramName(std::string what, const FixedText& name, std::uint32_t line,
                                        std::string field, bool verbatim) {
    std::string characters = ProgramNameBreaks(name.Stored());
    if (!characters.empty()) {
        breakingNames_.push_back({std::move(what), std::string(name.Stored()),
                                  std::move(characters), line, std::move(field), verbatim});
    }
}

FixedText DescriptionReader::LimitedText(const std::string& utf8, std::uint32_t line,
                                         const std::string& what) const {
    const AnsiConversion converted = Utf8ToAnsi(utf8);
    if (converted.unmapped) {
        Fail(line, Join(TableNames::kTree, SharedKeys::kSource),
             what + ": character " + CodePointName(*converted.unmapped) +
                 " has no Windows-1252 byte (script texts are ANSI)");
    }
    if (converted.ansi.size() > FixedText::kMaxLength) {
        Fail(line, Join(TableNames::kTree, SharedKeys::kSource),
             what + " is " + std::to_string(converted.ansi.size()) +
                 " bytes long, at most 255 fit");
    }
    return FixedText(converted.ansi);
}

void DescriptionReader::Finish() {
    SetupScript& s = Script();
    const std::vector<std::string> problems = CheckScriptCounts(s);
    if (!problems.empty()) {
        Fail(0, "", problems.front());
    }
    if (s.directories.empty()) {
        Unusable(0, std::string(TableNames::kDirectory),
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

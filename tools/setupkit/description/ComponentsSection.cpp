#include "DescriptionReader.h"
#include "TomlWriter.h"

#include <set>

// [[component]] and [setup_types]: read and written.

namespace {

struct ComponentKeys {
    static constexpr std::string_view kName = "name";
    static constexpr std::string_view kDescription = "description";
    static constexpr std::string_view kMinimal = "minimal";
    static constexpr std::string_view kTypical = "typical";
    static constexpr std::string_view kFiles = "files";
};

// [setup_types] holds one table for each type, each with the same keys.
struct SetupTypeKeys {
    static constexpr std::string_view kTypical = "typical";
    static constexpr std::string_view kMinimal = "minimal";
    static constexpr std::string_view kCustom = "custom";
    static constexpr std::string_view kOffered = "offered";
    static constexpr std::string_view kLabel = "label";
};

} // namespace

void DescriptionReader::ReadComponents(const toml::table& root) {
    using K = ComponentKeys;
    const std::string_view path = TableNames::kComponent;
    const std::string filesField = Join(path, K::kFiles);
    // An answer file chooses components by name, without regard to case.
    std::set<std::string> namesInUpperCase;
    for (const toml::table* table : Tables(root, "", path, kByteCount)) {
        Keys(*table, path, {K::kName, K::kDescription, K::kMinimal, K::kTypical, K::kFiles});
        Component component;
        component.name = Text(*table, path, K::kName);
        const std::string nameField = Join(path, K::kName);
        const toml::node* name = table->get(K::kName);
        if (!component.name.Empty() &&
            !namesInUpperCase.insert(AsciiUpper(component.name.View())).second) {
            Fail(LineOf(*name), nameField,
                 "two components are named " + Quoted(StringNode(*name, nameField)) +
                     " (names are compared without regard to case; an answer file chooses "
                     "components by name)");
        }
        component.description = Text(*table, path, K::kDescription);
        component.inMinimal = Flag(*table, path, K::kMinimal, 0);
        component.inTypical = Flag(*table, path, K::kTypical, 0);
        if (const toml::node* files = table->get(K::kFiles)) {
            const toml::array* array = files->as_array();
            if (!array) {
                Fail(LineOf(*files), filesField,
                     "expected a list of install item ids or numbers in [ ]");
            }
            if (array->size() > kWordCount) {
                Fail(LineOf(*files), filesField,
                     std::to_string(array->size()) + " entries, at most 65535 fit");
            }
            const std::size_t items = Script().installItems.size();
            for (const toml::node& element : *array) {
                const std::int64_t index =
                    Reference(element, filesField, itemNames_, TableNames::kInstall, 0, kWordMax);
                if (static_cast<std::size_t>(index) >= items) {
                    Fail(LineOf(element), filesField,
                         "there is no install item " + std::to_string(index) + " (there are " +
                             std::to_string(items) + ", numbered from 0)");
                }
                component.files.push_back(static_cast<std::uint32_t>(index));
            }
        }
        Script().components.push_back(component);
        componentNames_.Add(name ? StringNode(*name, nameField) : std::string(),
                            Script().components.size() - 1);
    }
    AddTreesToComponents();
}

void DescriptionReader::AddTreesToComponents() {
    const std::string field = Join(TableNames::kTree, SharedKeys::kComponents);
    for (const TreeMembership& tree : treeMemberships_) {
        for (const auto& [name, line] : tree.components) {
            const std::vector<std::size_t>* found = componentNames_.Find(name);
            if (!found || found->size() > 1) {
                Fail(line, field,
                     found ? "several components are named " + Quoted(name)
                           : "no component is named " + Quoted(name));
            }
            std::vector<std::uint32_t>& files = Script().components[found->front()].files;
            for (std::size_t index = tree.first; index < tree.end; ++index) {
                files.push_back(static_cast<std::uint32_t>(index));
            }
            if (files.size() > kWordCount) {
                Fail(line, field,
                     "component " + Quoted(name) + " would hold " + std::to_string(files.size()) +
                         " files, at most 65535 fit");
            }
        }
    }
}

void DescriptionReader::ReadSetupTypes(const toml::table& root) {
    using K = SetupTypeKeys;
    const std::string_view typesPath = TableNames::kSetupTypes;
    const toml::table* types = Table(root, "", typesPath);
    if (!types) {
        return;
    }
    Keys(*types, typesPath, {K::kTypical, K::kMinimal, K::kCustom});
    SetupScript& s = Script();
    const auto readType = [&](std::string_view key, std::uint32_t& offered, FixedText& label) {
        const toml::table* type = Table(*types, typesPath, key);
        if (!type) {
            return;
        }
        const std::string path = Join(typesPath, key);
        Keys(*type, path, {K::kOffered, K::kLabel});
        offered = Flag(*type, path, K::kOffered, 1);
        label = Text(*type, path, K::kLabel);
    };
    readType(K::kTypical, s.typicalOffered, s.typicalLabel);
    readType(K::kMinimal, s.minimalOffered, s.minimalLabel);
    readType(K::kCustom, s.customOffered, s.customLabel);
}

void WriteComponents(TomlWriter& out, const SetupScript& s, const ItemReferences& references) {
    for (const Component& component : s.components) {
        out.ArrayTable(TableNames::kComponent);
        out.Text(ComponentKeys::kName, component.name);
        out.TextIfAny(ComponentKeys::kDescription, component.description);
        out.Value(ComponentKeys::kMinimal, FlagValue(component.inMinimal));
        out.Value(ComponentKeys::kTypical, FlagValue(component.inTypical));
        std::string files = "[";
        for (std::uint32_t index : component.files) {
            files += (files.size() > 1 ? ", " : "") + references.Reference(index);
        }
        out.Value(ComponentKeys::kFiles, files + "]");
    }
}

void WriteSetupTypes(TomlWriter& out, const SetupScript& s) {
    const bool anyType = s.typicalOffered || s.minimalOffered || s.customOffered ||
                         !s.typicalLabel.Stored().empty() || !s.minimalLabel.Stored().empty() ||
                         !s.customLabel.Stored().empty();
    if (!anyType) {
        return;
    }
    using K = SetupTypeKeys;
    out.Table(TableNames::kSetupTypes);
    const auto type = [&](std::string_view key, std::uint32_t offered, const FixedText& label) {
        if (offered == 0 && label.Stored().empty()) {
            return;
        }
        std::string value = "{ " + std::string(K::kOffered) + " = " + FlagValue(offered);
        if (!label.Stored().empty()) {
            value += ", " + std::string(K::kLabel) + " = " + TomlString(label);
        }
        out.Value(key, value + " }");
    };
    type(K::kTypical, s.typicalOffered, s.typicalLabel);
    type(K::kMinimal, s.minimalOffered, s.minimalLabel);
    type(K::kCustom, s.customOffered, s.customLabel);
}

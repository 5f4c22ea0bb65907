#include "DescriptionReader.h"
#include "TomlWriter.h"

// [[component]] and [setup_types]: read and written.

void DescriptionReader::ReadComponents(const toml::table& root) {
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

void DescriptionReader::AddTreesToComponents() {
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
                     "component " + Quoted(name) + " would hold " + std::to_string(files.size()) +
                         " files, at most 65535 fit");
            }
        }
    }
}

void DescriptionReader::ReadSetupTypes(const toml::table& root) {
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

void WriteComponents(TomlWriter& out, const SetupScript& s, const ItemReferences& references) {
    for (const Component& component : s.components) {
        out.ArrayTable("component");
        out.Text("name", component.name);
        out.TextIfAny("description", component.description);
        out.Value("minimal", FlagValue(component.inMinimal));
        out.Value("typical", FlagValue(component.inTypical));
        std::string files = "[";
        for (std::uint32_t index : component.files) {
            files += (files.size() > 1 ? ", " : "") + references.Reference(index);
        }
        out.Value("files", files + "]");
    }
}

void WriteSetupTypes(TomlWriter& out, const SetupScript& s) {
    const bool anyType = s.typicalOffered || s.minimalOffered || s.customOffered ||
                         !s.typicalLabel.Stored().empty() || !s.minimalLabel.Stored().empty() ||
                         !s.customLabel.Stored().empty();
    if (!anyType) {
        return;
    }
    out.Table("setup_types");
    const auto type = [&](std::string_view key, std::uint32_t offered, const FixedText& label) {
        if (offered == 0 && label.Stored().empty()) {
            return;
        }
        std::string value = "{ offered = " + FlagValue(offered);
        if (!label.Stored().empty()) {
            value += ", label = " + TomlString(label);
        }
        out.Value(key, value + " }");
    };
    type("typical", s.typicalOffered, s.typicalLabel);
    type("minimal", s.minimalOffered, s.minimalLabel);
    type("custom", s.customOffered, s.customLabel);
}

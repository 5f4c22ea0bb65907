#include "DescriptionReader.h"
#include "TomlWriter.h"

// [[registry]] and its values: read and written.

void DescriptionReader::ReadRegistry(const toml::table& root) {
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

void WriteRegistry(TomlWriter& out, const SetupScript& s) {
    for (const RegistryKey& key : s.registryKeys) {
        out.ArrayTable("registry");
        out.Text("key", key.keyPath);
        if (RegistryKeyPathProblem(key.keyPath.Stored())) {
            out.Comment("SETUP.EXE cannot use this key path and skips the key");
            out.Value("verbatim", "true");
        }
        for (const RegistryValue& value : key.values) {
            out.ArrayTable("registry.value");
            out.Text("name", value.name);
            if (value.kind == RegistryValueKind::Text) {
                out.Value("text", TomlString(value.text));
                const std::uint8_t kind = value.storedKind != 0 ? value.storedKind : 1;
                if (kind != 1) {
                    out.Value("kind", std::to_string(kind));
                }
            } else {
                out.Value("number", std::to_string(value.number));
            }
        }
    }
}

#include "DescriptionReader.h"
#include "TomlWriter.h"

// [[registry]] and its values: read and written.

namespace {

struct RegistryKeys {
    static constexpr std::string_view kKey = "key";
    static constexpr std::string_view kValue = "value"; // [[registry.value]]
    static constexpr std::string_view kName = "name";
    static constexpr std::string_view kText = "text";
    static constexpr std::string_view kNumber = "number";
    static constexpr std::string_view kKind = "kind";
};

} // namespace

void DescriptionReader::ReadRegistry(const toml::table& root) {
    using K = RegistryKeys;
    const std::string_view keyPath = TableNames::kRegistry;
    for (const toml::table* table : Tables(root, "", keyPath, kWordCount)) {
        Keys(*table, keyPath, {K::kKey, K::kValue, SharedKeys::kVerbatim});
        RegistryKey key;
        key.keyPath = RequiredText(*table, keyPath, K::kKey);
        if (const std::optional<std::string> problem =
                RegistryKeyPathProblem(key.keyPath.Stored())) {
            // A script may hold such a key, and dump marks it so that it compiles back;
            // written by hand it is refused.
            const std::uint32_t keyLine = LineOf(*table->get(K::kKey));
            if (Bool(*table, keyPath, SharedKeys::kVerbatim)) {
                Unusable(keyLine, Join(keyPath, K::kKey), *problem + "; SETUP.EXE skips this key");
            } else {
                Fail(keyLine, Join(keyPath, K::kKey), *problem);
            }
        }
        const std::string path = Join(keyPath, K::kValue);
        for (const toml::table* entry : Tables(*table, keyPath, K::kValue, kWordCount)) {
            Keys(*entry, path, {K::kName, K::kText, K::kNumber, K::kKind});
            RegistryValue value;
            value.name = Text(*entry, path, K::kName);
            const toml::node* text = entry->get(K::kText);
            const toml::node* number = entry->get(K::kNumber);
            if ((text != nullptr) == (number != nullptr)) {
                Fail(text && number ? LineOf(*number) : TableLine(*entry), Join(path, K::kText),
                     "give either text or number");
            }
            if (text) {
                value.kind = RegistryValueKind::Text;
                value.storedKind = static_cast<std::uint8_t>(
                    OptionalInteger(*entry, path, K::kKind, 1, kByteMax).value_or(1));
                value.text = Block(Text(*entry, path, K::kText));
            } else {
                if (const toml::node* kind = entry->get(K::kKind)) {
                    Fail(LineOf(*kind), Join(path, K::kKind),
                         "a kind byte is kept only for text values");
                }
                value.kind = RegistryValueKind::Number;
                value.storedKind = 0;
                value.number = static_cast<std::uint32_t>(
                    IntegerNode(*number, Join(path, K::kNumber), 0, kDwordMax));
            }
            key.values.push_back(value);
        }
        Script().registryKeys.push_back(key);
    }
}

void WriteRegistry(TomlWriter& out, const SetupScript& s) {
    using K = RegistryKeys;
    for (const RegistryKey& key : s.registryKeys) {
        out.ArrayTable(TableNames::kRegistry);
        out.Text(K::kKey, key.keyPath);
        if (RegistryKeyPathProblem(key.keyPath.Stored())) {
            out.Comment("SETUP.EXE cannot use this key path and skips the key");
            out.Value(SharedKeys::kVerbatim, "true");
        }
        for (const RegistryValue& value : key.values) {
            out.ArrayTable(Join(TableNames::kRegistry, K::kValue));
            out.Text(K::kName, value.name);
            if (value.kind == RegistryValueKind::Text) {
                out.Value(K::kText, TomlString(value.text));
                const std::uint8_t kind = value.storedKind != 0 ? value.storedKind : 1;
                if (kind != 1) {
                    out.Value(K::kKind, std::to_string(kind));
                }
            } else {
                out.Value(K::kNumber, std::to_string(value.number));
            }
        }
    }
}

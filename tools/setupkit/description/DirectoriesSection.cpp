#include "DescriptionReader.h"
#include "TomlWriter.h"

// [[directory]]: read and written.

namespace {

struct DirectoryKeys {
    static constexpr std::string_view kPath = "path";
};

} // namespace

void DescriptionReader::ReadDirectories(const toml::table& root) {
    std::map<std::string, std::uint32_t> ids;
    const std::string_view path = TableNames::kDirectory;
    for (const toml::table* table : Tables(root, "", path, kByteCount)) {
        Keys(*table, path, {SharedKeys::kId, DirectoryKeys::kPath});
        DirectoryEntry entry;
        entry.templatePath = RequiredText(*table, path, DirectoryKeys::kPath);
        entry.path = entry.templatePath;
        const std::size_t position = Script().directories.size();
        directoryNames_.Add(Key(*table, path, DirectoryKeys::kPath, ids), position);
        Script().directories.push_back(entry);
    }
}

void WriteDirectories(TomlWriter& out, const SetupScript& s) {
    for (std::size_t i = 0; i < s.directories.size(); ++i) {
        out.ArrayTable(TableNames::kDirectory);
        out.Value(SharedKeys::kId, "\"dir" + std::to_string(i + 1) + '"');
        out.Text(DirectoryKeys::kPath, s.directories[i].templatePath);
    }
}

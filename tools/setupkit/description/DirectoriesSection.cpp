#include "DescriptionReader.h"
#include "TomlWriter.h"

// [[directory]]: read and written.

void DescriptionReader::ReadDirectories(const toml::table& root) {
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

void WriteDirectories(TomlWriter& out, const SetupScript& s) {
    for (std::size_t i = 0; i < s.directories.size(); ++i) {
        out.ArrayTable("directory");
        out.Value("id", "\"dir" + std::to_string(i + 1) + '"');
        out.Text("path", s.directories[i].templatePath);
    }
}

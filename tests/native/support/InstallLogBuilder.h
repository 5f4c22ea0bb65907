#pragma once

#include <string>
#include <string_view>

// The text of a string-table entry of the program's resources (src/resources/Strings.rc), by
// its identifier's name, escapes resolved; fails the test when the entry is missing.
std::string StringTableText(std::string_view id);

// Writes the bytes of an install log the way SETUP.EXE does, from its string table's texts:
// header, date and empty line first, then one line per call, each ended by CR LF.
class InstallLogBuilder {
public:
    explicit InstallLogBuilder(std::string_view productName);

    InstallLogBuilder& CreatedDirectory(std::string_view path);
    InstallLogBuilder& CopiedFile(std::string_view path);
    InstallLogBuilder& DeletedFile(std::string_view name);
    InstallLogBuilder& Group(std::string_view name);
    InstallLogBuilder& GroupItem(std::string_view name);
    InstallLogBuilder& RegistryKey(std::string_view keyPath);
    InstallLogBuilder& RegistryValue(std::string_view name);
    InstallLogBuilder& IniEntry(std::string_view section, std::string_view key,
                                std::string_view value, std::string_view file);
    // A line of any text (EDITSYS.DLL's reply).
    InstallLogBuilder& Line(std::string_view text);

    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

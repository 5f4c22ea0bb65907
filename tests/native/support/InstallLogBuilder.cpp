#include "support/InstallLogBuilder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>

namespace {

// The string table's "%s" marks filled in order.
std::string Format(std::string_view form, std::initializer_list<std::string_view> texts) {
    std::string line;
    auto text = texts.begin();
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (form.substr(i, 2) == "%s" && text != texts.end()) {
            line += *text++;
            ++i;
        } else {
            line += form[i];
        }
    }
    return line;
}

} // namespace

std::string StringTableText(std::string_view id) {
    std::ifstream file(SETUPKIT_STRINGS_RC);
    std::string line;
    const std::string opening = std::string(id) + " \"";
    while (std::getline(file, line)) {
        const std::size_t at = line.find(opening);
        if (at == std::string::npos || line.find_first_not_of(' ') != at) {
            continue;
        }
        std::string text;
        for (std::size_t i = at + opening.size(); i < line.size() && line[i] != '"'; ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) {
                const char escaped = line[++i];
                text += escaped == 't' ? '\t' : escaped == 'n' ? '\n' : escaped;
            } else {
                text += line[i];
            }
        }
        return text;
    }
    ADD_FAILURE() << id << " is not in " << SETUPKIT_STRINGS_RC;
    return {};
}

InstallLogBuilder::InstallLogBuilder(std::string_view productName) {
    Line(Format(StringTableText("IDS_LOG_TITLE"), {productName}));
    Line("Tuesday, December 8, 2026");
    Line({});
}

InstallLogBuilder& InstallLogBuilder::CreatedDirectory(std::string_view path) {
    return Line(Format("%s %s", {StringTableText("IDS_LOG_CREATED_DIRECTORY"), path}));
}

InstallLogBuilder& InstallLogBuilder::CopiedFile(std::string_view path) {
    return Line(Format("%s %s", {StringTableText("IDS_LOG_COPIED_FILE"), path}));
}

InstallLogBuilder& InstallLogBuilder::DeletedFile(std::string_view name) {
    return Line(Format("%s %s", {StringTableText("IDS_LOG_DELETED_FILE"), name}));
}

InstallLogBuilder& InstallLogBuilder::Group(std::string_view name) {
    return Line(Format("%s %s", {StringTableText("IDS_LOG_CREATED_GROUP"), name}));
}

InstallLogBuilder& InstallLogBuilder::GroupItem(std::string_view name) {
    return Line(Format("\t%s %s", {StringTableText("IDS_LOG_CREATED_GROUP_ITEM"), name}));
}

InstallLogBuilder& InstallLogBuilder::RegistryKey(std::string_view keyPath) {
    return Line(Format(StringTableText("IDS_LOG_REGISTRY_KEY"), {keyPath}));
}

InstallLogBuilder& InstallLogBuilder::RegistryValue(std::string_view name) {
    return Line(Format(StringTableText("IDS_LOG_REGISTRY_VALUE"), {name}));
}

InstallLogBuilder& InstallLogBuilder::IniEntry(std::string_view section, std::string_view key,
                                               std::string_view value, std::string_view file) {
    return Line(Format(StringTableText("IDS_LOG_INI_ENTRY"), {section, key, value, file}));
}

InstallLogBuilder& InstallLogBuilder::Line(std::string_view text) {
    bytes_ += text;
    bytes_ += "\r\n";
    return *this;
}

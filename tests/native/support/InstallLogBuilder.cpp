#include "support/InstallLogBuilder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// The "%s" marks of form filled in order.
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

std::string Entry(std::string_view id, std::string_view text) {
    return Format("%s %s", {StringTableText(id), text});
}

} // namespace

std::string StringTableText(std::string_view id) {
    std::ifstream file(SETUPKIT_STRINGS_RC);
    const std::string opening = std::string(id) + " \"";
    for (std::string line; std::getline(file, line);) {
        const std::size_t at = line.find(opening);
        if (at == std::string::npos || line.find_first_not_of(' ') != at) {
            continue;
        }
        std::string text;
        for (std::size_t i = at + opening.size(); i < line.size() && line[i] != '"'; ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) {
                ++i;
                text += line[i] == 't' ? '\t' : line[i] == 'n' ? '\n' : line[i];
            } else {
                text += line[i];
            }
        }
        return text;
    }
    ADD_FAILURE() << id << " is not in " << SETUPKIT_STRINGS_RC;
    return {};
}

std::string DirectoryLine(std::string_view path) {
    return Entry("IDS_LOG_CREATED_DIRECTORY", path);
}
std::string FileLine(std::string_view path) {
    return Entry("IDS_LOG_COPIED_FILE", path);
}
std::string DeletedLine(std::string_view name) {
    return Entry("IDS_LOG_DELETED_FILE", name);
}
std::string GroupLine(std::string_view name) {
    return Entry("IDS_LOG_CREATED_GROUP", name);
}
std::string ItemLine(std::string_view name) {
    return "\t" + Entry("IDS_LOG_CREATED_GROUP_ITEM", name);
}

std::string KeyLine(std::string_view keyPath) {
    return Format(StringTableText("IDS_LOG_REGISTRY_KEY"), {keyPath});
}

std::string ValueLine(std::string_view name) {
    return Format(StringTableText("IDS_LOG_REGISTRY_VALUE"), {name});
}

std::string IniLine(std::string_view section, std::string_view key, std::string_view value,
                    std::string_view file) {
    return Format(StringTableText("IDS_LOG_INI_ENTRY"), {section, key, value, file});
}

std::string LogBytes(std::string_view productName, std::initializer_list<std::string> lines) {
    std::string bytes = Format(StringTableText("IDS_LOG_TITLE"), {productName}) +
                        "\r\nTuesday, December 8, 2026\r\n\r\n";
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

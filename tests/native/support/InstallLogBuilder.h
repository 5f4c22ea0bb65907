#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Install logs as SETUP.EXE writes them, made from the texts of its string table
// (src/resources/Strings.rc), so that the reader is checked against what the writer uses.

// The text of a string-table entry by its identifier's name, escapes resolved; fails the test
// when the entry is missing.
std::string StringTableText(std::string_view id);

// The log's lines, one per action.
std::string DirectoryLine(std::string_view path);
std::string FileLine(std::string_view path);
std::string DeletedLine(std::string_view name);
std::string GroupLine(std::string_view name);
std::string ItemLine(std::string_view name);
std::string KeyLine(std::string_view keyPath);
std::string ValueLine(std::string_view name);
std::string IniLine(std::string_view section, std::string_view key, std::string_view value,
                    std::string_view file);

// The bytes of a log: header, a date and an empty line, then lines, each ended by CR LF.
std::string LogBytes(std::string_view productName, std::initializer_list<std::string> lines);

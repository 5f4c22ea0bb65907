#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a run changed in a Wine prefix, read from the recorded differences of its snapshots:
// lines "> file ./PATH" (new or changed, "<" for gone or changed), "> machine [KEY]" and
// "> machine [KEY] VALUE" ("user" for the current user's keys), "> ini ./FILE [SECTION] ENTRY".

struct ChangedFile {
    std::string path; // as Windows shows it: C:\Program Files\...
    std::optional<std::uint64_t> size;
};

struct PrefixDifference {
    std::vector<ChangedFile> added;
    std::vector<ChangedFile> changed;
    std::vector<std::string> removed;
    std::vector<std::string> startMenu;     // added files of a Start Menu folder
    std::vector<std::string> registryAdded; // "HKEY_...\KEY" or "HKEY_...\KEY: VALUE"
    std::vector<std::string> registryRemoved;
    std::vector<std::string> iniAdded; // "C:\...\FILE.INI [SECTION] ENTRY"
    std::vector<std::string> iniRemoved;

    [[nodiscard]] bool Empty() const;
};

// sizeOf gets a path relative to drive C: ("Program Files/App/A.EXE") and gives the file's size.
[[nodiscard]] PrefixDifference
ReadPrefixDifference(std::string_view changes, std::string_view iniChanges,
                     const std::function<std::optional<std::uint64_t>(const std::string&)>& sizeOf);

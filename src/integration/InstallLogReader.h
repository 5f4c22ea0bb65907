#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Reading setuplog.txt back, for the uninstaller: the header is checked, every later line is
// sorted into the forms that SETUP.EXE writes. Reading only: nothing here acts on a line.

// The texts the log lines are made of, as the string table holds them (the uninstaller may
// load them from its resources; the defaults are the same texts). "%s" marks where a line
// carries its own text.
struct LogTexts {
    std::string title = "*** Setup Program For %s ***";
    std::string createdDirectory = "Created Directory";  // "<entry> <path>"
    std::string copiedFile = "Copied File";              // "<entry> <path>"
    std::string deletedFile = "Deleted File";            // "<entry> <name>"
    std::string createdGroup = "CreatedGroup ";          // "<entry> <name>": two blanks
    std::string createdGroupItem = "Created GroupItem "; // "\t<entry> <name>"
    std::string registryKey = "Added registry key %s.";
    std::string registryValue = "\tAdded registry value %s.";
    std::string iniEntry = "Added [%s], %s=%s to file %s."; // section, key, value, file
    // The root names of registry key paths, in the order of RegistryRoot.
    std::array<std::string, 6> rootNames = {
        "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE",
        "HKEY_USERS",        "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA",
    };
};

enum class RegistryRoot : std::uint8_t {
    ClassesRoot,
    CurrentUser,
    LocalMachine,
    Users,
    CurrentConfig,
    DynData,
};

enum class LogLineKind : std::uint8_t {
    Date,             // the second line, whatever it holds
    Blank,            // an empty line: after the header, or an empty EDITSYS.DLL reply
    CreatedDirectory, // path
    CopiedFile,       // path
    DeletedFile,      // name: the installation removed it; reported, never acted on
    CreatedGroup,     // group
    CreatedGroupItem, // group (of the group line above it), name
    RegistryKey,      // keyPath, root, subKey
    RegistryValue,    // keyPath, root, subKey (of the key line above it), name
    IniEntry,         // path (the INI file), section, name (the key), value; a bare file name
                      // is kept: the profile interface puts it in the Windows directory
    Unknown,          // a text of no known form (EDITSYS.DLL's reply): reported only
    Refused,          // a known form that cannot be acted on safely; reason says why
};

struct LogLine {
    std::size_t number = 0; // 1-based line number in the file
    LogLineKind kind = LogLineKind::Unknown;
    std::string text; // the line as written, without its ending
    std::string path;
    std::string group;
    std::string name;
    std::string keyPath; // as logged, brackets included
    RegistryRoot root = RegistryRoot::ClassesRoot;
    std::string subKey; // empty: the root itself
    std::string section;
    std::string value;
    std::string reason; // Refused only
};

struct InstallLogRecord {
    std::string refusal; // not empty: the log as a whole is refused and nothing may be undone
    std::string productName;
    std::vector<LogLine> lines; // every line after the header, in file order
};

// Reads the bytes of a log. Lines end in CR LF or a lone LF. A log whose first line is missing,
// cut or not of the title form is refused. A last line without its ending was cut while being
// written and is refused: its text may name something else than what was done. So are lines
// holding a NUL, paths that are not absolute, and values and items without their key or group
// line directly above.
[[nodiscard]] InstallLogRecord ReadInstallLog(std::span<const char> bytes,
                                              const LogTexts& texts = {});

// Whether path is absolute: a drive letter, a colon and a backslash, or a UNC path
// ("\\server\share..."), with no "." or ".." component and no control character.
[[nodiscard]] bool IsAbsolutePath(std::string_view path);

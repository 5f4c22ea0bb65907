#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a removal left in place, and why, for the closing message.

enum class KeptReason : std::uint8_t {
    InUse, // the user chose Ignore for a file that could not be deleted
    DirectoryNotEmpty,
    KeyNotEmpty,      // other values or sub-keys
    GroupNotEmpty,    // other items in a program group
    StillShared,      // a shared file whose count stays above 0
    NoSharedCount,    // a shared file without a SharedDLLs count: nobody knows who uses it
    KeptByChoice,     // a shared file the user chose to keep
    NotAFile,         // a directory now stands where the log names a file
    NoProgramManager, // the program manager did not answer
    ExistedBefore,    // a file that stood outside the destination before the installation
    Changed,          // changed since the installation: another program's or the user's now
    UsedByOther,      // another installed product's record names it too
    Failed,           // another system error (code)
    Stopped,          // the user chose Abort at this file: the removal ends, nothing is listed
};

struct KeptObject {
    std::string what; // a path, a registry key or value, an INI key, a group or item
    KeptReason reason = KeptReason::Failed;
    std::uint32_t error = 0; // Failed only
};

struct RemovalOutcome {
    std::vector<KeptObject> kept;
    std::vector<std::string> notUndone; // what the installation did that is never undone
    bool stopped = false; // the user chose Abort: the later steps were not carried out
};

// The closing message: "<product> was removed." when nothing stayed; otherwise what stayed and
// why, what the installation did that is never undone, and, after an Abort, that running the
// uninstaller again removes the rest. Long lists are cut after kListedLines lines each.
inline constexpr std::size_t kListedLines = 15;
[[nodiscard]] std::string RemovalMessage(std::string_view product, const RemovalOutcome& outcome);

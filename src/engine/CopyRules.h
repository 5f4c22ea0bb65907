#pragma once

#include "script/ScriptModel.h"
#include "script/SetupError.h"

#include <cstdint>
#include <string_view>

// The decisions of the file copy that do not need the platform: whether an existing file is
// replaced, and what a result of the version-installation service calls for.

// The file-exists decisions, as the question returns them and fileExistsChoice stores them.
inline constexpr std::uint32_t kChoiceReplace = 4004;
inline constexpr std::uint32_t kChoiceKeep = 5;
inline constexpr std::uint32_t kChoiceAbort = 3;

// The answer the user gave earlier with "Use this choice for all subsequent files." ticked.
struct RememberedChoice {
    bool applyToAll = false;
    std::uint32_t choice = 0;
};

// Whether an existing destination file is replaced under overwriteMode:
//   IfOlder  when compareLastWrite() (existing against source) is negative;
//   Never    no;
//   Ask      when the choice is Replace: the remembered one while applyToAll is set, otherwise
//            askUser()'s; Abort aborts the installation, any other answer keeps the file;
//   Always   yes;
//   others   no.
// A destination that does not exist is installed whatever the mode; the caller tells.
enum class ExistingFile { Keep, Replace, Abort };

template <typename CompareLastWrite, typename AskUser>
[[nodiscard]] ExistingFile
ShouldReplaceExisting(std::uint8_t overwriteMode, const RememberedChoice& remembered,
                      CompareLastWrite compareLastWrite, AskUser askUser) {
    switch (static_cast<OverwriteMode>(overwriteMode)) {
    case OverwriteMode::IfOlder:
        return compareLastWrite() < 0 ? ExistingFile::Replace : ExistingFile::Keep;
    case OverwriteMode::Never:
        return ExistingFile::Keep;
    case OverwriteMode::Ask: {
        const std::uint32_t choice = remembered.applyToAll ? remembered.choice : askUser();
        if (choice == kChoiceAbort) {
            return ExistingFile::Abort;
        }
        return choice == kChoiceReplace ? ExistingFile::Replace : ExistingFile::Keep;
    }
    case OverwriteMode::Always:
        return ExistingFile::Replace;
    }
    return ExistingFile::Keep;
}

// The result bits of the version-installation service (VerInstallFileA) that the copy looks at.
inline constexpr std::uint32_t kVersionTempFile = 0x1;        // VIF_TEMPFILE: a copy was left
inline constexpr std::uint32_t kVersionWriteProtected = 0x40; // VIF_WRITEPROT
// VIF_FILEINUSE, VIF_ACCESSVIOLATION, VIF_SHARINGVIOLATION, VIF_CANNOTDELETE,
// VIF_CANNOTRENAME, VIF_CANNOTDELETECUR: the destination is in use or cannot be replaced.
inline constexpr std::uint32_t kVersionInUseBits = 0x7680;

enum class VersionInstallStep {
    Done,          // installed
    AskInUse,      // ask the file-in-use question; Retry installs again
    ClearReadOnly, // make the destination writable and install again
    Fail,          // the result word itself is the error
};

// Whether the read-only attribute of the target was already cleared during this installation.
enum class ReadOnlyCleared { No, Yes };

// What a result of VerInstallFileA calls for. In-use bits win over write protection, since
// clearing the attribute of a file that is held open would not let the install through. Write
// protection is answered by clearing the attribute once: when the service still reports it
// after that, the target cannot be made writable (a write-protected medium) and the result is
// a failure, rather than the same attempt repeated for ever.
[[nodiscard]] VersionInstallStep NextVersionInstallStep(std::uint32_t result,
                                                        ReadOnlyCleared cleared);

// Whether the first bytes of a file stored under a compressed name (head: up to its first 14
// bytes, size: its whole size) are those of a compressed file that was cut short or damaged
// in its header. The expansion library copies such a file unchanged, as if it were not
// compressed, and reports success. The disks never hold a file that begins with "SZ" other than
// a compressed one (a file asked to be compressed that would not shrink is stored as it is,
// unless it begins with "SZ"), so one that begins with "SZ" without the whole 14-byte header
// and its full signature is damaged.
[[nodiscard]] bool IsDamagedCompressedHeader(std::string_view head, std::uint64_t size);

// Whether the first bytes of a file (head) begin with the full signature of a compressed file.
// The expansion library reads any other file as it is, so only such a file can have an expanded
// size other than its own.
[[nodiscard]] bool HasCompressedSignature(std::string_view head);

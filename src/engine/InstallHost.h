#pragma once

#include "engine/CopyRules.h"
#include "engine/DirectoryNames.h"
#include "script/FixedText.h"
#include "script/ScriptModel.h"

#include <cstdint>
#include <string>
#include <string_view>

// What the install engine needs from the program around it: the questions it puts to the
// user, the notices it gives while it works and the records it keeps. The engine knows
// neither the dialogs nor the log nor the registry; the shell implements this. The question
// about a file in use stays the prompt installed in FileOperations.h, which the file
// operations below every item ask.
class InstallHost {
public:
    // Asks for disk number disk, by its label, until relativePath is found below the source
    // directory (which the user may change); that disk is then the one in the drive. Fails
    // with 3 when the user gives up.
    virtual Failure AskForDisk(std::uint32_t disk, std::string_view relativePath) = 0;

    // Asks for the current disk again when relativePath, which it holds, is not found below the
    // source directory (the disk was taken out or swapped during the run): until the file is
    // found (true) or the user gives up asking (false: the item goes on to fail as it would).
    virtual bool AskForDiskAgain(std::string_view relativePath) = 0;

    // Whether existingPath is to be replaced by newPath, into answer: 4004 Replace, 5 keep it,
    // 3 Abort. The answer and the state of "Use this choice for all subsequent files." are
    // stored in remembered. Fails when either file cannot be opened.
    virtual Failure AskFileExists(const char* existingPath, const char* newPath,
                                  RememberedChoice& remembered, std::uint32_t& answer) = 0;

    // The question after an item failed, text already formatted ("Setup was unable to install
    // ..." or "Unable to execute ..."): true for Yes (go on), false for No.
    virtual bool AskContinueAfterFailure(const std::string& text) = 0;

    // Shows the paths of the file being copied in the progress window, if there is one.
    virtual void ShowProgressFiles(const char* source, const char* destination) = 0;

    // Shows the billboard picture at path (fails when the file cannot be opened), or hides it.
    virtual Failure ShowBillboard(const char* path) = 0;
    virtual void HideBillboard() = 0;

    // Raises the SharedDLLs count of the installed file at path.
    virtual void RaiseSharedCount(std::string_view path) = 0;

    // Writes the item's line to the install log when it was done.
    virtual void LogItemDone(const InstallItem& item) = 0;

protected:
    InstallHost() = default;
    ~InstallHost() = default;
    InstallHost(const InstallHost&) = default;
    InstallHost& operator=(const InstallHost&) = default;
};

// What one installation run lends the engine. The referenced values belong to the caller and
// may change under the engine's calls: the disk prompt changes the source directory and the
// current disk, the file-exists question the remembered choice.
struct InstallContext {
    const SetupScript& script;
    const FixedText& sourceDirectory;    // with its trailing backslash
    const FixedText& temporaryDirectory; // with its trailing backslash
    const std::uint32_t& currentDisk;    // the disk in the drive; the host's prompt advances it
    RememberedChoice& fileExists;        // the answer kept for all later files
    bool& allFilesInstalled;             // cleared when an item is skipped
    InstallHost& host;
    // The names the pass has seen in its destination directories; null: none are kept, and the
    // file system is asked about every destination.
    DestinationListings* destinations = nullptr;
};

#pragma once

#include "common/Win32Handles.h"
#include "integration/Sha256.h"
#include "script/ScriptModel.h"

#include <string>
#include <string_view>
#include <vector>
#include <utility>

// setuplog.txt in the destination directory: a plain record of what the installation did,
// one ANSI line per action, each ended by CR LF, made anew on every run. The log is a
// by-product: when it cannot be created the installation goes on and every line is dropped.
// The file stays open, without sharing, until the log is closed or ends (the program's state
// holds it until the program ends).
class InstallLog {
public:
    InstallLog() = default;
    // A log over a file already open for writing.
    explicit InstallLog(UniqueFile file) : file_(std::move(file)) {}

    // Creates setuplog.txt in destinationDirectory (an earlier log is replaced; a log this
    // object had open is closed first) and writes its header: "*** Setup Program For <product>
    // ***", today's date in the user's long date format and an empty line. It does not fail: a
    // file that cannot be created, or a locked one the user gives up on in the file-in-use
    // question, leaves logging off.
    void Open(std::string_view destinationDirectory, const char* productName);

    // Appends text and CR LF while the log is open; does nothing otherwise. Write errors are
    // ignored. The form of every line is its caller's (see the string table's log entries).
    void Line(std::string_view text);

    // "Created Directory <path>" for every directory this run created, each level of a path
    // apart, in the order given (parents first).
    void CreatedDirectories(const std::vector<std::string>& paths);

    // "Copied File <installedPath>" for a Copy item, "Deleted File <name>" for a Delete item,
    // when the item is done; nothing for any other item.
    void ItemDone(const InstallItem& item);

    [[nodiscard]] bool IsOpen() const { return static_cast<bool>(file_); }

    void Close() { file_.reset(); }

    // The path of the log this object opened (empty before), and the digest of every byte
    // written to it (empty while it is not open). A line whose write failed still counts: the
    // file then differs from its digest.
    [[nodiscard]] const std::string& Path() const { return path_; }
    [[nodiscard]] std::string Digest() const;

private:
    UniqueFile file_;
    std::string path_;
    Sha256 digest_;
};

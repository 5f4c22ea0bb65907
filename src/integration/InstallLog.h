#pragma once

#include "script/ScriptModel.h"

#include <string_view>

// setuplog.txt in the destination directory: a plain record of what the installation did,
// one ANSI line per action, each ended by CR LF, made anew on every run. The log is a
// by-product: when it cannot be created the installation goes on and every line is dropped.
// The file stays open, without sharing, until the program ends (SetupLifetime closes it).

// Creates setuplog.txt in the destination directory (an earlier log is replaced) and writes
// its header: "*** Setup Program For <product> ***", today's date in the user's long date
// format and an empty line. Never throws: a file that cannot be created, or a locked one the
// user gives up on in the file-in-use question, leaves logging off.
void OpenInstallLog();

// Appends text and CR LF while the log is open; does nothing otherwise. Write errors are
// ignored. The form of every line is its caller's (see the string table's log entries).
void LogLine(std::string_view text);

// "Created Directory <path>" for every directory this run created, in list order.
void LogCreatedDirectories();

// "Copied File <installedPath>" for a Copy item, "Deleted File <name>" for a Delete item, when
// the item is done; nothing for any other item.
void LogItemDone(const InstallItem& item);

#pragma once

#include "engine/CopyRules.h"
#include "script/FixedText.h"
#include "script/ScriptModel.h"
#include "script/SetupError.h"

#include <windows.h>

#include <cstdint>

// The decisions of the file-exists question; also the values of the remembered choice.
enum FileExistsDecision : std::uint32_t {
    kFileExistsUndecided = 0,
    kFileExistsAbort = 3,        // confirmed with the cancel question
    kFileExistsDoNotInstall = 5, // the existing file stays
    kFileExistsReplace = 4004,
};

// What the file-exists question and its details show, and where it keeps the answer. The
// paths, the script and the remembered choice are borrowed from the caller of AskFileExists
// and outlive the dialogs.
struct FileExistsRecord {
    const SetupScript* script = nullptr;    // the caption's product name, the cancel question
    RememberedChoice* remembered = nullptr; // stores each confirmed answer; none: not stored
    const char* newPath = nullptr;          // the source, possibly compressed
    const char* existingPath = nullptr;     // the file already at the destination
    std::uint32_t decision = kFileExistsUndecided;
    FixedText newDate;              // short date of the last write
    FixedText existingDate;         // short date of the last write
    std::uint32_t newSize = 0;      // once expanded
    std::uint32_t existingSize = 0; // low 32 bits
};

// Asks whether existingPath is to be replaced by newPath, modal over owner (whose root owner,
// MainWindow, is restored first when minimised), into answer: kFileExistsReplace,
// kFileExistsDoNotInstall or kFileExistsAbort. Also stores the answer and the state of the
// use-for-all box in remembered. The caption is the script's product name; script null: not
// loaded yet. Fails when either file cannot be opened (3 or 5 after the file-in-use question
// for a locked file, otherwise the system error code).
Failure AskFileExists(HWND owner, const SetupScript* script, const char* existingPath,
                      const char* newPath, RememberedChoice& remembered, std::uint32_t& answer);

// The question itself, modal over owner; fills record.decision; result 1. Fails as
// RunModalDialog does.
Failure FileExistsDialog(HWND owner, FileExistsRecord& record, INT_PTR& result);

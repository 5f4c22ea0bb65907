#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The DDE client of the shell's program manager (service and topic PROGMAN). One
// conversation at a time, held in this module: each use connects, sends its commands and
// closes, so no DDE state survives a use.

// Command time-outs in milliseconds.
inline constexpr DWORD kProgmanGroupTimeoutMs = 1000; // CreateGroup, ShowGroup, ExitProgram
inline constexpr DWORD kProgmanItemTimeoutMs = 10000; // DeleteItem, AddItem

// Starts DDE as a client and opens the conversation. False when DDE cannot be started (no
// message) or the program manager does not answer (after the message "Unable to establish
// DDE connection with Progman.", owned by owner, whose root owner is restored first when it
// is minimised). Call ProgmanClose in every case.
[[nodiscard]] bool ProgmanConnect(HWND owner);

// Sends one command text as an execute transaction. Whether the program manager carried it
// out is not known and not asked; without a conversation nothing is sent.
void ProgmanExecute(const char* command, DWORD timeoutMs);

// Sends "[ExitProgram(1)]", ends the conversation and stops DDE. Safe after a failed connect.
void ProgmanClose();

// The names of the groups the program manager has, asked in the open conversation; none
// without one or without an answer.
[[nodiscard]] std::vector<std::string> ProgmanGroupNames();

// Fills the list box with the names of the groups the program manager already has, in the
// order it gives them. Nothing is added when it cannot be reached or does not answer; the
// message about that is owned by the list box's root owner (MainWindow).
void ListExistingGroups(HWND listBox);

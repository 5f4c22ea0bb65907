#pragma once

#include <spawn.h>
#include <sys/types.h>

#include <string>
#include <vector>

// A program the tool runs without a shell: started with arguments[0] found on PATH, its
// descriptors arranged by actions (none: the tool's own), and waited for.

// Starts it; false when it was not found or could not be run.
[[nodiscard]] bool StartChild(const std::vector<std::string>& arguments,
                              const posix_spawn_file_actions_t* actions, pid_t& child);

// Waits for it to end: its exit code, 128 + the signal that ended it, or 127 when it cannot be
// waited for.
[[nodiscard]] int WaitForChild(pid_t child);
